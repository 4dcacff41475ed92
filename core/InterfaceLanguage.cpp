#include "core/InterfaceLanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstring>
#include <optional>

namespace {

std::optional<bool> chosenGerman;

bool SystemIsGerman() {
  const QStringList languages = QLocale::system().uiLanguages();
  return !languages.isEmpty() && QLocale(languages.first()).language() == QLocale::German;
}

}  // namespace

bool InterfaceLanguage::IsGerman() {
  if (!chosenGerman) chosenGerman = SystemIsGerman();
  return *chosenGerman;
}

bool InterfaceLanguage::Set(const QString& code) {
  if (code != QLatin1String("de") && code != QLatin1String("en")) return false;
  chosenGerman = code == QLatin1String("de");
  return true;
}

bool InterfaceLanguage::TakeOption(int& argc, char* argv[]) {
  bool ok = true;
  int kept = 1;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--") == 0) {
      while (i < argc) argv[kept++] = argv[i++];
      break;
    }
    if (std::strcmp(argv[i], "--lang") == 0 && i + 1 < argc) {
      ok = Set(QString::fromLocal8Bit(argv[++i])) && ok;
    } else if (std::strncmp(argv[i], "--lang=", 7) == 0) {
      ok = Set(QString::fromLocal8Bit(argv[i] + 7)) && ok;
    } else {
      argv[kept++] = argv[i];
    }
  }
  argc = kept;
  argv[argc] = nullptr;
  return ok;
}

void InterfaceLanguage::InstallTranslations(QCoreApplication& application) {
  if (!IsGerman()) return;
  // Owned by the application, which keeps them as long as it runs.
  auto* own = new QTranslator(&application);
  if (own->load(QStringLiteral(":/i18n/torqlet_de.qm"))) application.installTranslator(own);
  auto* qt = new QTranslator(&application);
  if (qt->load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    application.installTranslator(qt);
  }
}

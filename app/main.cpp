#include <QApplication>
#include <QCommandLineParser>
#include <cstdio>
#include <cstring>

#include "app/TorqletApplication.h"
#include "core/InterfaceLanguage.h"
#include "helperlib/QtUserDialogs.h"
#include "ui/frame/Startup.h"
#include "ui/frame/mdfMain.h"

namespace {

void Describe(QCommandLineParser& parser) {
  parser.setApplicationDescription(
      QCoreApplication::translate("main", "Editor for the car-information file of a driving game."));
  parser.addHelpOption();
  parser.addVersionOption();
  // Taken from the command line before the parser sees it (InterfaceLanguage).
  parser.addOption(QCommandLineOption(
      QStringLiteral("lang"),
      QCoreApplication::translate("main", "Language of the interface: de or en (the default "
                                          "follows the system's language)."),
      QStringLiteral("code")));
  parser.addPositionalArgument(
      QStringLiteral("FILE"),
      QCoreApplication::translate("main",
                                  "Car file to open in a window of its own; without one, the "
                                  "editor asks."),
      QStringLiteral("[FILE...]"));
}

bool AsksForHelpOrVersion(int argc, char* argv[]) {
  for (int i = 1; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
    for (const char* option : {"-h", "-?", "--help", "--help-all", "-v", "--version"}) {
      if (std::strcmp(argv[i], option) == 0) return true;
    }
  }
  return false;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (!InterfaceLanguage::TakeOption(argc, argv)) {
    std::fputs("torqlet: --lang takes de or en\n", stderr);
    return 1;
  }
  // --help and --version answer without connecting to a display, so they
  // work on a terminal without one.
  if (AsksForHelpOrVersion(argc, argv)) {
    QCoreApplication application(argc, argv);
    TorqletApplication::SetUpNames();
    InterfaceLanguage::InstallTranslations(application);
    QCommandLineParser parser;
    Describe(parser);
    parser.process(application);
    return 0;
  }
  // The application takes Qt's own options (-platform, -style) first.
  TorqletApplication application(argc, argv);
  InterfaceLanguage::InstallTranslations(application);
  QCommandLineParser parser;
  Describe(parser);
  parser.process(application);
  QtUserDialogs dialogs;
  UserDialogs::Install(&dialogs);
  int result = 0;
  {
    mdfMain frame;
    Main(frame, parser.positionalArguments());
    result = application.exec();
  }
  UserDialogs::Install(nullptr);
  return result;
}

#include "core/StringTable.h"

#include "core/InterfaceLanguage.h"

#include <QFile>
#include <QHash>

namespace {

// Each line of a table file is "id<TAB>text", UTF-8.
QHash<std::int64_t, QString> LoadTable(const QString& path) {
  QHash<std::int64_t, QString> table;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return table;
  const QList<QByteArray> lines = file.readAll().split('\n');
  for (const QByteArray& raw : lines) {
    const QByteArray line = raw.endsWith('\r') ? raw.chopped(1) : raw;
    const qsizetype tab = line.indexOf('\t');
    if (tab <= 0) continue;
    bool ok = false;
    const std::int64_t id = line.left(tab).toLongLong(&ok);
    if (ok) table.insert(id, QString::fromUtf8(line.mid(tab + 1)));
  }
  return table;
}

}  // namespace

// Resources of a static library must be registered by name, outside any namespace.
static void InitStringResources() {
  static const bool done = [] {
    Q_INIT_RESOURCE(torqlet_strings);
    return true;
  }();
  (void)done;
}

bool StringTable::InterfaceIsGerman() { return InterfaceLanguage::IsGerman(); }

QString StringTable::Lookup(std::int64_t id) {
  InitStringResources();
  static const QHash<std::int64_t, QString> german = LoadTable(QStringLiteral(":/strings/de.txt"));
  static const QHash<std::int64_t, QString> english = LoadTable(QStringLiteral(":/strings/en.txt"));
  const QHash<std::int64_t, QString>& table = InterfaceIsGerman() ? german : english;
  return table.value(id);
}

#include "TestSupport.h"

#include <QFile>
#include <QLocale>
#include <QProcess>
#include <locale>

TorqletError ErrorOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const TorqletError& error) {
    return error;
  }
  ADD_FAILURE() << "expected a TorqletError";
  return TorqletError(0, QString(), QString());
}

std::int32_t ErrorNumberOf(const std::function<void()>& call) { return ErrorOf(call).Number(); }

QByteArray ReadFileBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return QByteArray("<unreadable>");
  return file.readAll();
}

void WriteFileBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
  ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray StockBytes() {
  return ReadFileBytes(QStringLiteral(TORQLET_SOURCE_DIR "/resources/nyc.gci"));
}

QString FileFolder::Write(const QByteArray& bytes, const char* name) const {
  WriteFileBytes(Path(name), bytes);
  return Path(name);
}

QByteArray MakeBlock(const QByteArray& name, int model) {
  return "{" + name + "}\r\n" + QByteArray::number(model) +
         " {model}\r\n0 {turbo}\r\n50 {value}\r\n0 {pad}\r\n"
         "f16.500 {mass}\r\nf1.000 {front drive bias}\r\nf0.500 {front mass bias}\r\n"
         "f1.750 {brake friction}\r\nf0.145 {turn in}\r\nf0.450 {turn ratio}\r\n"
         "f1.250 {rear end stability}\r\nf0.180 {handbrake slide value}\r\nf0.152 {thrust}\r\n"
         "f0.245 {max_speed}\r\nf1.000 {anti strength}\r\nf0.065 {skid threshhold}\r\n"
         "f0.550 {gear1 multiplier}\r\nf0.680 {gear2 multiplier}\r\nf1.000 {gear3 multiplier}\r\n"
         "f0.107 {gear2 speed}\r\nf0.165 {gear3 speed}";
}

QByteArray MakeFile(const QByteArray& comment, const QList<QByteArray>& blocks) {
  QByteArray file = "{" + comment + "}\r\n\r\n";
  for (const QByteArray& block : blocks) file += block + "\r\n\r\n";
  return file;
}

QByteArray MakeFileOfMasses(const NamesAndMasses& cars) {
  QList<QByteArray> blocks;
  for (const auto& [name, mass] : cars) {
    blocks << MakeBlock(name, 1).replace("f16.500 {mass}", QByteArray("f") + mass + " {mass}");
  }
  return MakeFile("base", blocks);
}

int RunProgram(const QString& program, const QStringList& arguments, QByteArray* out,
               QByteArray* err) {
  QProcess process;
  process.start(program, arguments);
  process.waitForFinished(60000);
  if (out) *out = process.readAllStandardOutput();
  if (err) *err = process.readAllStandardError();
  return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

// Under TORQLET_EXPECT_COMMA_LOCALE the C and C++ libraries take the locale of
// the environment as well (Qt always does); a locale that is not installed
// throws here, before any test runs.
[[maybe_unused]] const bool commaLocale =
    !qEnvironmentVariableIsEmpty("TORQLET_EXPECT_COMMA_LOCALE") &&
    (std::locale::global(std::locale("")), true);

#include "TestSupport.h"

#include <QFile>
#include <QLocale>
#include <QLoggingCategory>
#include <QProcess>
#include <clocale>
#include <cstdio>
#include <cstring>

void RecordingDisplay::SetCaption(const QString& text) {
  caption_ = text;
  events << QStringLiteral("caption ") + text;
}

void RecordingDisplay::SetProgressVisible(bool visible) {
  visible_ = visible;
  events << QStringLiteral("visible %1").arg(int(visible));
}

void RecordingDisplay::SetProgressMax(float max) {
  events << QStringLiteral("max %1").arg(double(max), 0, 'f', 0);
}

void RecordingDisplay::SetProgressValue(float value) {
  events << QStringLiteral("value %1").arg(double(value), 0, 'f', 0);
}

QStringList RecordingDisplay::Folded() const {
  QStringList folded;
  QString first, last;
  auto flush = [&] {
    if (first.isEmpty()) return;
    folded << (first == last ? QStringLiteral("value ") + first
                             : QStringLiteral("value %1..%2").arg(first, last));
    first.clear();
  };
  for (const QString& event : events) {
    if (event.startsWith(QLatin1String("value "))) {
      if (first.isEmpty()) first = event.mid(6);
      last = event.mid(6);
    } else {
      flush();
      folded << event;
    }
  }
  flush();
  return folded;
}

namespace {
DiagnosticsCapture* activeCapture = nullptr;
QtMessageHandler previousHandler = nullptr;

void CaptureMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (activeCapture && qstrcmp(context.category, "torqlet.diagnostics") == 0) {
    activeCapture->lines << text;
  } else if (previousHandler) {
    previousHandler(type, context, text);
  }
}
}  // namespace

DiagnosticsCapture::DiagnosticsCapture() {
  activeCapture = this;
  QLoggingCategory::setFilterRules(QStringLiteral("torqlet.diagnostics.debug=true"));
  previousHandler = qInstallMessageHandler(CaptureMessage);
}

DiagnosticsCapture::~DiagnosticsCapture() {
  qInstallMessageHandler(previousHandler);
  QLoggingCategory::setFilterRules(QStringLiteral("torqlet.diagnostics.debug=false"));
  activeCapture = nullptr;
}

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

QString FileFolder::Write(const QByteArray& bytes, const char* name) const {
  WriteFileBytes(Path(name), bytes);
  return Path(name);
}

QString SourcePath(const QString& relative) {
  return QStringLiteral(TORQLET_SOURCE_DIR "/") + relative;
}

QByteArray StockBytes() { return ReadFileBytes(SourcePath(QStringLiteral("resources/nyc.gci"))); }

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

int RunProgram(const QString& program, const QStringList& arguments, QByteArray* out,
               QByteArray* err) {
  QProcess process;
  process.start(program, arguments);
  process.waitForFinished(60000);
  if (out) *out = process.readAllStandardOutput();
  if (err) *err = process.readAllStandardError();
  return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

namespace {

// Under TORQLET_EXPECT_COMMA_LOCALE the whole process runs in the German
// locale, C library included, so that any locale-dependent formatting shows.
class LocaleEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    if (qEnvironmentVariableIsEmpty("TORQLET_EXPECT_COMMA_LOCALE")) return;
    ASSERT_NE(std::setlocale(LC_ALL, ""), nullptr) << "the German locale is not installed";
    std::locale::global(std::locale(""));
    char text[16];
    std::snprintf(text, sizeof text, "%.1f", 0.5);
    ASSERT_STREQ(text, "0,5") << "the C library does not use a decimal comma";
    ASSERT_EQ(QLocale().decimalPoint(), QStringLiteral(","));
  }
};

const auto* const localeEnvironment = ::testing::AddGlobalTestEnvironment(new LocaleEnvironment);

}  // namespace

#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>

#include "TestSupport.h"

namespace {

class Cli : public ::testing::Test {
 protected:
  int Run(const QStringList& arguments) {
    out.clear();
    err.clear();
    return RunProgram(TORQLET_CLI_PATH, arguments, &out, &err);
  }
  QString Stock() const { return SourcePath("resources/nyc.gci"); }

  QTemporaryDir folder;
  QByteArray out, err;
};

TEST_F(Cli, InfoPrintsTheCountAndTheHeader) {
  ASSERT_EQ(Run({"info", Stock()}), 0) << err.constData();
  const QList<QByteArray> lines = out.split('\n');
  EXPECT_EQ(lines[0], "83 cars");
  EXPECT_EQ(lines[1], QByteArray(22, '*'));
  EXPECT_EQ(lines[5], QByteArray(22, '*'));
  EXPECT_TRUE(err.isEmpty());
}

TEST_F(Cli, ExportPrintsATabSeparatedTable) {
  ASSERT_EQ(Run({"export", Stock()}), 0) << err.constData();
  const QList<QByteArray> lines = out.split('\n');
  ASSERT_EQ(lines.size(), 85);  // heading, 83 cars, nothing after the last LF
  EXPECT_TRUE(lines[0].startsWith("\tmodel\tturbo\tvalue\tpad\tmass\tfront drive bias"));
  EXPECT_TRUE(lines[0].endsWith("\tgear2 speed\tgear3 speed"));
  EXPECT_EQ(lines[1],
            "Romero\t0\t0\t50\t0\t16.500\t1.000\t0.500\t1.750\t0.145\t0.450\t1.250\t0.180\t0.152"
            "\t0.245\t1.000\t0.065\t0.550\t0.680\t1.000\t0.107\t0.165");
  EXPECT_TRUE(lines[2].startsWith("Wellard\t1\t"));
  EXPECT_TRUE(lines[84].isEmpty());
  EXPECT_FALSE(out.contains('\r'));
}

TEST_F(Cli, RewriteKeepsOrRebuildsTheBytes) {
  const QString same = folder.filePath("same.gci"), rebuilt = folder.filePath("rebuilt.gci");
  ASSERT_EQ(Run({"rewrite", Stock(), same}), 0) << err.constData();
  EXPECT_EQ(ReadFileBytes(same), StockBytes());
  ASSERT_EQ(Run({"rewrite", "--rebuild", Stock(), rebuilt}), 0) << err.constData();
  EXPECT_EQ(ReadFileBytes(rebuilt), StockBytes().chopped(3));  // the stock text is canonical
  EXPECT_TRUE(out.isEmpty());
}

TEST_F(Cli, ErrorsAreOneLineWithNumberAndText) {
  EXPECT_EQ(Run({"info", folder.filePath("missing.gci")}), 1);
  // The number callers act on, then the reason.
  EXPECT_TRUE(err.startsWith("error -2147220224: Unexpected internal error: File not found: "))
      << err.constData();
  EXPECT_EQ(err.count('\n'), 1);
  WriteFileBytes(folder.filePath("bad.gci"), "{head}\r\n\r\n{car}\r\n0 {model}\r\n\r\n");
  EXPECT_EQ(Run({"export", folder.filePath("bad.gci")}), 1);
  EXPECT_EQ(err, "error -2147220221: Bad property value\n");
  EXPECT_TRUE(out.isEmpty());
  EXPECT_EQ(Run({"frobnicate"}), 1);
  EXPECT_TRUE(err.startsWith("error 5: Invalid procedure call or argument: usage:"));
  EXPECT_EQ(Run({"rewrite", Stock(), folder.path()}), 1);
  EXPECT_TRUE(err.startsWith("error 75: ")) << err.constData();
}

TEST_F(Cli, ErrorTextsFollowTheInterfaceLanguage) {
  QProcess process;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("LC_ALL", "de_DE.UTF-8");
  environment.insert("LANG", "de_DE.UTF-8");
  process.setProcessEnvironment(environment);
  process.start(TORQLET_CLI_PATH, {"info", folder.filePath("missing.gci")});
  process.waitForFinished();
  EXPECT_TRUE(process.readAllStandardError().startsWith(
      "error -2147220224: Unerwarteter interner Fehler: "));
}

}  // namespace

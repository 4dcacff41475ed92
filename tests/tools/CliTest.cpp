#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

#include "TestSupport.h"
#include "core/Version.h"

namespace {

// Three cars whose names hold a '/' (which Qt's wildcards treat as a path
// separator), a quote and a TAB (which tables must quote).
QByteArray Cars() {
  return MakeFile("head", {MakeBlock("Al/pha", 0), MakeBlock("Be\"ta", 1), MakeBlock("Al\tfa", 2)});
}

class Cli : public ::testing::Test {
 protected:
  int Run(const QStringList& arguments) {
    return RunProgram(TORQLET_CLI_PATH, arguments, &out, &err);
  }
  // A file dated in the past, so that any write shows.
  QString Old(const QByteArray& bytes, const char* name = "cars.gci") {
    const QString path = folder.Write(bytes, name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadWrite));
    file.setFileTime(QDateTime(QDate(2001, 1, 1), QTime(0, 0)), QFileDevice::FileModificationTime);
    return path;
  }
  static bool Untouched(const QString& path) {
    return QFileInfo(path).lastModified().date().year() == 2001;
  }

  FileFolder folder;
  QByteArray out, err;
};

TEST_F(Cli, UsageAndFailuresGiveTheirExitStatus) {
  const QString cars = Old(Cars()), missing = folder.Path("missing.gci");
  const QString bad = folder.Write("{head}\r\n\r\n{car}\r\n0 {model}\r\n\r\n", "bad.gci");
  const struct {
    QStringList arguments;
    int status;
    QString out, err;
  } cases[] = {
      {{"--help"}, 0, "Usage: torqlet-cli COMMAND [options] ARGUMENTS\n", ""},
      {{"--version"}, 0, QStringLiteral("torqlet-cli %1\n").arg(VersionRecord::Text), ""},
      {{"apply", "--help"}, 0, "Usage: torqlet-cli apply [options] FILE TERM\n", ""},
      {{}, 2, "", "torqlet-cli: no command given\nUsage: torqlet-cli COMMAND"},
      {{"frobnicate"}, 2, "", "torqlet-cli: unknown command 'frobnicate'\n"},
      {{"--version", "x"}, 2, "", "torqlet-cli: unexpected argument 'x'\n"},
      {{"info"},
       2,
       "",
       "torqlet-cli info: missing FILE\nUsage: torqlet-cli info [options] FILE\n"
       "Try 'torqlet-cli info --help'.\n"},
      {{"info", cars, cars}, 2, "", "torqlet-cli info: unexpected argument"},
      {{"info", "--rebuild", cars}, 2, "", "torqlet-cli info: Unknown option 'rebuild'."},
      {{"rewrite", "--rebuild", cars}, 2, "", "torqlet-cli rewrite: missing OUT\n"},
      {{"apply", cars, "x", "--column", "1"}, 2, "", "torqlet-cli apply: column '1' is the model"},
      {{"apply", cars, "x", "--column", "model"}, 2, "", "torqlet-cli apply: column 'model' is"},
      {{"apply", cars, "x", "--column", "22"}, 2, "", "torqlet-cli apply: no column 22"},
      {{"apply", cars, "x", "--column", "speed"}, 2, "", "torqlet-cli apply: no column 'speed'"},
      {{"apply", cars, "x", "-o"}, 2, "", "torqlet-cli apply: Missing value after '-o'."},
      {{"apply", cars, "x", "-o", "a", "-o", "b"}, 2, "", "torqlet-cli apply: option 'output'"},
      {{"apply", cars, "x", "--car", "["}, 2, "", "torqlet-cli apply: bad pattern '['\n"},
      {{"import", cars}, 2, "", "torqlet-cli import: missing FILE\n"},
      {{"diff", cars}, 2, "", "torqlet-cli diff: missing B\n"},
      {{"apply", cars, "x*"}, 1, "", "error 5: Bad term: "},
      {{"info", missing}, 1, "", "error -2147220224: Unexpected internal error: "},
      {{"export", bad}, 1, "", "error -2147220221: Bad property value\n"},
      {{"diff", cars, missing}, 2, "", "error -2147220224: Unexpected internal error: "},
      {{"import", missing, cars}, 1, "", "error 53: File not found: "},
      {{"rewrite", cars, folder.path()}, 1, "", "error 75: "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments.join(' ').toStdString());
    EXPECT_EQ(Run(c.arguments), c.status);
    EXPECT_TRUE(out.startsWith(c.out.toUtf8())) << out.constData();
    EXPECT_TRUE(err.startsWith(c.err.toUtf8())) << err.constData();
    if (err.startsWith("error ")) {
      EXPECT_EQ(err.count('\n'), 1);
    } else if (c.status == 2) {
      EXPECT_TRUE(err.contains("\nTry 'torqlet-cli"));
    }
  }
  EXPECT_TRUE(Untouched(cars));
  Run({"--help"});
  for (const char* name : {"info", "export", "rewrite", "apply", "import", "diff"}) {
    EXPECT_TRUE(out.contains(QByteArray("\n  ") + name + ' ')) << name;
  }
}

TEST_F(Cli, InfoPrintsTheCountAndTheHeader) {
  ASSERT_EQ(Run({"info", SourcePath("resources/nyc.gci")}), 0) << err.constData();
  const QList<QByteArray> lines = out.split('\n');
  EXPECT_EQ(lines[0], "83 cars");
  EXPECT_EQ(lines[1], QByteArray(22, '*'));
  EXPECT_EQ(lines[5], QByteArray(22, '*'));
}

TEST_F(Cli, ExportPrintsATabSeparatedTable) {
  ASSERT_EQ(Run({"export", SourcePath("resources/nyc.gci")}), 0) << err.constData();
  const QList<QByteArray> lines = out.split('\n');
  ASSERT_EQ(lines.size(), 85);  // heading, 83 cars, nothing after the last LF
  EXPECT_TRUE(lines[0].startsWith("\tmodel\tturbo\tvalue\tpad\tmass\tfront drive bias"));
  EXPECT_TRUE(lines[0].endsWith("\tgear2 speed\tgear3 speed"));
  EXPECT_EQ(lines[1],
            "Romero\t0\t0\t50\t0\t16.500\t1.000\t0.500\t1.750\t0.145\t0.450\t1.250\t0.180\t0.152"
            "\t0.245\t1.000\t0.065\t0.550\t0.680\t1.000\t0.107\t0.165");
  EXPECT_FALSE(out.contains('\r'));
}

TEST_F(Cli, RewriteKeepsOrRebuildsTheBytes) {
  const QString same = folder.Path("same.gci"), rebuilt = folder.Path("rebuilt.gci");
  ASSERT_EQ(Run({"rewrite", SourcePath("resources/nyc.gci"), same}), 0) << err.constData();
  EXPECT_EQ(ReadFileBytes(same), StockBytes());
  ASSERT_EQ(Run({"rewrite", "--rebuild", SourcePath("resources/nyc.gci"), rebuilt}), 0);
  EXPECT_EQ(ReadFileBytes(rebuilt), StockBytes().chopped(3));  // the stock text is canonical
  EXPECT_TRUE(out.isEmpty());
}

TEST_F(Cli, ApplyRecomputesTheChosenCellsAsTheEditorDoes) {
  const QString original = folder.Write(Cars(), "original.gci"), copy = folder.Path("out.gci");
  const struct {
    QStringList options;
    const char* printed;
    const char* changes;  // as diff prints them; nullptr: not compared
    bool toCopy;          // with -o
  } cases[] = {
      {{"x*2", "--column", "mass", "--car", "Al*"},
       "2 cells changed, 0 skipped\n",
       "Al/pha\tmass\t16.500\t33.000\n\"Al\tfa\"\tmass\t16.500\t33.000\n",
       true},
      {{"x+1.5", "--column", "3", "--car", "Be?ta"},
       "1 cells changed, 0 skipped\n",
       "Be\"ta\tvalue\t50\t52\n",
       false},  // 51.5: a half goes to the even neighbour
      {{"x+0.5", "--column", "value"}, "0 cells changed, 0 skipped\n", "", false},
      {{"1/x", "--column", "turbo", "--column", "4", "--car", "Be*", "--car", "Al?pha"},
       "0 cells changed, 4 skipped\n",
       "",
       false},
      {{"x"}, "0 cells changed, 0 skipped\n", "", true},
      {{"x*2", "--car", "Be*"}, "18 cells changed, 0 skipped\n", nullptr, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.options.join(' ').toStdString());
    const QString cars = Old(Cars());
    QFile::remove(copy);
    const QStringList output = c.toCopy ? QStringList{"-o", copy} : QStringList();
    ASSERT_EQ(Run(QStringList{"apply", cars} + c.options + output), 0) << err.constData();
    EXPECT_EQ(out, c.printed);
    EXPECT_EQ(Untouched(cars), c.toCopy || QByteArray(c.printed).startsWith("0 "));
    const QString result = c.toCopy ? copy : cars;
    Run({"diff", original, result});
    if (c.changes) {
      EXPECT_EQ(out, c.changes);
      EXPECT_TRUE(*c.changes || ReadFileBytes(result) == Cars());
    } else {
      EXPECT_EQ(out.count('\n'), 18);
      EXPECT_FALSE(out.contains("\tmodel\t"));
    }
  }
}

TEST_F(Cli, ImportTakesASpreadsheetsTableOrRefusesItWhole) {
  const QString original = folder.Write(Cars(), "original.gci"), table = folder.Path("t.tsv");
  const QString cars = Old(Cars());
  WriteFileBytes(table,
                 "\xEF\xBB\xBF\tmodel\t\"mass\"\tvalue\r\n\"Al\tfa\"\t2\t19\t51\r\n"
                 "\"Be\"\"ta\"\t1\t25.78\t50\r\n\r\n");
  ASSERT_EQ(Run({"import", table, cars}), 0) << err.constData();
  EXPECT_EQ(out, "3 cells changed\n");
  Run({"diff", original, cars});
  EXPECT_EQ(out,
            "Be\"ta\tmass\t16.500\t25.780\n\"Al\tfa\"\tvalue\t50\t51\n"
            "\"Al\tfa\"\tmass\t16.500\t19.000\n");

  const QString kept = Old(Cars());
  const struct {
    const char* table;
    const char* error;
  } refusals[] = {
      {"\tmass\tbogus\n", " line 1, column 'bogus': no column of "},
      {"\tmass\tmass\n", " line 1, column 'mass': repeated heading"},
      {"\tmass\nAl/pha\t20\nGamma\t1\n", " line 3: no car 'Gamma' in "},
      {"\tmass\nAl/pha\t20\nAl/pha\t21\n", " line 3: no further car 'Al/pha' in "},
      {"\tmass\nAl/pha\t20\t1\n", " line 2: 3 fields where the heading line has 2"},
      {"\tmass\nAl/pha\t2O\n", " line 2, column 'mass': '2O'"},
      {"\tmodel\tmass\nAl/pha\t7\t20\n", " line 2, column 'model': '7' is not the model"},
      {"\tmass\n\"Al/pha\t20\n", " line 2, field 1: "},
      {"\n", " line 1: no heading line"},
  };
  for (const auto& r : refusals) {
    SCOPED_TRACE(r.table);
    WriteFileBytes(table, r.table);
    EXPECT_EQ(Run({"import", table, kept}), 1);
    EXPECT_TRUE(err.startsWith("error ")) << err.constData();
    EXPECT_TRUE(err.contains(table.toUtf8() + r.error)) << err.constData();
    EXPECT_TRUE(Untouched(kept));
  }
}

TEST_F(Cli, ExportThenImportChangesNoByte) {
  // A value with more decimals than the table shows is kept as well.
  for (QByteArray bytes : {StockBytes(), Cars()}) {
    bytes.replace("f16.500 {mass}", "f16.5004 {mass}");
    const QString cars = Old(bytes), table = folder.Path("t.tsv");
    ASSERT_EQ(Run({"export", cars}), 0);
    // As a spreadsheet saves it: a byte-order mark, CR LF, no trailing zeros.
    QString text = QString::fromLatin1(out);
    text.replace(QRegularExpression("(?<=\t)(-?\\d+\\.\\d*?)0+(?=[\t\n])"), "\\1");
    text.replace(QRegularExpression("(?<=\t)(-?\\d+)\\.(?=[\t\n])"), "\\1").replace("\n", "\r\n");
    WriteFileBytes(table, "\xEF\xBB\xBF" + text.toLatin1());
    ASSERT_TRUE(text.contains("\t16.5\t"));
    ASSERT_EQ(Run({"import", table, cars}), 0) << err.constData();
    EXPECT_EQ(out, "0 cells changed\n");
    EXPECT_TRUE(Untouched(cars));
    EXPECT_EQ(ReadFileBytes(cars), bytes);
  }
}

TEST_F(Cli, DiffPrintsTheValuesAndCarsThatDiffer) {
  QByteArray beta = MakeBlock("Beta", 1);
  beta.replace("50 {value}", "60 {value}");
  const QList<QByteArray> blocks = {MakeBlock("Alpha", 0), MakeBlock("Beta", 1),
                                    MakeBlock("Gamma", 2)};
  const QString a = folder.Write(MakeFile("a", blocks), "a.gci");
  const QString b =
      folder.Write(MakeFile("a", {beta, MakeBlock("Alpha", 0), MakeBlock("Delta", 3)}), "b.gci");
  const QString c =
      folder.Write(MakeFile("another header", blocks).replace("{mass}", "{weight}"), "c.gci");
  EXPECT_EQ(Run({"diff", a, b}), 1);
  EXPECT_EQ(out, "Beta\tvalue\t50\t60\nGamma\tonly in A\nDelta\tonly in B\n");
  EXPECT_EQ(Run({"diff", a, c}), 0);
  EXPECT_TRUE(out.isEmpty());
}

TEST_F(Cli, ErrorTextsFollowTheInterfaceLanguage) {
  QProcess process;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("LC_ALL", "de_DE.UTF-8");
  environment.insert("LANG", "de_DE.UTF-8");
  process.setProcessEnvironment(environment);
  process.start(TORQLET_CLI_PATH, {"info", folder.Path("missing.gci")});
  process.waitForFinished();
  EXPECT_TRUE(process.readAllStandardError().startsWith(
      "error -2147220224: Unerwarteter interner Fehler: "));
}

}  // namespace

#include <QDateTime>
#include <QFile>
#include <QRegularExpression>
#include <csignal>

#include "TestSupport.h"
#include "core/Version.h"

// Three cars whose names hold a '/' (which Qt's wildcards treat as a path
// separator), a quote and a TAB (which tables must quote); the second has a
// turbo.
static QByteArray Cars() {
  return MakeFile("head",
                  {MakeBlock("Al/pha", 0), MakeBlock("Be\"ta", 1).replace("0 {turbo}", "2 {turbo}"),
                   MakeBlock("Al\tfa", 2)});
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
  const QString broken = folder.Write("{no cars}\r\n\r\n", "broken.gci");
  const QString directory = folder.Path("folder.gci");
  ASSERT_TRUE(QDir().mkdir(directory));
  const QString version = QStringLiteral("torqlet-cli %1\n").arg(VersionRecord::Text);
  // Arguments separated by blanks, with C, B, M and D for a car file, a file
  // without cars, a missing file and a folder;
  // then the exit status and the start of standard output, or else of standard error.
  // clang-format off
  const std::tuple<const char*, int, QString> cases[] = {
      {"--help", 0, "Usage: torqlet-cli COMMAND [options] ARGUMENTS\n"}, {"--version", 0, version},
      {"apply --help", 0, "Usage: torqlet-cli apply [options] FILE TERM\n"},
      {"", 2, "torqlet-cli: no command given\nUsage: torqlet-cli COMMAND"},
      {"frobnicate", 2, "torqlet-cli: unknown command 'frobnicate'\n"},
      {"--frob", 2, "torqlet-cli: unknown option '--frob'\n"},
      {"--version x", 2, "torqlet-cli: unexpected argument 'x'\n"},
      {"info", 2, "torqlet-cli info: missing FILE\nUsage: torqlet-cli info [options] FILE\n"
                  "Try 'torqlet-cli info --help'.\n"},
      {"info --rebuild C", 2, "torqlet-cli info: Unknown option 'rebuild'."},
      {"apply C x --column 1", 2, "torqlet-cli apply: column '1' is the model"},
      {"apply C x --column 22", 2, "torqlet-cli apply: no column 22"},
      {"apply C x -o a -o b", 2, "torqlet-cli apply: option 'output' given more than once"},
      {"apply C x --car [", 2, "torqlet-cli apply: bad pattern '['\n"},
      {"apply C x*", 1, "error 5: Bad term: "}, {"apply C x+y", 1, "error 5: Bad term: "},
      {"apply C x*2 --car Al* --car al*", 1, "error 5: Invalid procedure call or argument: no car matches the pattern 'al*'\n"},
      // A file that cannot be read or written is named with the system's reason.
      {"info M", 1, "error 53: File not found: 'M' (No such file or directory)\n"},
      {"diff C M", 2, "error 53: File not found: 'M' (No such file or directory)\n"},
      {"import M C", 1, "error 53: File not found: 'M' (No such file or directory)\n"},
      {"info D", 1, "error 75: Path/File access error: 'D' (it is a folder)\n"},
      {"apply C x*2 -o D", 1, "error 75: Path/File access error: 'D' (it is a folder)\n"},
      {"rewrite B C", 1, "error -2147220219: Bad file content: no car follows the header comment\n"}};
  // clang-format on
  for (const auto& [arguments, status, start] : cases) {
    QStringList list;
    for (const QString& a : QString(arguments).split(' ', Qt::SkipEmptyParts)) {
      list << (a == "C" ? cars : a == "B" ? broken : a == "M" ? missing : a == "D" ? directory : a);
    }
    SCOPED_TRACE(arguments);
    EXPECT_EQ(Run(list), status);
    QString expected = start;
    expected.replace("'M'", "'" + missing + "'").replace("'D'", "'" + directory + "'");
    EXPECT_TRUE((status == 0 ? out : err).startsWith(expected.toUtf8())) << out << err;
    EXPECT_TRUE(status == 0 ? err.isEmpty() : out.isEmpty());
    // One line for a failure, else a hint at the help for a wrong call.
    EXPECT_TRUE(err.startsWith("error ") ? err.count('\n') == 1
                                         : status != 2 || err.contains("\nTry 'torqlet-cli"));
  }
  EXPECT_TRUE(Untouched(cars));
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 2);  // nothing left beside them
  Run({"apply", "--help"});
  EXPECT_TRUE(out.contains("\n  TERM ")) << out;  // the arguments are explained
  // Error texts follow the interface language that the environment sets.
  RunProgram("/usr/bin/env", {"LC_ALL=de_DE.UTF-8", TORQLET_CLI_PATH, "info", broken}, &out, &err);
  EXPECT_TRUE(err.startsWith("error -2147220219: Falscher Datei-Inhalt")) << err;
}

TEST_F(Cli, InfoExportAndRewritePrintOrKeepWhatTheFileHolds) {
  const QByteArray odd = MakeFile("two\r\nlines", {MakeBlock("A", 3)}) + "zz";
  const QString path = folder.Write(odd, "odd.gci");
  ASSERT_EQ(Run({"info", path}), 0) << err;
  EXPECT_EQ(out, "1 cars\ntwo\nlines\n");
  ASSERT_EQ(Run({"export", folder.Write(Cars())}), 0) << err;
  const QByteArray values =
      "\t0\t50\t0\t16.500\t1.000\t0.500\t1.750\t0.145\t0.450\t1.250\t0.180\t0.152\t0.245\t1.000"
      "\t0.065\t0.550\t0.680\t1.000\t0.107\t0.165\n";
  EXPECT_TRUE(out.startsWith("\tmodel\tturbo\tvalue\tpad\tmass\tfront drive bias\t"));
  EXPECT_EQ(out.mid(out.indexOf("\tgear3 speed\n") + 13),
            "Al/pha\t0" + values + "Be\"ta\t1\t2" + values.mid(2) + "\"Al\tfa\"\t2" + values);
  // A table of more than 1 MiB is written in parts, each part once.
  const QList<QByteArray> many(10000, MakeBlock("Car", 1));
  ASSERT_EQ(Run({"export", folder.Write(MakeFile("h", many), "many.gci")}), 0);
  EXPECT_EQ(out.count('\n'), 10001);
  // A reader that stops early ends it quietly, by the signal that ends cat.
  const QString script = "set -o pipefail; \"$0\" export \"$1\" | head -c 1 >/dev/null";
  const QStringList pipe{"-c", script, TORQLET_CLI_PATH, folder.Path("many.gci")};
  EXPECT_EQ(RunProgram("/bin/bash", pipe, &out, &err), 128 + SIGPIPE);
  EXPECT_TRUE(err.isEmpty()) << err;
  const QString copy = folder.Path("copy.gci");
  for (const QStringList& option : {QStringList(), QStringList("--rebuild")}) {
    ASSERT_EQ(Run(QStringList("rewrite") + option + QStringList{path, copy}), 0) << err;
    EXPECT_TRUE(out.isEmpty());
    EXPECT_EQ(ReadFileBytes(copy),
              option.isEmpty() ? odd : MakeFile("two\r\nlines", {MakeBlock("A", 3)}));
  }
}

TEST_F(Cli, ApplyRecomputesTheChosenCellsAsTheEditorDoes) {
  const QString original = folder.Write(Cars(), "original.gci"), copy = folder.Path("out.gci");
  // Term and options; what apply prints; the changes as diff prints them (or
  // their count of lines); whether the result goes to another file (-o).
  // clang-format off
  const std::tuple<QString, const char*, const char*, bool> cases[] = {
      {"x*2 --column mass --car Al*", "2 cells changed, 0 skipped\n",
       "Al/pha\tmass\t16.500\t33.000\n\"Al\tfa\"\tmass\t16.500\t33.000\n", true},
      {"x+1.5 --column 3 --column mass --column value --car Be?ta",  // 51.5 to the even 52
       "2 cells changed, 0 skipped\n",
       "Be\"ta\tvalue\t50\t52\nBe\"ta\tmass\t16.500\t18.000\n", false},
      {"x+0.5 --column value", "0 cells changed, 0 skipped\n", "", false},
      // A cell whose term has no value is skipped, and the cells after it still change.
      {"1/x --column turbo --column 4 --car Be* --car Al?pha",
       "1 cell changed, 3 skipped: the term has no finite value there\n", "Be\"ta\tturbo\t2\t0\n", false},
      {"x*2 --column mass --car aL* --ignore-case", "2 cells changed, 0 skipped\n", "2 lines", false},
      {"x", "0 cells changed, 0 skipped\n", "", true},
      // Without --column every value column changes, the first (turbo) too.
      {"x*2 --car Be*", "19 cells changed, 0 skipped\n", "19 lines", false}};
  // clang-format on
  for (const auto& [options, printed, changes, toCopy] : cases) {
    SCOPED_TRACE(options.toStdString());
    const QString cars = Old(Cars());
    QFile::remove(copy);
    const QStringList output = toCopy ? QStringList{"-o", copy} : QStringList();
    ASSERT_EQ(Run(QStringList{"apply", cars} + options.split(' ') + output), 0) << err;
    EXPECT_EQ(out, printed);
    EXPECT_EQ(Untouched(cars), toCopy || QByteArray(printed).startsWith("0 "));
    const QString result = toCopy ? copy : cars;
    Run({"diff", original, result});
    EXPECT_EQ(QByteArray(changes).endsWith(" lines")
                  ? QByteArray::number(out.count('\n')) + " lines"
                  : out,
              changes);
    EXPECT_TRUE(*changes || ReadFileBytes(result) == Cars());
  }
}

TEST_F(Cli, ImportTakesASpreadsheetsTableOrRefusesItWhole) {
  const QString original = folder.Write(Cars(), "original.gci"), table = folder.Path("t.tsv");
  const QString cars = Old(Cars());
  WriteFileBytes(table,
                 "\xEF\xBB\xBF\tmodel\t\"mass\"\tvalue\r\n\"Al\tfa\"\t2\t19\t51\r\n"
                 "\"Be\"\"ta\"\t1\t25.78\t50\r\n\r\n");
  ASSERT_EQ(Run({"import", table, cars}), 0) << err;
  EXPECT_EQ(out, "3 cells changed\n");
  Run({"diff", original, cars});
  EXPECT_EQ(out,
            "Be\"ta\tmass\t16.500\t25.780\n\"Al\tfa\"\tvalue\t50\t51\n"
            "\"Al\tfa\"\tmass\t16.500\t19.000\n");

  // An unchanged table leaves the file untouched. (That an export reads back
  // unchanged, namesakes and quoted names included, is the table fuzz
  // target's.)
  const QString unchanged = Old(Cars(), "unchanged.gci");
  ASSERT_EQ(Run({"export", unchanged}), 0);
  WriteFileBytes(table, out);
  ASSERT_EQ(Run({"import", table, unchanged}), 0) << err;
  EXPECT_EQ(out, "0 cells changed\n");
  EXPECT_TRUE(Untouched(unchanged));

  const QString kept = Old(Cars(), "kept.gci");
  // clang-format off
  const std::pair<const char*, const char*> refusals[] = {
      {"\tmass\tbogus\n", " line 1, column 'bogus': no column of "},
      {"\tmass\tmass\n", " line 1, column 'mass': repeated heading"},
      {"\tmass\nAl/pha\t20\nGamma\t1\n", " line 3: no car 'Gamma' in %1"},
      {"\tmass\nAl/pha\t20\nAl/pha\t21\n", " line 3: no further car 'Al/pha' in %1"},
      {"\tmass\nAl/pha\t20\t1\n", " line 2: 3 fields where the heading line has 2"},
      {"\tmass\nAl/pha\t2O\n", " line 2, column 'mass': '2O'"},
      {"\tmodel\tmass\nAl/pha\t7\t20\n", " line 2, column 'model': '7' is not the model"},
      {"\tmass\n\"Al/pha\t20\n", " line 2, field 1: "}, {"\n", " line 1: no heading line"},
      {"mass\nAl/pha\n", ": the table is not TAB-separated: line 1 has no TAB"},
      {"\tmass\r\n\r\n", ": the table has a heading but no car row"},
      {"\tmass\tvalue\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\n",
       " line 1: 23 fields where a car has at most 22"},
      // A comma is a decimal separator, never a group separator.
      {"\tmass\nAl/pha\t1,000,000\n", " line 2, column 'mass': '1,000,000'"},
      {"\tmass\nAl/pha\t1.000,5\n", " line 2, column 'mass': '1.000,5' has both"},
      {"\tmass\nAl/pha\t16,5\nBe\"ta\t16.5\n",
       " line 3, column 'mass': '16.5' has a decimal point where line 2 has a decimal comma"}};
  // clang-format on
  for (const auto& [bytes, error] : refusals) {
    WriteFileBytes(table, bytes);
    EXPECT_EQ(Run({"import", table, kept}), 1) << bytes;
    const QByteArray expected = table.toUtf8() + QByteArray(error).replace("%1", kept.toUtf8());
    EXPECT_TRUE(err.startsWith("error ") && err.contains(expected)) << err;
    EXPECT_TRUE(Untouched(kept));
  }
  // A table larger than any table of the file is refused before it is read.
  WriteFileBytes(table, QByteArray((1 << 20) + 1, '\t'));
  EXPECT_EQ(Run({"import", table, kept}), 1);
  EXPECT_TRUE(err.contains(": 1048577 bytes are more than a table of ")) << err;

  // A table that a spreadsheet of a decimal-comma locale misread (16.500 as
  // 16500) is reported column by column; a dry run shows the changes and saves nothing.
  ASSERT_EQ(Run({"export", "--decimal-comma", kept}), 0);
  EXPECT_TRUE(out.contains("\t16,500\t1,000\t")) << out;
  const QByteArray commas = out;
  WriteFileBytes(table,
                 QByteArray(commas).replace("\t16,500\t1,000\t0,500\t", "\t16500\t1000\t0,500\t"));
  ASSERT_EQ(Run({"import", "--dry-run", table, kept}), 0) << err;
  EXPECT_TRUE(
      out.startsWith("Al/pha\tmass\t16.500\t16500.000\nAl/pha\tfront drive bias\t1.000\t"
                     "1000.000\n"))
      << out;
  EXPECT_TRUE(out.endsWith("\n6 cells would change\n")) << out;
  EXPECT_EQ(err,
            "torqlet-cli import: warning: 3 values of column 'mass' changed by a factor of 100 or "
            "more\ntorqlet-cli import: warning: 3 values of column 'front drive bias' changed by a "
            "factor of 100 or more\n");
  EXPECT_TRUE(Untouched(kept));
}

TEST_F(Cli, DiffPrintsTheValuesAndCarsThatDiffer) {
  const QByteArray alpha = MakeBlock("Alpha", 0), beta = MakeBlock("Beta", 1);
  const QByteArray a = MakeFile("a", {alpha, beta, MakeBlock("Gamma", 2)});
  const QByteArray b = MakeFile(
      "a", {MakeBlock("Delta", 3), QByteArray(beta).replace("50 {value}", "60 {value}"), alpha});
  // Header and comments are not compared.
  const QByteArray c =
      MakeFile("other", {alpha, beta, MakeBlock("Gamma", 2)}).replace("{mass}", "{weight}");
  EXPECT_EQ(Run({"diff", folder.Write(a, "a"), folder.Write(b, "b")}), 1);
  EXPECT_EQ(out, "Beta\tvalue\t50\t60\nGamma\tonly in A\nDelta\tonly in B\n");
  EXPECT_EQ(Run({"diff", folder.Path("a"), folder.Write(c, "c")}), 0);
  EXPECT_EQ(out, "");
  EXPECT_EQ(Run({"diff", folder.Path("a"), folder.Write(MakeFile("a", {alpha}), "d")}), 1);
  EXPECT_EQ(out, "Beta\tonly in A\nGamma\tonly in A\n");
  EXPECT_EQ(Run({"diff", folder.Path("d"), folder.Path("a")}), 1);
  EXPECT_EQ(out, "Beta\tonly in B\nGamma\tonly in B\n");
  // A car in its own place stays matched there, also beside a namesake.
  const QByteArray twin = QByteArray(alpha).replace("50 {value}", "60 {value}");
  EXPECT_EQ(Run({"diff", folder.Path("d"), folder.Write(MakeFile("a", {alpha, twin}), "e")}), 1);
  EXPECT_EQ(out, "Alpha\tonly in B\n");

  // A patch from a to b makes b of a once, and refuses a clash with another mod.
  EXPECT_EQ(Run({"diff", "--patch", folder.Path("a"), folder.Path("b")}), 1);
  folder.Write(out, "p");
  const QString target = Old(a, "t.gci");
  ASSERT_EQ(Run({"patch", "--dry-run", target, folder.Path("p")}), 0) << err;
  EXPECT_TRUE(Untouched(target));
  ASSERT_EQ(Run({"patch", target, folder.Path("p")}), 0) << err;
  EXPECT_EQ(out, "3 values changed, 0 already applied\n");
  EXPECT_EQ(Run({"diff", target, folder.Path("b")}), 0) << out;
  const QString other =
      Old(MakeFile("a", {alpha, QByteArray(beta).replace("50 {value}", "55 {value}"),
                         MakeBlock("Gamma", 2)}),
          "other.gci");
  EXPECT_EQ(Run({"patch", other, folder.Path("p")}), 1);
  EXPECT_EQ(out, "Beta\tvalue\t50\t55\n");
  EXPECT_TRUE(Untouched(other));
  // Merged with b as ours, the same clash; ours decides when asked to.
  const QStringList merge{"merge", folder.Path("a"), folder.Path("b"), other,
                          "-o",    folder.Path("m")};
  EXPECT_EQ(Run(merge), 1);
  EXPECT_EQ(out, "Beta\tvalue\t50\t60\t55\n");
  EXPECT_FALSE(QFile::exists(folder.Path("m")));
  ASSERT_EQ(Run(merge + QStringList{"--prefer", "ours"}), 0) << err;
  EXPECT_EQ(err, "Beta\tvalue\t50\t60\t55\n");
  EXPECT_EQ(Run({"diff", folder.Path("m"), folder.Path("b")}), 0) << out;
}

TEST_F(Cli, WarningsGoToStandardErrorAndLeaveTheExitStatus) {
  // What interrupted saves left beside a file is named; a user's own file is not.
  const QString cars = Old(Cars());
  for (const char* name : {"cars.gci~", "cars.gci.aB3dE9", "cars.gci.backup"}) {
    folder.Write("x", name);
  }
  ASSERT_EQ(Run({"info", cars}), 0);
  EXPECT_EQ(err, "torqlet-cli info: warning: an interrupted save left " + cars.toUtf8() +
                     "~; the file itself may be incomplete\n"
                     "torqlet-cli info: warning: an interrupted save left " +
                     cars.toUtf8() + ".aB3dE9; the file itself may be incomplete\n");
  // A value that grows a hundredfold or more is worth a second look.
  ASSERT_EQ(Run({"apply", cars, "x*100", "--column", "mass", "--column", "turbo", "-o",
                 folder.Path("out.gci")}),
            0);
  EXPECT_TRUE(
      err.endsWith("torqlet-cli apply: warning: 3 values of column 'mass' changed by a "
                   "factor of 100 or more\n"))
      << err;
  // Once the file is saved, a report that cannot be printed changes nothing
  // of the exit status: a script must not do the work again.
  const auto applyToFullDisk = [&](const char* term) {
    return RunProgram(
        "/bin/sh",
        {"-c", QStringLiteral("'%1' apply '%2' '%3' >/dev/full").arg(TORQLET_CLI_PATH, cars, term)},
        &out, &err);
  };
  EXPECT_EQ(applyToFullDisk("x"), 1);
  EXPECT_TRUE(Untouched(cars));
  EXPECT_EQ(applyToFullDisk("x*2"), 0);
  EXPECT_FALSE(Untouched(cars));
  EXPECT_TRUE(
      err.endsWith("torqlet-cli apply: warning: the file is saved, but the report "
                   "cannot be printed: error 75: Path/File access error: cannot write "
                   "the output\n"))
      << err;
}

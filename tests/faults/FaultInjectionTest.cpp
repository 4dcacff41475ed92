#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QProcess>
#include <QThread>

#include "TestSupport.h"

// Every call of a save that touches the file's folder fails in turn, one per
// run of torqlet-cli: after each the file holds all of its old content or all
// of its new content, a reported success means the new content, and nothing
// is left beside the file that the error does not name.
TEST(FaultInjection, EverySystemCallOfASaveFailsInTurnAndTheFileStaysWhole) {
  QByteArray old = MakeFile("head", {MakeBlock("Alpha", 0), MakeBlock("Beta", 1)});
  old.replace("f16.500 {mass}", "f16.5 {mass}");  // kept as read by an unchanged copy
  // The command (F the file to change, S a source file beside it) and whether
  // the file has a second name.
  const std::pair<QStringList, bool> commands[] = {{{"apply", "F", "x*2"}, false},
                                                   {{"apply", "F", "x*2"}, true},
                                                   {{"rewrite", "S", "F"}, false},
                                                   {{"rewrite", "S", "F"}, true},
                                                   {{"rewrite", "--rebuild", "S", "F"}, false},
                                                   {{"rewrite", "--rebuild", "S", "F"}, true}};
  for (const auto& [command, linked] : commands) {
    SCOPED_TRACE((command.join(' ') + (linked ? " (linked)" : "")).toStdString());
    QByteArray expected;
    int injected = 0;
    for (int at = 1;; ++at) {
      ASSERT_LT(at, 200) << "the save never ends without a fault";
      FileFolder folder;
      const QString file = folder.Write(old, "cars.gci");
      const QString source = folder.Write(QByteArray(old).replace("{head}", "{source}"), "in.gci");
      if (linked) {
        ASSERT_EQ(link(QFile::encodeName(file), QFile::encodeName(file + "2")), 0);
      }
      const QString log = folder.path() + ".log";
      QStringList arguments{"TORQLET_FAULT_DIR=" + folder.path(),
                            "TORQLET_FAULT_AT=" + QString::number(expected.isNull() ? 0 : at),
                            "TORQLET_FAULT_LOG=" + log,
                            "LD_PRELOAD=" TORQLET_FAULT_SHIM,
                            "ASAN_OPTIONS=verify_asan_link_order=0:detect_leaks=0",
                            TORQLET_CLI_PATH};
      for (const QString& a : command) arguments << (a == "F" ? file : a == "S" ? source : a);
      QFile::remove(log);
      QByteArray out, err;
      const int status = RunProgram("/usr/bin/env", arguments, &out, &err);
      const QByteArray failed = QFile::exists(log) ? ReadFileBytes(log) : QByteArray();
      QFile::remove(log);
      const QByteArray now = ReadFileBytes(file);
      if (expected.isNull()) {  // the run without a fault, once
        ASSERT_EQ(status, 0) << err;
        ASSERT_NE(now, old);
        expected = now;
        --at;
        continue;
      }
      SCOPED_TRACE(("call " + QByteArray::number(at) + ": " + failed + ": " + err).toStdString());
      EXPECT_TRUE(now == old || now == expected) << now;
      EXPECT_TRUE(!linked || ReadFileBytes(file + "2") == now);
      EXPECT_TRUE(status != 0 || now == expected);
      EXPECT_NE(status, -1);
      QStringList beside = QDir(folder.path()).entryList(QDir::Files | QDir::Hidden);
      beside.removeAll("cars.gci");
      beside.removeAll("cars.gci2");
      beside.removeAll("in.gci");
      for (const QString& name : beside) EXPECT_TRUE(err.contains(name.toUtf8())) << name;
      if (failed.isEmpty()) {
        EXPECT_EQ(status, 0);
        break;
      }
      ++injected;
    }
    EXPECT_GT(injected, 3);
  }
}

// The editor started as a program with a file opens it (the shim, failing
// nothing, notes every call on the file's folder).
TEST(ProgramStart, TheEditorOpensTheFileNamedOnItsCommandLine) {
  FileFolder folder;
  const QString file = folder.Write(StockBytes(), "cars.gci");
  const QString log = folder.path() + ".log";
  QProcess editor;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("QT_QPA_PLATFORM", "offscreen");
  environment.insert("TORQLET_FAULT_DIR", folder.path());
  environment.insert("TORQLET_FAULT_AT", "0");
  environment.insert("TORQLET_FAULT_LOG", log);
  environment.insert("LD_PRELOAD", TORQLET_FAULT_SHIM);
  environment.insert("ASAN_OPTIONS", "verify_asan_link_order=0:detect_leaks=0");
  editor.setProcessEnvironment(environment);
  editor.start(TORQLET_EDITOR_PATH, {file});
  ASSERT_TRUE(editor.waitForStarted());
  const auto opened = [&] {
    return QFile::exists(log) && ReadFileBytes(log).contains(" " + QFile::encodeName(file) + "\n");
  };
  for (int waited = 0; waited < 20000 && !opened(); waited += 50) QThread::msleep(50);
  const bool wasOpened = opened();
  editor.kill();
  editor.waitForFinished();
  QFile::remove(log);
  EXPECT_TRUE(wasOpened);
}

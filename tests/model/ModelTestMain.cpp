#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

// Timers, file watches and settings need an application object; settings
// and recovery journals go to folders of the run's own.
int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  const QTemporaryDir settings;
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(settings.path()));
  qputenv("XDG_STATE_HOME", QFile::encodeName(settings.path()));
  QCoreApplication application(argc, argv);
  return RUN_ALL_TESTS();
}

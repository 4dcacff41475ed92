#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "app/TorqletApplication.h"

// Widget tests need an application object; listing the tests needs none, so
// that test discovery works without a display.
int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
  // The frame's settings go to a folder of the run's own.
  const QTemporaryDir settings;
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(settings.path()));
  // So do the recovery journals of the documents.
  const QTemporaryDir state;
  qputenv("XDG_STATE_HOME", QFile::encodeName(state.path()));
  TorqletApplication application(argc, argv);
  return RUN_ALL_TESTS();
}

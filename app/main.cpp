#include <QApplication>
#include <QCommandLineParser>

#include "app/TorqletApplication.h"
#include "helperlib/QtUserDialogs.h"
#include "ui/frame/Startup.h"
#include "ui/frame/mdfMain.h"

int main(int argc, char* argv[]) {
  TorqletApplication application(argc, argv);
  // --help and --version answer before any window is made.
  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("Editor for the car-information file of a driving game."));
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addPositionalArgument(
      QStringLiteral("FILE"),
      QStringLiteral("Car file to open in a window of its own; without one, the editor asks."),
      QStringLiteral("[FILE...]"));
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

#include <QApplication>
#include <QCommandLineParser>

#include "app/TorqletApplication.h"
#include "helperlib/QtUserDialogs.h"
#include "ui/frame/Startup.h"
#include "ui/frame/mdfMain.h"

int main(int argc, char* argv[]) {
  // --help and --version answer before the application connects to a
  // display, so they work on a terminal without one.
  QStringList files;
  {
    QCoreApplication parsing(argc, argv);
    TorqletApplication::SetUpNames();
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Editor for the car-information file of a driving game."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(
        QStringLiteral("FILE"),
        QStringLiteral("Car file to open in a window of its own; without one, the editor asks."),
        QStringLiteral("[FILE...]"));
    parser.process(parsing);
    files = parser.positionalArguments();
  }
  TorqletApplication application(argc, argv);
  QtUserDialogs dialogs;
  UserDialogs::Install(&dialogs);
  int result = 0;
  {
    mdfMain frame;
    Main(frame, files);
    result = application.exec();
  }
  UserDialogs::Install(nullptr);
  return result;
}

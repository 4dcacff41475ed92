#include <QApplication>
#include <QCommandLineParser>
#include <cstring>

#include "app/TorqletApplication.h"
#include "helperlib/QtUserDialogs.h"
#include "ui/frame/Startup.h"
#include "ui/frame/mdfMain.h"

namespace {

void Describe(QCommandLineParser& parser) {
  parser.setApplicationDescription(
      QStringLiteral("Editor for the car-information file of a driving game."));
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addPositionalArgument(
      QStringLiteral("FILE"),
      QStringLiteral("Car file to open in a window of its own; without one, the editor asks."),
      QStringLiteral("[FILE...]"));
}

bool AsksForHelpOrVersion(int argc, char* argv[]) {
  for (int i = 1; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
    for (const char* option : {"-h", "-?", "--help", "--help-all", "-v", "--version"}) {
      if (std::strcmp(argv[i], option) == 0) return true;
    }
  }
  return false;
}

}  // namespace

int main(int argc, char* argv[]) {
  // --help and --version answer without connecting to a display, so they
  // work on a terminal without one.
  if (AsksForHelpOrVersion(argc, argv)) {
    QCoreApplication application(argc, argv);
    TorqletApplication::SetUpNames();
    QCommandLineParser parser;
    Describe(parser);
    parser.process(application);
    return 0;
  }
  // The application takes Qt's own options (-platform, -style) first.
  TorqletApplication application(argc, argv);
  QCommandLineParser parser;
  Describe(parser);
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

#include <QApplication>

#include "app/TorqletApplication.h"
#include "helperlib/QtUserDialogs.h"
#include "ui/frame/Startup.h"
#include "ui/frame/mdfMain.h"

int main(int argc, char* argv[]) {
  TorqletApplication application(argc, argv);
  QtUserDialogs dialogs;
  UserDialogs::Install(&dialogs);
  int result = 0;
  {
    mdfMain frame;
    Main(frame);
    result = application.exec();
  }
  UserDialogs::Install(nullptr);
  return result;
}

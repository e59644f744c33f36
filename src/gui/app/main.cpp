// kp53win: the desktop program for the HT-620A Series radios.
#include <QApplication>

#include "app/application.h"
#include "app/termination.h"

int main(int argc, char** argv) {
  QApplication qapp(argc, argv);
  QApplication::setApplicationName(QStringLiteral("KP53Win"));
  // A termination request (logout, kill, Ctrl+C) ends the program from any dialog, the start-up
  // ones included, and destroys the main window normally so that it writes the settings.
  Termination::Instance().Install();
  KP53App app;
  if (!app.Start(QApplication::arguments().mid(1))) return 0;
  return Termination::Instance().Exec();
}

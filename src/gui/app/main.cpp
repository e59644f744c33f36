// kp53win: the desktop program for the HT-620A Series radios.
#include <QApplication>
#include <cstring>
#include <iostream>

#include "app/application.h"
#include "app/termination.h"
#include "kp53_version.h"

namespace {

// --help and --version answer on standard output before Qt looks for a display, so that they work
// on a console, over ssh and in a package's checks.
bool AnswerWithoutDisplay(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--version") == 0) {
      std::cout << "kp53win " KP53_VERSION "\n";
      return true;
    }
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::cout << "usage: kp53win [FILE | /m | /f]\n"
                   "  FILE       open the .K53 data file FILE\n"
                   "  /m         maintenance mode, after the pass phrase\n"
                   "  /f         production mode: F5 downloads radio after radio\n"
                   "  --help     print this text and exit\n"
                   "  --version  print the version and exit\n";
      return true;
    }
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (AnswerWithoutDisplay(argc, argv)) return 0;
  QApplication qapp(argc, argv);
  QApplication::setApplicationName(QStringLiteral("KP53Win"));
  QApplication::setApplicationVersion(QStringLiteral(KP53_VERSION));
  // A termination request (logout, kill, Ctrl+C) ends the program from any dialog, the start-up
  // ones included, and destroys the main window normally so that it writes the settings.
  Termination::Instance().Install();
  KP53App app;
  if (!app.Start(QApplication::arguments().mid(1))) return 0;
  return Termination::Instance().Exec();
}

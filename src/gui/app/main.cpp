// kp53win: the desktop program for the HT-620A Series radios.
#include <QApplication>

#include "app/application.h"

int main(int argc, char** argv) {
  QApplication qapp(argc, argv);
  QApplication::setApplicationName(QStringLiteral("KP53Win"));
  KP53App app;
  if (!app.Start(QApplication::arguments().mid(1))) return 0;
  return QApplication::exec();
}

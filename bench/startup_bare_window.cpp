// The yardstick of the start-up benchmark: a bare Qt 6 window of the main window's shape (a menu
// bar, a tool bar, a status line and a table of 130 rows by 22 columns filled with text), with
// nothing of the program behind it.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTableWidget>
#include <QToolBar>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  for (const char* title : {"&File", "&Edit", "&View", "&Channel", "&Common", "&Signaling", "&Radio", "&Help"})
    window.menuBar()->addMenu(QString::fromLatin1(title))->addAction(QStringLiteral("Item"));
  QToolBar* tools = window.addToolBar(QStringLiteral("Tools"));
  for (int i = 0; i < 12; ++i) tools->addAction(QString::number(i));
  auto* table = new QTableWidget(130, 22, &window);
  for (int r = 0; r < table->rowCount(); ++r)
    for (int c = 0; c < table->columnCount(); ++c)
      table->setItem(r, c, new QTableWidgetItem(QStringLiteral("%1.%2").arg(r).arg(c)));
  window.setCentralWidget(table);
  window.statusBar()->showMessage(QStringLiteral("Ready"));
  window.resize(835, 600);
  window.show();
  return app.exec();
}

// The in-program help: one window that shows a topic by its context number, with a contents page.
#pragma once

#include <QDialog>
#include <QString>

class QTextBrowser;

struct HelpTopic {
  int context;
  const char* title;
  const char* text;  // simple HTML
};

// Every topic, in contents order.
const HelpTopic* HelpTopics(int& count);
// The topic of `context`; nullptr when none exists.
const HelpTopic* FindHelpTopic(int context);

class HelpWindow : public QDialog {
  Q_OBJECT
 public:
  explicit HelpWindow(QWidget* parent = nullptr);
  // Shows topic `context`; a number without a topic shows a short note and the contents.
  void ShowTopic(int context);
  void ShowContents();
  int CurrentContext() const { return current_; }
  QString CurrentTitle() const;

 private:
  QTextBrowser* browser_;
  int current_ = 0;
};

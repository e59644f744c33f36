// File > Import Channels... and File > Export Channels...: channel lists as comma-separated values
// for the current group or every allocated channel. An import is one undo step and always ends
// with its report, row by row.
#pragma once

#include <QObject>
#include <QString>
#include <functional>

#include "ports.h"

class CMainFrame;

namespace kp53::gui {

class CChannelListCommands : public QObject {
  Q_OBJECT
 public:
  CChannelListCommands(CMainFrame& frame, UserPrompt& prompt);

  // The dialogs, replaceable by the tests. `chooseScope` answers the group index, kAllGroups, or
  // kNoScope when cancelled, and for an import whether the rows are renumbered from the first
  // channel; `chooseFile` an empty string when cancelled.
  static constexpr int kNoScope = -2;
  struct Scope {
    Scope(int g, bool r = false) : group(g), renumber(r) {}  // NOLINT: a bare group converts
    int group;
    bool renumber;
  };
  std::function<Scope(bool import)> chooseScope;
  std::function<QString(bool import)> chooseFile;
  std::function<void(const QString& title, const QString& text)> showReport;

  void Import();
  void Export();

 private:
  Scope AskScope(bool import);
  QString AskFile(bool import);
  void ShowReport(const QString& title, const QString& text);

  CMainFrame& frame_;
  UserPrompt& prompt_;
};

void RegisterChannelListCommands(CMainFrame& frame, UserPrompt& prompt);

}  // namespace kp53::gui

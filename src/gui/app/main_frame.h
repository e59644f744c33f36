// CMainFrame: the main window around the channel grid view. Menus, toolbar, status bar with its
// clock, the dispatch of every command, the menu-enable sets of the signalling system, the
// refreshes after a dialog, the close question and the settings written at the end of the run.
#pragma once

#include <QHash>
#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <QTime>
#include <QTimer>
#include <functional>

#include "app/help_window.h"
#include "app/lock_keys.h"
#include "channels/rm90_view.h"
#include "document/document.h"

class QAction;
class QMenu;
class QToolBar;

class CMainFrame : public QMainWindow {
  Q_OBJECT
 public:
  // What a dialog command runs; it answers the refresh code to apply (0, 1, 2 or 4).
  using DialogRunner = std::function<int(QWidget* parent)>;
  struct DialogCommand {
    DialogRunner run;
    bool normalizeBefore = true;  // store the channel model and normalise the image first
    bool reloadAfter = false;     // reload the long-lived areas afterwards
  };

  CMainFrame(kp53::CRM90Doc& doc, kp53::UserPrompt& prompt, QWidget* parent = nullptr);
  ~CMainFrame() override;

  CRM90View* View() { return view_; }
  kp53::CRM90Doc& Doc() { return doc_; }
  kp53::UserPrompt& Prompt() { return prompt_; }

  // The action of command `id` (menu or toolbar); nullptr when none.
  QAction* Action(int id) const;
  // Allowed by the menu-enable set (commands outside its ranges are always allowed).
  bool IsCommandAllowed(int id) const;
  // Allowed and built: a command whose dialog does not exist yet stays disabled.
  bool IsCommandEnabled(int id) const;
  // Runs command `id` as a menu choice would.
  void RunCommand(int id);
  // Makes a command work: a dialog command with its before and after steps.
  void RegisterDialogCommand(int id, DialogCommand command);
  void RegisterCommand(int id, std::function<void()> handler);

  // Refresh codes after a dialog: 0 nothing, 1 first group + view + menu set, 2 header, 4 band change.
  void ApplyRefresh(int code);
  // Updates every action's enabled and checked state.
  void UpdateCommandStates();

  // The frame's part of the title (string 135, or the maintenance title, plus "(Factory mode)").
  QString FrameTitle() const;
  void UpdateTitle();
  // " %i:%02i" of the time.
  static QString ClockText(const QTime& t);
  QLabel* ClockPane() { return clock_; }
  QLabel* MessagePane() { return message_; }
  void UpdateClock();
  // The CAPS, NUM and SCRL panes: "CAP", "NUM", "SCRL" while the lock is on, blank while it is
  // off or its state is unknown. Read again on every clock tick and lock-key release.
  QLabel* LockPane(int i) { return i == 0 ? caps_ : i == 1 ? num_ : scrl_; }
  void UpdateLockPanes();
  std::function<std::optional<LockKeyStates>()> lockKeyReader = ReadLockKeyStates;

  // F1: the topic for the focused control or command.
  void ShowHelp(int context);
  HelpWindow* Help() { return help_; }
  int FrameHelpContext() const;

  // Writes COM port, speed, window size and column flags to the settings file (at destruction).
  void WriteSettingsOnExit();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QAction* AddCommand(QMenu* menu, int id, const QString& text, const QKeySequence& key = {});
  void BuildMenus();
  void BuildToolBar();
  void BuildStatusBar();
  void UpdateRecentFiles();
  void RegisterBuiltInCommands();
  // Copy, Paste, Visible and Channel Allocations (channel_commands.cpp).
  void RegisterChannelCommands();
  void OpenRecent(int n);
  void DocumentReplaced();

  kp53::CRM90Doc& doc_;
  kp53::UserPrompt& prompt_;
  CRM90View* view_;
  QToolBar* toolBar_ = nullptr;
  QMenu* editMenu_ = nullptr;
  QMenu* fileMenu_ = nullptr;
  QAction* recentSeparator_ = nullptr;
  QAction* recent_[kp53::kRecentFiles] = {};
  QHash<int, QAction*> actions_;
  QHash<int, QAction*> toolActions_;
  QHash<int, std::function<void()>> handlers_;
  QLabel* message_ = nullptr;
  QLabel* caps_ = nullptr;
  QLabel* num_ = nullptr;
  QLabel* scrl_ = nullptr;
  QLabel* clock_ = nullptr;
  QTimer clockTimer_;
  QPointer<HelpWindow> help_;
  bool settingsWritten_ = false;
};

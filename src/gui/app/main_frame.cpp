#include "app/main_frame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

#include "app/command_ids.h"
#include "app/dialog_commands.h"
#include "app/print_commands.h"
#include "app/channel_list_commands.h"
#include "link/transfers.h"
#include "print/printing_flag.h"
#include "app/config_dialog.h"
#include "app/small_dialogs.h"
#include "app/toolbar_icons.h"
#include "compare/compare_dialog.h"
#include "text/messages.h"

namespace {

QString Str(int id) { return QString::fromStdString(std::string(kp53::MessageText(id))); }

// The window title of the document template: the first line of string 128.
QString TemplateTitle() { return Str(128).section(QLatin1Char('\n'), 0, 0); }

struct MenuEntry {
  int id;
  const char* text;
};

// The View > Item toggles carry the access keys of the Visible dialog's check boxes, except
// "Power Save", whose every letter another entry of the menu holds.
constexpr MenuEntry kColumnToggles[] = {
    {32800, "Pr&i"},      {32801, "&W/N"},       {32802, "&TAG"},      {32803, "&Frequency"}, {32804, "S&ub Audio"},
    {32805, "Power Save"}, {32806, "&Power"},    {32807, "&Scan"},     {32808, "T&OT"},       {32809, "S&quelch"},
    {32810, "Si&gnaling"}, {32812, "DTMF &ANI"}, {32813, "&Encryption"}, {32814, "&Lock Out"}, {32815, "A&RTS"},
    {32816, "&Compander"}, {32817, "&XTAL"},
};

constexpr MenuEntry kCommonMenu[] = {
    {32772, "&Hardware"},      {32774, "&Scanning"},  {32775, "&Power Saving"}, {32776, "&Key Function"},
    {32777, "&Emergency"},     {32778, "&Marketing"}, {32779, "M&Iscellaneous"}, {32780, "&Option"},
    {32781, "Power ON Pass&word"},
};

constexpr MenuEntry kSignalingMenu[] = {
    {32773, "Si&gnaling Type"}, {32783, "&ANI/Speed Dial"}, {32794, "&Paging Setting"}, {32795, "Page &Code"},
    {32784, "&2-Tone"},         {32785, "2-&Tone Table"},   {32786, "2-Tone S&ystems"}, {32787, "2-Tone E&ncode"},
    {32788, "&5-Tone General"}, {32789, "5-Tone &Format"},  {32790, "5-Tone &Systems"}, {32791, "5-Tone &Decode"},
    {32792, "5-Tone &Encode"},  {32793, "5-Tone &User Tone"},
};

// The help context of a command chosen with F1 in a menu or on the toolbar.
int CommandHelpContext(int id) {
  if (id == cmd::kToolUpload || id == cmd::kUpload) return 1000;
  if (id == cmd::kToolDownload || id == cmd::kDownload) return 1001;
  if (id == cmd::kAlignment) return 1002;
  if (id >= 32800 && id <= 32818) return 98364;
  if (id == cmd::kVisible) return 98364;
  if (id == cmd::kPageCode) return 4620;
  if (id == cmd::kTwoToneTable) return 3502;
  if (id == cmd::kFiveToneUserTone) return 4532;
  if (id == cmd::kChannelAllocations) return 335;
  if (id == cmd::kGetStarted) return 98376;
  if (id == cmd::kCommonProblems) return 98377;
  if (id == cmd::kConfigure) return 98386;
  return 0;  // the contents
}

}  // namespace

CMainFrame::CMainFrame(kp53::CRM90Doc& doc, kp53::UserPrompt& prompt, QWidget* parent)
    : QMainWindow(parent), doc_(doc), prompt_(prompt), view_(new CRM90View(doc, this)) {
  setCentralWidget(view_);
  BuildMenus();
  BuildToolBar();
  BuildStatusBar();
  view_->SetEditMenu(editMenu_);
  connect(view_, &CRM90View::StatusText, this, [this](const QString& t) { message_->setText(t); });
  doc_.onUpdate = [this] { DocumentReplaced(); };
  doc_.onChanged = [this] {
    UpdateTitle();
    UpdateCommandStates();
  };
  RegisterBuiltInCommands();
  RegisterChannelCommands();
  kp53::gui::RegisterPrintCommands(*this);
  kp53::gui::RegisterParamCommands(*this);
  new kp53::gui::CTransferCommands(*this, prompt_);  // owned by the frame

  clockTimer_.setInterval(1000);
  connect(&clockTimer_, &QTimer::timeout, this, &CMainFrame::UpdateClock);
  clockTimer_.start();
  UpdateClock();

  // Window size from the settings, never below the minimum, centred on the desktop.
  setMinimumSize(kp53::kMinWindowWidth, kp53::kMinWindowHeight);
  const auto& s = doc_.Context().settings;
  QSize size(std::max(s.cx, kp53::kMinWindowWidth), std::max(s.cy, kp53::kMinWindowHeight));
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect avail = screen->availableGeometry();
    size = size.boundedTo(avail.size()).expandedTo(minimumSize());
    resize(size);
    move(avail.center() - QPoint(size.width() / 2, size.height() / 2));
  } else {
    resize(size);
  }
  qApp->installEventFilter(this);

  view_->RefreshAll();
  UpdateTitle();
  UpdateCommandStates();
  UpdateRecentFiles();
}

CMainFrame::~CMainFrame() {
  qApp->removeEventFilter(this);
  doc_.onUpdate = nullptr;
  doc_.onChanged = nullptr;
  clockTimer_.stop();
  WriteSettingsOnExit();
}

QAction* CMainFrame::AddCommand(QMenu* menu, int id, const QString& text, const QKeySequence& key) {
  auto* a = new QAction(text, this);
  a->setData(id);
  if (!key.isEmpty()) a->setShortcut(key);
  connect(a, &QAction::triggered, this, [this, id] { RunCommand(id); });
  if (menu) menu->addAction(a);
  actions_.insert(id, a);
  return a;
}

void CMainFrame::BuildMenus() {
  QMenuBar* bar = menuBar();
  fileMenu_ = bar->addMenu(QStringLiteral("&File"));
  AddCommand(fileMenu_, cmd::kNew, QStringLiteral("&New"), QKeySequence(Qt::CTRL | Qt::Key_N));
  AddCommand(fileMenu_, cmd::kOpen, QStringLiteral("&Open..."), QKeySequence(Qt::CTRL | Qt::Key_O));
  AddCommand(fileMenu_, cmd::kSave, QStringLiteral("&Save"), QKeySequence(Qt::CTRL | Qt::Key_S));
  AddCommand(fileMenu_, cmd::kSaveAs, QStringLiteral("Save &As..."));
  fileMenu_->addSeparator();
  AddCommand(fileMenu_, cmd::kImportChannels, QStringLiteral("&Import Channels..."));
  AddCommand(fileMenu_, cmd::kExportChannels, QStringLiteral("&Export Channels..."));
  AddCommand(fileMenu_, cmd::kCompareWithFile, QStringLiteral("Co&mpare with File..."));
  fileMenu_->addSeparator();
  AddCommand(fileMenu_, cmd::kPrint, QStringLiteral("&Print..."), QKeySequence(Qt::CTRL | Qt::Key_P));
  AddCommand(fileMenu_, cmd::kPrintPreview, QStringLiteral("Print Pre&view"));
  AddCommand(fileMenu_, cmd::kPrintSetup, QStringLiteral("P&rint Setup..."));
  fileMenu_->addSeparator();
  AddCommand(fileMenu_, cmd::kConfigure, QStringLiteral("&Configure"));
  recentSeparator_ = fileMenu_->addSeparator();
  for (int i = 0; i < kp53::kRecentFiles; ++i) {
    recent_[i] = new QAction(this);
    recent_[i]->setData(cmd::kRecentFile + i);
    connect(recent_[i], &QAction::triggered, this, [this, i] { OpenRecent(i); });
    fileMenu_->addAction(recent_[i]);
  }
  fileMenu_->addSeparator();
  AddCommand(fileMenu_, cmd::kExit, QStringLiteral("E&xit"));

  editMenu_ = bar->addMenu(QStringLiteral("&Edit"));
  AddCommand(editMenu_, cmd::kUndo, QStringLiteral("&Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z));
  AddCommand(editMenu_, cmd::kRedo, QStringLiteral("&Redo"))
      ->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  editMenu_->addSeparator();
  QAction* copy = AddCommand(editMenu_, cmd::kCopy, QStringLiteral("&Copy"));
  copy->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)});
  QAction* paste = AddCommand(editMenu_, cmd::kPaste, QStringLiteral("&Paste"));
  paste->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)});
  AddCommand(editMenu_, cmd::kFillDown, QStringLiteral("Fill &Down"), QKeySequence(Qt::CTRL | Qt::Key_D));

  QMenu* view = bar->addMenu(QStringLiteral("&View"));
  AddCommand(view, cmd::kToolbar, QStringLiteral("&Toolbar"))->setCheckable(true);
  AddCommand(view, cmd::kStatusBar, QStringLiteral("&Status Bar"))->setCheckable(true);
  QMenu* item = view->addMenu(QStringLiteral("&Item"));
  AddCommand(item, cmd::kVisible, QStringLiteral("&Visible"));
  item->addSeparator();
  for (const auto& e : kColumnToggles) AddCommand(item, e.id, QString::fromLatin1(e.text))->setCheckable(true);

  QMenu* common = bar->addMenu(QStringLiteral("&Common"));
  for (const auto& e : kCommonMenu) AddCommand(common, e.id, QString::fromLatin1(e.text));

  QMenu* signaling = bar->addMenu(QStringLiteral("&Signaling"));
  for (const auto& e : kSignalingMenu) {
    AddCommand(signaling, e.id, QString::fromLatin1(e.text));
    if (e.id == cmd::kPageCode || e.id == cmd::kTwoToneEncode || e.id == cmd::kSignalingType) signaling->addSeparator();
  }

  QMenu* radio = bar->addMenu(QStringLiteral("&Radio"));
  AddCommand(radio, cmd::kUpload, QStringLiteral("&Upload"));
  AddCommand(radio, cmd::kDownload, QStringLiteral("&Download"));
  radio->addSeparator();
  AddCommand(radio, cmd::kAlignment, QStringLiteral("&Alignment"));

  // "Ch&annel": Alt+H belongs to Help.
  QMenu* channel = bar->addMenu(QStringLiteral("Ch&annel"));
  AddCommand(channel, cmd::kChannelAllocations, QStringLiteral("Channel &Allocations/Group Alpha Tag"));
  channel->addSeparator();
  AddCommand(channel, cmd::kInsertChannel, QStringLiteral("&Insert Channel"));
  AddCommand(channel, cmd::kDeleteChannel, QStringLiteral("&Delete Channel"));
  AddCommand(channel, cmd::kMoveChannelUp, QStringLiteral("Move &Up"), QKeySequence(Qt::ALT | Qt::Key_Up));
  AddCommand(channel, cmd::kMoveChannelDown, QStringLiteral("Move Do&wn"), QKeySequence(Qt::ALT | Qt::Key_Down));

  QMenu* help = bar->addMenu(QStringLiteral("&Help"));
  AddCommand(help, cmd::kHelpTopics, QStringLiteral("&Help Topics"));
  AddCommand(help, cmd::kGetStarted, QStringLiteral("&Get Started"));
  AddCommand(help, cmd::kCommonProblems, QStringLiteral("&Common Problems"));
  help->addSeparator();
  AddCommand(help, cmd::kAbout, QStringLiteral("&About"));

  // F1 help, without a menu entry.
  QAction* f1 = AddCommand(nullptr, cmd::kHelp, QStringLiteral("Help"), QKeySequence(Qt::Key_F1));
  f1->setShortcutContext(Qt::ApplicationShortcut);
  addAction(f1);

  for (QMenu* m : findChildren<QMenu*>()) {
    connect(m, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);
    m->installEventFilter(this);
  }
}

void CMainFrame::BuildToolBar() {
  toolBar_ = addToolBar(QStringLiteral("Toolbar"));
  toolBar_->setObjectName(QStringLiteral("toolbar"));
  toolBar_->setIconSize(QSize(18, 15));
  toolBar_->setMovable(true);
  toolBar_->setAllowedAreas(Qt::AllToolBarAreas);
  auto add = [this](int id, const QString& tip) {
    auto* a = new QAction(ToolbarIcon(id), tip, this);
    a->setData(id);
    a->setToolTip(tip);
    connect(a, &QAction::triggered, this, [this, id] { RunCommand(id); });
    toolBar_->addAction(a);
    toolActions_.insert(id, a);
  };
  add(cmd::kNew, QStringLiteral("New"));
  add(cmd::kOpen, QStringLiteral("Open"));
  toolBar_->addSeparator();
  add(cmd::kSave, QStringLiteral("Save"));
  toolBar_->addSeparator();
  add(cmd::kCopy, QStringLiteral("Copy"));
  add(cmd::kPaste, QStringLiteral("Paste"));
  toolBar_->addSeparator();
  add(cmd::kPrint, QStringLiteral("Print"));
  toolBar_->addSeparator();
  add(cmd::kToolUpload, QStringLiteral("Upload"));
  add(cmd::kToolDownload, QStringLiteral("Download"));
  toolBar_->addSeparator();
  add(cmd::kToolHelpTopics, QStringLiteral("Help Topics"));
}

void CMainFrame::BuildStatusBar() {
  QStatusBar* sb = statusBar();
  message_ = new QLabel(CRM90View::IdlePromptText(), sb);
  sb->addWidget(message_, 1);
  auto pane = [sb](const QString& sample) {
    auto* l = new QLabel(sb);
    l->setAlignment(Qt::AlignCenter);
    l->setMinimumWidth(l->fontMetrics().horizontalAdvance(sample) + 8);
    sb->addPermanentWidget(l);
    return l;
  };
  caps_ = pane(QStringLiteral("CAP"));
  num_ = pane(QStringLiteral("NUM"));
  scrl_ = pane(QStringLiteral("SCRL"));
  clock_ = pane(QStringLiteral(" 00:00"));
  clock_->setMinimumWidth(std::max(30, clock_->minimumWidth()));
  clock_->setObjectName(QStringLiteral("clock"));
}

QString CMainFrame::ClockText(const QTime& t) {
  return QString::fromStdString(kp53::Format(" %i:%02i", t.hour(), t.minute()));
}

void CMainFrame::UpdateClock() {
  clock_->setText(ClockText(QTime::currentTime()));
  UpdateLockPanes();
}

void CMainFrame::UpdateLockPanes() {
  const std::optional<LockKeyStates> s = lockKeyReader ? lockKeyReader() : std::nullopt;
  caps_->setText(s && s->caps ? QStringLiteral("CAP") : QString());
  num_->setText(s && s->num ? QStringLiteral("NUM") : QString());
  scrl_->setText(s && s->scroll ? QStringLiteral("SCRL") : QString());
}

QAction* CMainFrame::Action(int id) const {
  if (QAction* a = actions_.value(id)) return a;
  return toolActions_.value(id);
}

bool CMainFrame::IsCommandAllowed(int id) const {
  if (id == cmd::kToolUpload) id = cmd::kUpload;
  if (id == cmd::kToolDownload) id = cmd::kDownload;
  return kp53::MenuEnabled(doc_.MenuSet(), id) != 0;
}

bool CMainFrame::IsCommandEnabled(int id) const { return handlers_.contains(id) && IsCommandAllowed(id); }

void CMainFrame::UpdateCommandStates() {
  auto update = [this](int id, QAction* a) {
    a->setEnabled(IsCommandEnabled(id));
    if (id >= 32800 && id <= 32817)
      a->setChecked(doc_.Context().settings.ColumnShown(id - 32800));
  };
  for (auto it = actions_.begin(); it != actions_.end(); ++it) update(it.key(), it.value());
  for (auto it = toolActions_.begin(); it != toolActions_.end(); ++it) update(it.key(), it.value());
  setWindowModified(doc_.IsModified());
  if (QAction* a = actions_.value(cmd::kUndo)) a->setEnabled(doc_.CanUndo());
  if (QAction* a = actions_.value(cmd::kRedo)) a->setEnabled(doc_.CanRedo());
  if (QAction* a = actions_.value(cmd::kToolbar)) a->setChecked(toolBar_->isVisible() || !isVisible());
  if (QAction* a = actions_.value(cmd::kStatusBar)) a->setChecked(statusBar()->isVisible() || !isVisible());
}

void CMainFrame::RunCommand(int id) {
  if (!IsCommandEnabled(id)) return;
  // A command acts on the channels as the user sees them: an open cell edit is finished first.
  // Copy and Paste act on the editor itself, and help leaves it open.
  const bool keepsEdit = id == cmd::kCopy || id == cmd::kPaste || id == cmd::kHelp || id == cmd::kHelpTopics ||
                         id == cmd::kToolHelpTopics || id == cmd::kGetStarted || id == cmd::kCommonProblems;
  if (!keepsEdit && view_->IsEditing()) view_->EndCellEdit();
  handlers_.value(id)();
}

void CMainFrame::RegisterCommand(int id, std::function<void()> handler) {
  // The toolbar's Upload, Download and Help Topics buttons run their menu commands.
  if (id == cmd::kUpload) handlers_.insert(cmd::kToolUpload, [this] { RunCommand(cmd::kUpload); });
  if (id == cmd::kDownload) handlers_.insert(cmd::kToolDownload, [this] { RunCommand(cmd::kDownload); });
  if (id == cmd::kHelpTopics) handlers_.insert(cmd::kToolHelpTopics, [this] { RunCommand(cmd::kHelpTopics); });
  handlers_.insert(id, std::move(handler));
  UpdateCommandStates();
}

void CMainFrame::RegisterDialogCommand(int id, DialogCommand command) {
  RegisterCommand(id, [this, command] {
    doc_.BeginChange();  // one undo step; none when the dialog changed nothing
    if (command.normalizeBefore) kp53::NormalizeImage(doc_.Data());
    const int code = command.run(this);
    if (command.reloadAfter) kp53::ReloadAreas(doc_.Data());
    ApplyRefresh(code);
    doc_.EndChange();
  });
}

void CMainFrame::ApplyRefresh(int code) {
  switch (code) {
    case 1:
      doc_.Data().channels.SelectGroup(0);
      view_->RefreshAll();
      doc_.ChooseMenuSet();
      UpdateCommandStates();
      break;
    case 2:
      view_->FillHeader();
      break;
    case 4:
      doc_.BandChange();  // reloads or writes the default image, then redraws through onUpdate
      break;
    default:
      break;
  }
}

void CMainFrame::DocumentReplaced() {
  view_->RefreshAll();
  UpdateTitle();
  UpdateCommandStates();
  UpdateRecentFiles();
}

QString CMainFrame::FrameTitle() const {
  const auto& ctx = doc_.Context();
  QString t = ctx.maintenanceMode ? TemplateTitle() : Str(135);
  if (ctx.productionMode) t += QStringLiteral("(Factory mode)");
  return t;
}

void CMainFrame::UpdateTitle() {
  setWindowTitle(QString::fromStdString(doc_.Title()) + QStringLiteral("[*] - ") + FrameTitle());
  setWindowModified(doc_.IsModified());
}

void CMainFrame::UpdateRecentFiles() {
  const auto& files = doc_.Context().settings.recentFiles;
  for (int i = 0; i < kp53::kRecentFiles; ++i) {
    const bool shown = i < static_cast<int>(files.size());
    recent_[i]->setVisible(shown);
    if (shown) {
      QString name = QString::fromStdString(files[static_cast<std::size_t>(i)]);
      name.replace(QLatin1Char('&'), QStringLiteral("&&"));
      recent_[i]->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(name));
    }
  }
  recentSeparator_->setVisible(!files.empty());
}

void CMainFrame::OpenRecent(int n) {
  auto& files = doc_.Context().settings.recentFiles;
  if (n < 0 || n >= static_cast<int>(files.size())) return;
  const std::string path = files[static_cast<std::size_t>(n)];
  if (kp53::CheckDataFile(path, 0) == kp53::FileCheck::NotFound) {
    prompt_.Error(32, path);
    files.erase(files.begin() + n);
    UpdateRecentFiles();
    return;
  }
  if (!doc_.AskToSaveChanges()) return;
  doc_.OpenPath(path);
}

void CMainFrame::RegisterBuiltInCommands() {
  RegisterCommand(cmd::kNew, [this] { doc_.New(); });
  RegisterCommand(cmd::kOpen, [this] { doc_.Open(); });
  RegisterCommand(cmd::kSave, [this] {
    view_->CommitGroupTag();
    doc_.Save();
    UpdateTitle();  // an untitled document took the name chosen in Save As
  });
  RegisterCommand(cmd::kSaveAs, [this] {
    view_->CommitGroupTag();
    doc_.SaveAs();
    UpdateTitle();
  });
  RegisterCommand(cmd::kExit, [this] { close(); });
  RegisterCommand(cmd::kUndo, [this] {
    view_->CommitGroupTag();
    doc_.Undo();
  });
  RegisterCommand(cmd::kRedo, [this] { doc_.Redo(); });
  kp53::gui::RegisterChannelListCommands(*this, prompt_);
  RegisterCommand(cmd::kCompareWithFile, [this] {
    view_->CommitGroupTag();
    const std::string path = doc_.Context().currentPath;
    RunCompareWithFile(doc_.Data(), QFileInfo(QString::fromStdString(path)).fileName(), prompt_, this);
  });
  RegisterDialogCommand(cmd::kConfigure, {[this](QWidget* parent) {
                                            ConfigDialog dlg(doc_.Context(), prompt_, parent);
                                            dlg.help = [this](int c) { ShowHelp(c); };
                                            dlg.exec();
                                            return 2;
                                          },
                                          false, false});
  RegisterCommand(cmd::kToolbar, [this] {
    toolBar_->setVisible(!toolBar_->isVisible());
    UpdateCommandStates();
  });
  RegisterCommand(cmd::kStatusBar, [this] {
    statusBar()->setVisible(!statusBar()->isVisible());
    UpdateCommandStates();
  });
  for (const auto& e : kColumnToggles) {
    const int item = e.id - cmd::kFirstColumnToggle;
    RegisterCommand(e.id, [this, item] {
      view_->ToggleColumnItem(item);
      UpdateCommandStates();
    });
  }
  RegisterCommand(cmd::kHelpTopics, [this] { ShowHelp(0); });
  RegisterCommand(cmd::kGetStarted, [this] { ShowHelp(98376); });
  RegisterCommand(cmd::kCommonProblems, [this] { ShowHelp(98377); });
  RegisterCommand(cmd::kAbout, [this] {
    AboutDialog dlg(this);
    dlg.exec();
  });
  RegisterCommand(cmd::kHelp, [this] { ShowHelp(FrameHelpContext()); });
}

int CMainFrame::FrameHelpContext() const { return view_->HelpContext(); }

void CMainFrame::ShowHelp(int context) {
  // Over a modal dialog the help window belongs to that dialog, or the dialog would block it; when
  // the dialog closes, the window comes back to the frame and stays open.
  QWidget* owner = QApplication::activeModalWidget();
  if (!owner) owner = this;
  if (!help_) {
    help_ = new HelpWindow(owner);
    help_->setAttribute(Qt::WA_DeleteOnClose);
  } else if (help_->parentWidget() != owner) {
    help_->setParent(owner, help_->windowFlags());
  }
  if (auto* dialog = qobject_cast<QDialog*>(owner)) {
    connect(dialog, &QDialog::finished, help_, [this] {
      if (!help_ || help_->parentWidget() == this) return;
      const bool shown = help_->isVisible();
      help_->setParent(this, help_->windowFlags());
      if (shown) help_->show();
    });
  }
  if (context == 0) help_->ShowContents(); else help_->ShowTopic(context);
  help_->show();
  help_->raise();
  help_->activateWindow();
}

void CMainFrame::WriteSettingsOnExit() {
  if (settingsWritten_) return;
  settingsWritten_ = true;
  auto& ctx = doc_.Context();
  const QSize size = (isMaximized() || isMinimized()) ? normalGeometry().size() : this->size();
  ctx.settings.cx = std::max(size.width(), kp53::kMinWindowWidth);
  ctx.settings.cy = std::max(size.height(), kp53::kMinWindowHeight);
  ctx.SaveSettings();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  auto& ctx = doc_.Context();
  view_->CommitGroupTag();
  if (ctx.modified && !kp53::print::IsPrinting() && !doc_.AskToSaveChanges()) {
    event->ignore();
    return;
  }
  if (help_) help_->close();
  event->accept();
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyRelease && watched->isWidgetType()) {
    const int k = static_cast<QKeyEvent*>(event)->key();
    if (k == Qt::Key_CapsLock || k == Qt::Key_NumLock || k == Qt::Key_ScrollLock) UpdateLockPanes();
  }
  if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_F1) {
      // Shift+F1 (context-help mode) is swallowed.
      if (key->modifiers() & Qt::ShiftModifier) return true;
      if (auto* menu = qobject_cast<QMenu*>(watched); menu && event->type() == QEvent::KeyPress) {
        if (QAction* a = menu->activeAction(); a && a->data().isValid()) {
          const int context = CommandHelpContext(a->data().toInt());
          menu->close();
          ShowHelp(context);
          return true;
        }
      }
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

// A main window on the offscreen platform with scripted prompts and file dialogs, in its own
// temporary executable and working folders.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <deque>
#include <filesystem>
#include <map>
#include <memory>
#include <vector>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "app/command_ids.h"
#include "app/dialog_commands.h"
#include "app/main_frame.h"
#include "document/document.h"
#include "fake_prompt.h"
#include "link/transfers.h"
#include "params/filtered_edit.h"
#include "params/param_dialog.h"
#include "sim/radio_sim.h"
#include "text/messages.h"

// The title as the window manager shows it: the "[*]" marker becomes "*" while the document has
// unsaved changes and disappears otherwise.
inline QString ShownTitle(const QWidget& w) {
  QString t = w.windowTitle();
  t.replace(QStringLiteral("[*]"), w.isWindowModified() ? QStringLiteral("*") : QString());
  return t;
}

// Runs `step` on the modal dialog of type T as soon as it is shown.
template <typename T>
void OnModal(std::function<void(T&)> step) {
  QTimer::singleShot(0, [step] {
    auto* dlg = qobject_cast<T*>(QApplication::activeModalWidget());
    ASSERT_NE(dlg, nullptr);
    step(*dlg);
  });
}

// Waits (up to 20 s, handling events) until a dialog of type T is the active modal window.
template <typename T>
T* WaitForModal() {
  T* d = nullptr;
  (void)QTest::qWaitFor([&] { return (d = qobject_cast<T*>(QApplication::activeModalWidget())) != nullptr; }, 20000);
  return d;
}

// Runs `script` once a dialog of type T is the active modal window. It polls instead of waiting,
// so that the modal loops that come first (a gauge's, a menu's) can end.
template <typename T, typename Script>
void WhenModal(QObject* context, Script script) {
  auto* poll = new QTimer(context);
  QObject::connect(poll, &QTimer::timeout, context, [poll, script] {
    if (auto* d = dynamic_cast<T*>(QApplication::activeModalWidget())) {
      poll->stop();
      poll->deleteLater();
      script(d);
    }
  });
  poll->start(20);
}

// With KP53_SHOTS set to a folder, `w` is saved there as a picture to look at.
inline void Shot(QWidget* w, const QString& name) {
  if (qEnvironmentVariableIsSet("KP53_SHOTS")) w->grab().save(qEnvironmentVariable("KP53_SHOTS") + '/' + name + ".png");
}

// Types `text` into field `id` of `dlg` as a user does and finishes it with Enter.
inline void TypeInto(kp53::gui::CParamDialog& dlg, int id, const QString& text) {
  kp53::gui::CFilteredEdit* edit = dlg.Edit(id);
  ASSERT_NE(edit, nullptr) << id;
  edit->setFocus();
  QTest::keyClicks(edit, text);
  QTest::keyClick(edit, Qt::Key_Return);
}

// The dialog of the Common or Signaling command that has field `id` (a help topic of its, or a
// widget of its for fields that share a topic), or nullptr. Which command it is, is found once.
inline std::unique_ptr<kp53::gui::CParamDialog> OpenDialogOf(int id, const kp53::gui::ParamEnv& env) {
  static std::map<int, const kp53::gui::ParamCommand*> found;
  auto has = [&](const kp53::gui::ParamCommand& c) {
    for (const HelpTopic& t : c.help)
      if (t.context == id) return true;
    return c.create(env, nullptr)->Field(id) != nullptr;
  };
  if (!found.count(id)) {
    found[id] = nullptr;
    for (const kp53::gui::ParamCommand& c : kp53::gui::ParamCommands())
      if (c.create && has(c)) {
        found[id] = &c;
        break;
      }
  }
  return found[id] ? found[id]->create(env, nullptr) : nullptr;
}

// Chooses the item `text` of list `id` of `dlg`.
inline void ChooseItem(kp53::gui::CParamDialog& dlg, int id, const QString& text) {
  const int index = dlg.Combo(id)->findText(text);
  ASSERT_GE(index, 0) << id << " has no item " << text.toStdString();
  dlg.Combo(id)->setCurrentIndex(index);
}

class GuiScriptPrompt : public kp53::UserPrompt {
 public:
  std::vector<std::string> shown;
  std::deque<kp53::Answer> answers;
  int beeps = 0;
  void Beep() override { ++beeps; }
  kp53::Answer Show(std::string_view text, kp53::Icon, kp53::Buttons buttons) override {
    shown.emplace_back(text);
    if (buttons == kp53::Buttons::Ok) return kp53::Answer::Ok;
    if (answers.empty()) return kp53::Answer::Cancel;
    const kp53::Answer a = answers.front();
    answers.pop_front();
    return a;
  }
};

class GuiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root = std::filesystem::temp_directory_path() /
           ("kp53gui-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root / "exe");
    std::filesystem::create_directories(root / "work");
    ctx.exeDir = (root / "exe").string();
    ctx.workDir = (root / "work").string();
    doc = std::make_unique<kp53::CRM90Doc>(ctx, prompt, chooser);
    doc->BuildImage();
  }
  void TearDown() override {
    frame.reset();
    doc.reset();
    std::filesystem::remove_all(root);
  }
  CMainFrame& Frame() {
    if (!frame) frame = std::make_unique<CMainFrame>(*doc, prompt);
    return *frame;
  }
  CRM90View& View() { return *Frame().View(); }
  // A parameter dialog of type D on the document, shown; F1 in it is noted in `helped`.
  template <class D>
  std::unique_ptr<D> Open() {
    auto dlg = std::make_unique<D>(kp53::gui::ParamEnv{*doc, prompt, [this](int context) { helped.push_back(context); }});
    dlg->show();
    return dlg;
  }
  CMSFlexGrid& Grid() { return *View().Grid(); }
  kp53::ChannelEntry& Ch(int index) { return doc->Data().channels.Entry(index); }
  QPoint CellCentre(int row, int column) { return Grid().visualRect(Grid().model()->index(row - kFirstRow, column)).center(); }
  // Shows the window, waits until it is active and puts the focus on cell (row, column).
  void FocusCell(int row, int column) {
    if (!Frame().isVisible()) {
      Frame().show();
      ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
    }
    Grid().setFocus();
    Grid().SetRow(row);
    Grid().SetCol(column);
  }
  static constexpr int kFirstRow = 2;  // the first channel row below the two header rows

  std::filesystem::path root;
  kp53::AppContext ctx;
  GuiScriptPrompt prompt;
  kp53::test::ScriptedChooser chooser;
  std::unique_ptr<kp53::CRM90Doc> doc;
  std::unique_ptr<CMainFrame> frame;
  std::vector<int> helped;
};

// The window with the radio simulator on a pseudo-terminal as COM3.
class RadioGuiTest : public GuiTest {
 protected:
  // A radio that powers on shortly after the first byte and repeats "P" until answered.
  static kp53::sim::SimOptions SwitchedOffRadio() {
    kp53::sim::SimOptions o;
    o.memory = kp53::sim::DefaultRadioMemory();
    o.powerOnDelayMs = 300;
    o.repeatReadyMs = 300;
    return o;
  }
  void StartRadio(kp53::sim::SimOptions options) {
    radio = std::make_unique<kp53::sim::RadioSimulator>(std::move(options));
    std::string error;
    ASSERT_TRUE(radio->Start(&error)) << error;
    ctx.settings.comPort = 3;
    ctx.settings.comDevice[2] = radio->DevicePath();
  }
  kp53::gui::CTransferCommands& Transfers() { return *Frame().findChild<kp53::gui::CTransferCommands*>(); }
  bool Shown(const std::string& text) const {
    return std::find(prompt.shown.begin(), prompt.shown.end(), text) != prompt.shown.end();
  }

  std::unique_ptr<kp53::sim::RadioSimulator> radio;
};

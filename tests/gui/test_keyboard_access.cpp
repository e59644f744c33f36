// Keyboard-only work: every menu entry has its own access key, and every Common and Signaling
// dialog opens from the menu by its keys, starts on its first field, tabs through its fields to
// OK and Cancel, and closes with OK, or with Escape after a change that it then takes back.
#include <QMenu>
#include <QMenuBar>
#include <set>

#include "channels/flex_grid.h"
#include "gui_fixture.h"
#include "image/image_rules.h"

namespace {

QChar AccessKey(const QString& text) {
  const qsizetype i = text.indexOf(QLatin1Char('&'));
  return i >= 0 && i + 1 < text.size() ? text.at(i + 1).toUpper() : QChar();
}

class KeyboardAccessTest : public GuiTest {};

TEST_F(KeyboardAccessTest, NoTwoEntriesOfAMenuOrOfTheMenuBarShareAnAccessKey) {
  QList<QMenu*> menus{nullptr};  // nullptr stands for the menu bar
  for (QAction* a : Frame().menuBar()->actions())
    if (a->menu()) menus << a->menu();
  for (int i = 1; i < menus.size(); ++i)
    for (QAction* a : menus[i]->actions())
      if (a->menu()) menus << a->menu();
  for (QMenu* menu : menus) {
    const QList<QAction*> actions = menu ? menu->actions() : Frame().menuBar()->actions();
    std::map<QChar, QString> seen;
    for (QAction* a : actions) {
      if (a->isSeparator() || a->text().isEmpty()) continue;
      const QChar key = AccessKey(a->text());
      if (key.isNull()) continue;
      const auto [it, fresh] = seen.emplace(key, a->text());
      EXPECT_TRUE(fresh) << (menu ? menu->title() : QStringLiteral("menu bar")).toStdString() << ": "
                         << it->second.toStdString() << " and " << a->text().toStdString();
    }
  }
}

struct DialogCase {
  int command;
  Qt::Key menu;   // with Alt
  Qt::Key entry;
  bool twoTone;   // the entry is enabled with 2-tone signalling
};

// Drives the dialog that `open` shows: checks the focus and the Tab order, then `finish` closes it
// (a dialog still open after a failed check is cancelled, so that the run goes on).
void WalkDialog(const std::function<void()>& open, const std::function<void(kp53::gui::CParamDialog&)>& finish,
                QString* title) {
  bool ran = false;
  QObject scope;  // ends the polling with the walk
  // Drives the dialog once it is shown (opening it by the keys processes events first).
  WhenModal<kp53::gui::CParamDialog>(&scope, [&](kp53::gui::CParamDialog* dlg) {
    ran = true;
    *title = dlg->windowTitle();
    const std::string name = title->toStdString();
    EXPECT_TRUE(QTest::qWaitForWindowActive(dlg)) << name;
    // The menu bar hands the focus back to the main window as its menu closes; the dialog's own
    // focus counts once the dialog is the active window again.
    for (int i = 0; i < 50 && !dlg->isAncestorOf(QApplication::focusWidget()); ++i) {
      QApplication::setActiveWindow(dlg);
      QTest::qWait(20);
    }
    QWidget* first = QApplication::focusWidget();
    auto walk = [&] {
      if (!first || !dlg->isAncestorOf(first) || first == dlg->OkButton() || first == dlg->CancelButton()) {
        ADD_FAILURE() << name << ": the focus is not on a field but on "
                      << (first ? first->metaObject()->className() : "nothing") << " "
                      << (first ? first->objectName().toStdString() : std::string());
        return false;
      }
      // Tab (Ctrl+Tab out of a table) through the fields, then OK, Cancel and round again.
      std::set<QWidget*> fields;
      for (int i = 0; i < 200 && QApplication::focusWidget() != dlg->OkButton(); ++i) {
        QWidget* f = QApplication::focusWidget();
        if (f == dlg->CancelButton() || !fields.insert(f).second) {
          ADD_FAILURE() << name << ": Tab stays on or returns to " << f->metaObject()->className() << " "
                        << f->objectName().toStdString() << " before OK";
          return false;
        }
        QTest::keyClick(f, Qt::Key_Tab, qobject_cast<CMSFlexGrid*>(f) ? Qt::ControlModifier : Qt::NoModifier);
      }
      if (QApplication::focusWidget() != dlg->OkButton()) return false;
      QTest::keyClick(dlg->OkButton(), Qt::Key_Tab);
      EXPECT_EQ(QApplication::focusWidget(), dlg->CancelButton()) << name;
      QTest::keyClick(dlg->CancelButton(), Qt::Key_Tab);
      EXPECT_EQ(QApplication::focusWidget(), first) << name;
      return true;
    };
    if (walk()) finish(*dlg);
    if (dlg->isVisible()) dlg->CancelButton()->click();
  });
  open();
  EXPECT_TRUE(ran);
}

TEST_F(KeyboardAccessTest, EveryCommonAndSignalingDialogWorksFromTheKeyboardAlone) {
  const DialogCase cases[] = {
      {cmd::kHardware, Qt::Key_C, Qt::Key_H, false},       {cmd::kScanning, Qt::Key_C, Qt::Key_S, false},
      {cmd::kPowerSaving, Qt::Key_C, Qt::Key_P, false},    {cmd::kKeyFunction, Qt::Key_C, Qt::Key_K, false},
      {cmd::kEmergency, Qt::Key_C, Qt::Key_E, false},      {cmd::kMarketing, Qt::Key_C, Qt::Key_M, false},
      {cmd::kMiscellaneous, Qt::Key_C, Qt::Key_I, false},  {cmd::kOption, Qt::Key_C, Qt::Key_O, false},
      {cmd::kPowerOnPassword, Qt::Key_C, Qt::Key_W, false}, {cmd::kSignalingType, Qt::Key_S, Qt::Key_G, false},
      {cmd::kAniSpeedDial, Qt::Key_S, Qt::Key_A, false},   {cmd::kPagingSetting, Qt::Key_S, Qt::Key_P, false},
      {cmd::kPageCode, Qt::Key_S, Qt::Key_C, false},       {cmd::kTwoTone, Qt::Key_S, Qt::Key_2, true},
      {cmd::kTwoToneTable, Qt::Key_S, Qt::Key_T, true},    {cmd::kTwoToneSystems, Qt::Key_S, Qt::Key_Y, true},
      {cmd::kTwoToneEncode, Qt::Key_S, Qt::Key_N, true},   {cmd::kFiveToneGeneral, Qt::Key_S, Qt::Key_5, false},
      {cmd::kFiveToneFormat, Qt::Key_S, Qt::Key_F, false}, {cmd::kFiveToneSystems, Qt::Key_S, Qt::Key_S, false},
      {cmd::kFiveToneDecode, Qt::Key_S, Qt::Key_D, false}, {cmd::kFiveToneEncode, Qt::Key_S, Qt::Key_E, false},
      {cmd::kFiveToneUserTone, Qt::Key_S, Qt::Key_U, false},
  };
  Frame().show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
  for (const DialogCase& c : cases) {
    SCOPED_TRACE(c.command);
    kp53::ChangeSignalingType(doc->Data(), c.twoTone ? 0 : 1);
    doc->ChooseMenuSet();
    doc->SetModified(false);
    Frame().UpdateCommandStates();
    ASSERT_TRUE(Frame().IsCommandEnabled(c.command));
    const QString expected = Frame().Action(c.command)->text();
    auto openByKeys = [&] {
      QApplication::setActiveWindow(&Frame());
      ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
      Grid().setFocus();
      QTest::keyClick(&Frame(), c.menu, Qt::AltModifier);
      QWidget* popup = QApplication::activePopupWidget();
      ASSERT_NE(popup, nullptr);
      QTest::keyClick(popup, c.entry);
    };
    // A change of the first field, then Escape: the image stays as it was, and the document
    // counts as changed. Then an edit of it and Enter on OK (which Tab reaches, as the walk shows).
    for (const bool cancel : {true, false}) {
      const kp53::ImageSnapshot before = doc->CaptureState();
      QString title;
      bool changed = false, closed = false;
      WalkDialog(openByKeys,
                 [&](kp53::gui::CParamDialog& dlg) {
                   QWidget* first = QApplication::focusWidget();
                   if (auto* edit = qobject_cast<kp53::gui::CFilteredEdit*>(first); edit && cancel) {
                     QTest::keyClicks(edit, QStringLiteral("1"));
                     QTest::keyClick(edit, Qt::Key_Return);
                     changed = true;
                   } else if (auto* combo = qobject_cast<QComboBox*>(first)) {
                     const int was = combo->currentIndex();
                     QTest::keyClick(combo, cancel && was + 1 == combo->count() ? Qt::Key_Up : Qt::Key_Down);
                     changed = combo->currentIndex() != was;
                   }
                   if (cancel) return QTest::keyClick(&dlg, Qt::Key_Escape);
                   dlg.OkButton()->setFocus();
                   QTest::keyClick(dlg.OkButton(), Qt::Key_Return);
                   closed = !dlg.isVisible() && dlg.result() == QDialog::Accepted;
                 },
                 &title);
      EXPECT_FALSE(title.isEmpty()) << expected.toStdString();
      if (!cancel) {
        EXPECT_TRUE(closed) << title.toStdString();
        continue;
      }
      EXPECT_TRUE(doc->CaptureState() == before) << title.toStdString();
      // (A system chosen and cancelled in Signaling Type leaves even the flag alone.)
      EXPECT_EQ(doc->IsModified(), changed && c.command != cmd::kSignalingType) << title.toStdString();
    }
  }
}

}  // namespace

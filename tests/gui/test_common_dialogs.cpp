// The dialogs of the Common menu on the offscreen platform: how their fields reach the image.
// The rules themselves (clamps, completions, list rules) are tested in the core.
#include <QLayout>

#include "gui_fixture.h"
#include "image/common_options_area.h"
#include "params/emergency_dialog.h"
#include "params/key_function_dialog.h"
#include "params/marketing_dialog.h"
#include "params/misc_dialog.h"
#include "params/option_dialog.h"
#include "params/password_dialog.h"
#include "params/power_saving_dialog.h"

using kp53::gui::CParamDialog;
using kp53::gui::ParamEnv;

namespace {

// The dialogs of the Common menu, then those of the Signaling menu that are no tables.
constexpr int kDialogCommands[] = {
    cmd::kScanning,      cmd::kPowerSaving,  cmd::kKeyFunction,  cmd::kEmergency,        cmd::kMarketing,
    cmd::kMiscellaneous, cmd::kOption,       cmd::kPowerOnPassword, cmd::kSignalingType, cmd::kAniSpeedDial,
    cmd::kPagingSetting, cmd::kPageCode,     cmd::kFiveToneGeneral, cmd::kFiveToneFormat, cmd::kFiveToneUserTone};
constexpr int kFirstSignalingDialog = 8;

QStringList ItemsOf(const QComboBox* combo) {
  QStringList items;
  for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
  return items;
}

}  // namespace

class CommonDialogTest : public GuiTest {
 protected:
  std::unique_ptr<CParamDialog> OpenCommand(int id) {
    return kp53::gui::FindParamCommand(id)->create(ParamEnv{*doc, prompt, {}}, nullptr);
  }
  kp53::RadioImage& Image() { return doc->Data().image; }
  kp53::CommonOptionsArea Options() {
    kp53::CommonOptionsArea a;
    a.LoadFromImage(Image());
    return a;
  }
};

TEST_F(CommonDialogTest, KeyFunctionListsGiveEachFunctionToOneKey) {
  auto dlg = Open<kp53::gui::CKeyFunctionDlg>();
  const auto slotList = [&](int slot) { return ItemsOf(dlg->Combo(2250 + slot)); };
  const QString scan = QStringLiteral("Scan          ");
  const QString none = QStringLiteral("None          ");
  ChooseItem(*dlg, 2252, scan);  // [A] press; (which slots offer what: the list parity walk)
  for (int slot = 0; slot < 12; ++slot) EXPECT_EQ(slotList(slot).contains(scan), slot == 2) << slot;
  EXPECT_EQ(dlg->Combo(2252)->currentText(), scan);
  // Monitor belongs to [SIDE1] press; freed, every list offers it again.
  EXPECT_FALSE(slotList(1).contains(QStringLiteral("Monitor       ")));
  ChooseItem(*dlg, 2250, none);
  for (int slot = 0; slot < 12; ++slot) EXPECT_TRUE(slotList(slot).contains(QStringLiteral("Monitor       "))) << slot;
  ChooseItem(*dlg, 2262, QStringLiteral("Group  "));
  dlg->OkButton()->click();
  EXPECT_EQ(Image()[129], 0);
  EXPECT_EQ(Image()[131], 8);
  EXPECT_EQ(Image()[6] & 0x40, 0x40);
}

TEST_F(CommonDialogTest, KeyFunctionForTheHt610DropsWhatItLacksWhenOpening) {
  doc->Data().hardware.model = 0;
  Image()[132] = 6;  // [B] press: Channel UP, an HT-620 Series function
  auto dlg = Open<kp53::gui::CKeyFunctionDlg>();
  EXPECT_EQ(dlg->Combo(2253)->currentText(), QStringLiteral("None          "));
  for (int slot = 0; slot < 12; ++slot) {  // (what each slot offers: the core and the list parity walk)
    const bool side = slot == 0 || slot == 1 || slot == 6 || slot == 7;
    EXPECT_EQ(dlg->Combo(2250 + slot)->isEnabled(), side) << slot;
  }
  EXPECT_FALSE(dlg->Combo(2262)->isEnabled());
  dlg->OkButton()->click();
  EXPECT_EQ(Image()[132], 0);
}

TEST_F(CommonDialogTest, SerialNumberIsCompletedAndEditableOnlyInMaintenanceMode) {
  EXPECT_FALSE(Open<kp53::gui::CMarketingDlg>()->Edit(2401)->isEnabled());

  ctx.maintenanceMode = true;
  auto dlg = Open<kp53::gui::CMarketingDlg>();
  ASSERT_TRUE(dlg->Edit(2401)->isEnabled());
  TypeInto(*dlg, 2401, QStringLiteral("1"));
  EXPECT_TRUE(ctx.marketingEdited);
  dlg->OkButton()->click();
  EXPECT_EQ(Image()[7721], 0x11);  // "1", then "C" as its distance from "B"

  // Cancel drops the edit and with it the mark that would write it to the radio.
  ctx.marketingEdited = false;
  dlg = Open<kp53::gui::CMarketingDlg>();
  TypeInto(*dlg, 2400, QStringLiteral("12"));
  EXPECT_TRUE(ctx.marketingEdited);
  dlg->CancelButton()->click();
  EXPECT_FALSE(ctx.marketingEdited);
  EXPECT_EQ(doc->Data().identity.marketApplication, "0000");
}

TEST_F(CommonDialogTest, MiscellaneousSplitClampRestoredOnCancelAndRevBurstLeftForGood) {
  kp53::CommonOptionsArea options = Options();
  options.squelchTailElim = 2;
  options.StoreToImage(Image());
  auto dlg = Open<kp53::gui::CMiscDlg>();
  EXPECT_EQ(dlg->Combo(2502)->currentText(), QStringLiteral("Rev. Burst "));
  ChooseItem(*dlg, 2502, QStringLiteral("Disabled"));
  EXPECT_EQ(dlg->Combo(2502)->count(), 3);  // the list without "Rev. Burst " (its items: core list rules)
  TypeInto(*dlg, 2520, QStringLiteral("150"));
  EXPECT_DOUBLE_EQ(doc->Data().defaultSplit, 99.9);
  dlg->CancelButton()->click();
  EXPECT_DOUBLE_EQ(doc->Data().defaultSplit, 0.0);
  EXPECT_EQ(Options().squelchTailElim, 2);
}

TEST_F(CommonDialogTest, LeavingTheVmuBoardClearsTheSignallingOfEveryChannelUnlessCancelled) {
  kp53::CommonOptionsArea options = Options();
  options.optionBoard = kp53::CommonOptionsArea::kOptionVmu140;
  options.StoreToImage(Image());
  auto& channels = doc->Data().channels;
  for (int i = 0; i < 256; i += 5) {
    channels.Entry(i).signalType = 1 + i % 3;
    channels.Entry(i).signalNo = 3;
  }
  channels.StoreToImage(Image(), doc->Data().hardware);

  const kp53::RadioImage before = Image();
  const auto signalled = [&] {
    kp53::ChannelTable stored;
    stored.LoadFromImage(Image(), doc->Data().hardware);
    int count = 0;
    for (int i = 0; i < 256; ++i) count += stored.Entry(i).signalType != 0 || stored.Entry(i).signalNo != 0;
    return count;
  };
  auto dlg = Open<kp53::gui::COptionDlg>();
  ChooseItem(*dlg, 4527, QStringLiteral("Dummy               "));
  EXPECT_EQ(signalled(), 0);
  dlg->CancelButton()->click();
  EXPECT_TRUE(Image() == before);

  dlg = Open<kp53::gui::COptionDlg>();
  EXPECT_FALSE(dlg->Combo(4529)->isEnabled());
  ChooseItem(*dlg, 4527, QStringLiteral("Dummy               "));
  ChooseItem(*dlg, 4527, QStringLiteral("VRU-8               "));
  for (int id : {4529, 4530, 4531}) EXPECT_TRUE(dlg->Combo(id)->isEnabled()) << id;
  ChooseItem(*dlg, 4530, QStringLiteral("Signal "));
  // OK first lists the channels' signalling it takes and asks.
  prompt.answers = {kp53::Answer::Yes};
  dlg->OkButton()->click();
  ASSERT_FALSE(prompt.shown.empty());
  EXPECT_NE(prompt.shown.back().find("channels.1.signal_type"), std::string::npos) << prompt.shown.back();
  EXPECT_EQ(Options().optionBoard, kp53::CommonOptionsArea::kOptionVru8);
  EXPECT_EQ(Options().playMode, 1);
  EXPECT_EQ(signalled(), 0);
}

// What the password and the power-on tag store is the field table's parity test's; here, when
// they can be edited at all.
TEST_F(CommonDialogTest, PasswordFollowsItsSwitchAndTheTagTheModel) {
  auto dlg = Open<kp53::gui::CPowerOnPasswordDlg>();
  EXPECT_FALSE(dlg->Edit(4512)->isEnabled());
  ChooseItem(*dlg, 4515, QStringLiteral("Enabled "));
  EXPECT_TRUE(dlg->Edit(4512)->isEnabled());
  dlg->OkButton()->click();
  EXPECT_EQ(Image()[7712] & 1, 1);

  EXPECT_TRUE(Open<kp53::gui::CPowerSavingDlg>()->Edit(2150)->isEnabled());
  doc->Data().hardware.model = 0;
  EXPECT_FALSE(Open<kp53::gui::CPowerSavingDlg>()->Edit(2150)->isEnabled());
}

// Every field of every dialog, in both modes and for both models: a prompt in the status line
// when it has the focus, nothing clipped (pictures of them with KP53_SHOTS).
TEST_F(CommonDialogTest, EveryFieldShowsItsPromptAndNothingIsClipped) {
  const int* const firstSignaling = kDialogCommands + kFirstSignalingDialog;
  for (const bool maintenance : {false, true}) {
    for (const int model : {1, 0}) {
      ctx.maintenanceMode = maintenance;
      doc->Data().hardware.model = model;
      for (const int& command : kDialogCommands) {
        SCOPED_TRACE(command);
        auto dlg = OpenCommand(command);
        // Every field has a prompt; in the Signaling menu a help topic too.
        for (int id = 2000; id < 5000; ++id) {
          if (!dlg->Field(id)) continue;
          EXPECT_FALSE(kp53::MessageText(id).empty()) << id;
          if (&command >= firstSignaling) {
            EXPECT_NE(FindHelpTopic(dlg->HelpContext(id)), nullptr) << id;
          }
        }
        dlg->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dlg.get()));
        dlg->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dlg.get()));
        for (QWidget* w : dlg->findChildren<QWidget*>()) {
          if (!w->isVisible()) continue;
          if (qobject_cast<QComboBox*>(w) || qobject_cast<QLineEdit*>(w) || qobject_cast<QLabel*>(w)) {
            EXPECT_GE(w->width(), w->sizeHint().width()) << w->metaObject()->className() << " "
                                                          << w->property("text").toString().toStdString();
          }
          if ((qobject_cast<QComboBox*>(w) || qobject_cast<QLineEdit*>(w)) && w->isEnabled() &&
              w->parentWidget() == dlg.get()) {
            w->setFocus();
            QCoreApplication::processEvents();
            QLabel* pane = dlg->PromptPane();
            EXPECT_FALSE(pane->text().trimmed().isEmpty()) << w->metaObject()->className();
            EXPECT_GE(pane->contentsRect().width(), pane->fontMetrics().horizontalAdvance(pane->text()))
                << pane->text().toStdString();
          }
        }
        dlg->layout()->activate();
        QTest::qWait(20);
        Shot(dlg.get(), QStringLiteral("%1-%2-%3").arg(command).arg(maintenance ? "maint" : "user").arg(model ? "ht620" : "ht610"));
        dlg->CancelButton()->click();
      }
    }
  }
}

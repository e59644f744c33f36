// The signalling-type, DTMF, paging and 5-tone setting dialogs wired to the frame and the image:
// the switch of the Signaling menu, typed codes and numbers reaching the image, Cancel, help and
// prompts. The conversions and rules themselves are tested in the core.

#include "gui_fixture.h"
#include "image/image_rules.h"
#include "signalling/ani_speed_dial_dialog.h"
#include "signalling/five_tone_general_dialog.h"
#include "signalling/page_setting_dialog.h"
#include "signalling/signaling_type_dialog.h"

namespace kp53::gui {
namespace {

class SignallingDialogTest : public GuiTest {
 protected:
  // Chooses `type` in the Signaling Type dialog opened from the menu, with OK; Yes to the list
  // of what a change of system clears. (Cancel is the keyboard walk's.)
  void ChooseSignalingType(int type) {
    QTimer::singleShot(0, [this, type] {
      auto* dlg = qobject_cast<CSignalingTypeDlg*>(QApplication::activeModalWidget());
      ASSERT_NE(dlg, nullptr);
      dlg->Combo(CSignalingTypeDlg::kSignaling)->setCurrentIndex(type);
      prompt.answers = {Answer::Yes};
      dlg->OkButton()->click();
    });
    Frame().RunCommand(cmd::kSignalingType);
    prompt.answers.clear();
  }
};

constexpr int kTwoToneCommands[] = {cmd::kTwoTone, cmd::kTwoToneTable, cmd::kTwoToneSystems, cmd::kTwoToneEncode};
constexpr int kFiveToneCommands[] = {cmd::kFiveToneGeneral, cmd::kFiveToneFormat, cmd::kFiveToneSystems,
                                     cmd::kFiveToneDecode,  cmd::kFiveToneEncode, cmd::kFiveToneUserTone};

TEST_F(SignallingDialogTest, ChangingTheSystemSwitchesTheSignalingMenu) {
  ChooseSignalingType(0);
  ASSERT_FALSE(doc->Data().signaling.IsFiveTone());
  doc->SetModified(false);

  prompt.shown.clear();
  ChooseSignalingType(1);
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_NE(prompt.shown[0].find("signalling.system: 2-Tone -> 5-Tone"), std::string::npos) << prompt.shown[0];
  EXPECT_TRUE(doc->Data().signaling.IsFiveTone());
  EXPECT_TRUE(doc->IsModified());
  EXPECT_EQ(doc->Data().image[7] & 1, 1);
  for (int id : kFiveToneCommands) EXPECT_TRUE(Frame().IsCommandAllowed(id)) << id;
  for (int id : kTwoToneCommands) EXPECT_FALSE(Frame().IsCommandAllowed(id)) << id;
  for (int id : {cmd::kFiveToneGeneral, cmd::kFiveToneFormat, cmd::kFiveToneUserTone})
    EXPECT_TRUE(Frame().Action(id)->isEnabled()) << id;

  ChooseSignalingType(0);
  for (int id : kFiveToneCommands) EXPECT_FALSE(Frame().IsCommandAllowed(id)) << id;
  for (int id : kTwoToneCommands) EXPECT_TRUE(Frame().IsCommandAllowed(id)) << id;
  EXPECT_FALSE(Frame().Action(cmd::kFiveToneGeneral)->isEnabled());
  for (int id : {cmd::kAniSpeedDial, cmd::kPagingSetting, cmd::kPageCode}) EXPECT_TRUE(Frame().Action(id)->isEnabled());
}

// The ANI code is an active field with 2-tone; with 5-tone it looks plain until it is typed in.
TEST_F(SignallingDialogTest, AniCodeLooksActiveOnlyWithTwoTone) {
  for (const int type : {0, 1}) {
    ChangeSignalingType(doc->Data(), type);
    auto dlg = Open<CAniSpeedDialDlg>();
    CFilteredEdit* ani = dlg->Edit(CAniSpeedDialDlg::kAniCode);
    const QColor active = dlg->Edit(CAniSpeedDialDlg::kEmergencyCode)->palette().color(QPalette::Base);
    EXPECT_EQ(ani->palette().color(QPalette::Base) == active, type == 0) << type;
    TypeInto(*dlg, CAniSpeedDialDlg::kAniCode, "12");
    EXPECT_EQ(ani->palette().color(QPalette::Base), active) << type;
  }
}

TEST_F(SignallingDialogTest, CancelAfterAChangeKeepsTheImageButSetsTheModifiedFlag) {
  const RadioImage before = doc->Data().image;
  doc->SetModified(false);
  auto dlg = Open<CFiveToneGeneralDlg>();
  QCheckBox* ptt = dlg->Check(CFiveToneGeneralDlg::kPttCall);
  ptt->setFocus();
  QTest::keyClick(ptt, Qt::Key_Return);  // Enter on a check box switches it and keeps the dialog open
  EXPECT_TRUE(ptt->isChecked());
  EXPECT_TRUE(dlg->isVisible());
  EXPECT_TRUE(doc->IsModified());
  dlg->CancelButton()->click();
  EXPECT_EQ(doc->Data().image, before);
  EXPECT_TRUE(doc->IsModified());
}

// What a five-tone number stores is the field table's parity test's; here, that the field shows
// the stored value after Enter and when the dialog opens again.
TEST_F(SignallingDialogTest, AFiveToneNumberShowsWhatIsStored) {
  {
    const auto dlg = Open<CFiveToneGeneralDlg>();
    TypeInto(*dlg, CFiveToneGeneralDlg::kDelay1, QStringLiteral("1234"));
    EXPECT_EQ(dlg->Edit(CFiveToneGeneralDlg::kDelay1)->text(), QStringLiteral("1230 ms"));
    dlg->OkButton()->click();
  }
  EXPECT_EQ(Open<CFiveToneGeneralDlg>()->Edit(CFiveToneGeneralDlg::kDelay1)->text(), QStringLiteral("1230 ms"));
}

// (That every field has a prompt and a help topic is checked with the Common dialogs' prompts.)
TEST_F(SignallingDialogTest, TheHt610HasNoDisplayDigitsAndTheSpeedDialsShareOneTopic) {
  doc->Data().hardware.model = 0;
  const auto general = Open<CFiveToneGeneralDlg>();
  EXPECT_FALSE(general->DisplayDigitGroup()->isEnabled());
  EXPECT_TRUE(general->Check(CFiveToneGeneralDlg::kCompareDigit1)->isEnabled());
  // The speed dials share the help of the first one.
  auto ani = Open<CAniSpeedDialDlg>();
  ani->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(ani.get()));
  ani->Edit(CAniSpeedDialDlg::kSpeedDial0 + 7)->setFocus();
  QTest::keyClick(ani->Edit(CAniSpeedDialDlg::kSpeedDial0 + 7), Qt::Key_F1);
  EXPECT_EQ(helped, std::vector<int>{CAniSpeedDialDlg::kSpeedDial0});
  EXPECT_EQ(ani->PromptPane()->text(), QStringLiteral("Speed Dial Code7, up to 15 DTMF digits"));
  EXPECT_EQ(ani->HintPane()->text(), QStringLiteral("<ENTER>"));
}

}  // namespace
}  // namespace kp53::gui

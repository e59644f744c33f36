// The filtered click-to-edit field, the parameter-dialog base and the Hardware Parameters dialog,
// driven with keys and list choices as a user drives them, and the frame's table of dialog commands.
#include <QSignalSpy>
#include <set>

#include "gui_fixture.h"
#include "image/key_function_area.h"
#include "params/hardware_dialog.h"

namespace kp53::gui {
namespace {

using Dlg = CHardwareParamsDlg;

TEST(FilteredEdit, TypingStartsEditingEnterEndsItEscapeRestores) {
  QWidget window;
  auto* field = new CFilteredEdit(&window, 1, 5);
  auto* other = new QLineEdit(&window);
  field->setTextQuietly(QStringLiteral("146.0MHz"));  // a shown value may exceed the typing limit
  EXPECT_EQ(field->text(), QStringLiteral("146.0MHz"));
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  field->setFocus();
  QSignalSpy finished(field, &CFilteredEdit::editFinished);

  EXPECT_TRUE(field->isReadOnly());
  QTest::keyClicks(field, QStringLiteral("x"));  // refused by mode 1
  EXPECT_FALSE(field->isEditing());
  // (The typing limit and the filter modes are the field parity test's.)
  QTest::keyClicks(field, QStringLiteral("15"));
  EXPECT_TRUE(field->isEditing());
  EXPECT_EQ(field->text(), QStringLiteral("15"));
  QTest::keyClick(field, Qt::Key_Return);
  EXPECT_FALSE(field->isEditing());
  ASSERT_EQ(finished.count(), 1);
  EXPECT_EQ(finished.at(0).at(0).toString(), QStringLiteral("15"));
  EXPECT_TRUE(finished.at(0).at(1).toBool());

  QTest::keyClick(field, Qt::Key_Return);  // Enter starts editing with the whole text selected
  EXPECT_TRUE(field->isEditing());
  EXPECT_EQ(field->selectedText(), QStringLiteral("15"));
  QTest::keyClicks(field, QStringLiteral("99"));
  QTest::keyClick(field, Qt::Key_Escape);
  EXPECT_EQ(field->text(), QStringLiteral("15"));
  EXPECT_FALSE(field->isEditing());
  EXPECT_EQ(finished.count(), 1);

  QTest::keyClicks(field, QStringLiteral("7"));
  other->setFocus();  // leaving the field ends editing
  EXPECT_EQ(finished.count(), 2);
}

class HardwareDialogTest : public GuiTest {
 protected:
  Dlg& Open(bool maintenance) {
    ctx.maintenanceMode = maintenance;
    NormalizeImage(doc->Data());
    ctx.modified = false;
    dlg = GuiTest::Open<Dlg>();
    dlg->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(dlg.get()));
    return *dlg;
  }
  void Choose(int id, int index) { dlg->Combo(id)->setCurrentIndex(index); }
  QString Shown(int id) { return dlg->Edit(id) ? dlg->Edit(id)->text() : dlg->Combo(id)->currentText(); }
  void Ok() { QTest::mouseClick(dlg->OkButton(), Qt::LeftButton); }
  HardwareArea& Hw() { return doc->Data().hardware; }

  std::unique_ptr<Dlg> dlg;
};

// What a typed value stores is the field table's parity test's; here, what the field shows
// after Enter, and the status line and beep when that differs from what was typed.
TEST_F(HardwareDialogTest, EditFieldsShowWhatIsStored) {
  Open(true);
  struct Case { int id; const char* typed; const char* shown; } const cases[] = {
      {Dlg::kMinFrequency, "700", "174.0MHz"},  // 600.0, then no higher than the maximum
      {Dlg::kMinFrequency, "50", "100.0MHz"},
      {Dlg::kMaxFrequency, "99", "100.0MHz"},  // 100.0 and no lower than the minimum
      {Dlg::kFirstIf, "-5", " 0.00MHz"},  // no lower bound typed; the field shows the stored 0
      {Dlg::kRefXtal, "99.999", "81.92MHz"},  // 99.99 is beyond 14 bits of 5 kHz: the largest held
      {Dlg::kRefXtal, "12.8", "12.80MHz"},
  };
  for (const Case& c : cases) {
    TypeInto(*dlg, c.id, QString::fromLatin1(c.typed));
    EXPECT_EQ(Shown(c.id), QString::fromLatin1(c.shown)) << c.id << " " << c.typed;
    EXPECT_TRUE(dlg->isVisible()) << "Enter in a field closed the dialog";
    if (&c == &cases[0]) {
      // What the rule stored instead is said in the status bar, with a beep.
      EXPECT_EQ(dlg->PromptPane()->text(),
                QStringLiteral("700 stored as 174.0MHz: the field keeps to its range and steps"));
      EXPECT_EQ(prompt.beeps, 1);
      Shot(dlg.get(), QStringLiteral("hardware_change"));
    }
  }
  EXPECT_TRUE(ctx.modified);
  EXPECT_EQ(dlg->RefreshCode(), 2);
}

TEST_F(HardwareDialogTest, BandChangeAsksThenAppliesUhfDefaultsAndResetsChannels) {
  Open(true);
  const HardwareArea before = Hw();
  prompt.answers = {Answer::No, Answer::Yes};
  Choose(Dlg::kBand, 1);
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_EQ(prompt.shown[0], MessageText(50));
  EXPECT_EQ(Shown(Dlg::kBand), QStringLiteral("VHF"));
  EXPECT_EQ(Hw().bandIndex, before.bandIndex);
  EXPECT_EQ(Hw().minFreq, before.minFreq);
  EXPECT_EQ(dlg->RefreshCode(), 0);

  Choose(Dlg::kBand, 1);
  EXPECT_EQ(Shown(Dlg::kRange), QStringLiteral("450-490 MHz"));
  EXPECT_EQ(Shown(Dlg::kMinFrequency), QStringLiteral("450.0MHz"));
  EXPECT_EQ(Shown(Dlg::kMaxFrequency), QStringLiteral("490.0MHz"));
  EXPECT_EQ(Shown(Dlg::kLocalOffset), QStringLiteral("Lower"));
  EXPECT_EQ(Shown(Dlg::kChannelStep), QStringLiteral("5,6.25kHz  "));
  EXPECT_EQ(dlg->Combo(Dlg::kRange)->itemText(0), QStringLiteral("350-390 MHz"));
  Choose(Dlg::kRange, 0);
  EXPECT_EQ(std::tuple(Hw().frequencyRange, Hw().bandIndex, Hw().injection), std::tuple(6, 2, 0));
  EXPECT_EQ(Ch(255).enabled & 1, 1);
  EXPECT_DOUBLE_EQ(Ch(200).rxFreq, 450.0);
  EXPECT_EQ(dlg->RefreshCode(), 4);
}

TEST_F(HardwareDialogTest, UserModeChangesOnlyTheModelAndHt610OkClearsTheAbcdKeys) {
  KeyFunctionArea keys;
  keys.LoadFromImage(doc->Data().image);
  for (auto& k : keys.functions) k = 3;
  keys.StoreToImage(doc->Data().image);
  ReloadAreas(doc->Data());
  Open(false);
  for (int id = Dlg::kMinFrequency; id <= Dlg::kTemperature; ++id)
    if (QWidget* w = dlg->Field(id)) {
      EXPECT_EQ(w->isEnabled(), id == Dlg::kModel) << id;
    }

  Choose(Dlg::kModel, 0);
  EXPECT_EQ(Shown(Dlg::kFrontKeypad), QStringLiteral("None  "));
  EXPECT_FALSE(dlg->Field(Dlg::kFrontKeypad)->isEnabled());
  EXPECT_TRUE(ctx.modified);
  // OK first lists what it clears; No keeps the dialog open and the keys as they are.
  prompt.answers = {Answer::No, Answer::Yes};
  Ok();
  ASSERT_EQ(prompt.shown.size(), 1u);
  for (const char* key : {"key_functions.a", "key_functions.d_hold"})
    EXPECT_NE(prompt.shown[0].find(key), std::string::npos) << prompt.shown[0];
  EXPECT_TRUE(dlg->isVisible());
  EXPECT_EQ(doc->Data().image[131], 3);
  Ok();
  EXPECT_EQ(prompt.shown.size(), 2u);
  EXPECT_EQ(dlg->RefreshCode(), 1);
  const RadioImage& img = doc->Data().image;
  for (std::size_t at : {131, 132, 133, 134, 137, 138, 139, 140}) EXPECT_EQ(img[at], 0) << at;
  EXPECT_NE(img[130], 0);
  EXPECT_EQ(img[7667] & 0x07, 0);  // model 0, keypad "None  "
}

TEST_F(HardwareDialogTest, StatusBarPromptsHelpContextsAndEnter) {
  Open(true);
  struct Case { int id; const char* prompt; const char* hint; int help; } const cases[] = {
      {Dlg::kMinFrequency, "Min Frequency", "0..999.9MHz", 2000},
      {Dlg::kModel, "Change Radio model HT-620A Series", "<SELECT>", 2005},
      {Dlg::kRange, "Change Adjustment frequency range", "<SELECT>", -1},
  };
  for (const Case& c : cases) {
    helped.clear();
    QWidget* field = dlg->Field(c.id);
    field->setFocus();
    EXPECT_EQ(dlg->PromptPane()->text(), QString::fromLatin1(c.prompt));
    EXPECT_EQ(dlg->HintPane()->text(), QString::fromLatin1(c.hint));
    QTest::keyClick(field, Qt::Key_F1);
    EXPECT_EQ(helped, c.help < 0 ? std::vector<int>{} : std::vector<int>{c.help}) << c.id;
    EXPECT_NE(FindHelpTopic(c.id) != nullptr, c.help < 0) << c.id;
  }
  // Enter on a list opens it instead of closing the dialog (Enter on OK: the keyboard walk).
  QComboBox* model = dlg->Combo(Dlg::kModel);
  model->setFocus();
  QTest::keyClick(model, Qt::Key_Return);
  EXPECT_TRUE(dlg->isVisible());
  model->hidePopup();
}

TEST_F(HardwareDialogTest, CancelAfterEditsAndABandChangeFromTheDefaultFilePutsEverythingBack) {
  // A UHF default file beside the executable, with channel 1 at squelch 9.
  {
    RadioData uhf;
    InitImage(uhf);
    uhf.hardware.ApplyBandDefaults(true);
    uhf.channels.Entry(0).squelch = 9;
    NormalizeImage(uhf);
    ASSERT_TRUE(WriteDataFile((root / "exe" / "defaultu.k53").string(), uhf.image, 0.0, prompt));
  }
  Ch(0).squelch = 2;
  Ch(0).rxFreq = 151.0;
  doc->Data().defaultSplit = 5.0;
  ctx.currentPath = (root / "mine.k53").string();
  const double rx200 = Ch(200).rxFreq;
  Open(true);
  const RadioImage image = doc->Data().image;
  const HardwareArea hardware = Hw();
  TypeInto(*dlg, Dlg::kFirstIf, QStringLiteral("10"));
  prompt.answers = {Answer::Yes};
  Choose(Dlg::kBand, 1);
  EXPECT_EQ(doc->Data().image[7668] >> 6, 2);  // the default file was read into the image
  QTest::mouseClick(dlg->CancelButton(), Qt::LeftButton);

  EXPECT_EQ(dlg->result(), QDialog::Rejected);
  EXPECT_EQ(dlg->RefreshCode(), 0);
  EXPECT_TRUE(doc->Data().image == image);
  EXPECT_EQ(Hw().firstIf, hardware.firstIf);
  EXPECT_EQ(Hw().frequencyRange, hardware.frequencyRange);
  EXPECT_FALSE(Hw().IsUhf());
  EXPECT_EQ(Ch(0).squelch, 2);
  EXPECT_DOUBLE_EQ(Ch(0).rxFreq, 151.0);
  EXPECT_DOUBLE_EQ(Ch(200).rxFreq, rx200);
  EXPECT_EQ(doc->Data().defaultSplit, 5.0);
  EXPECT_EQ(ctx.currentPath, (root / "mine.k53").string());
  EXPECT_TRUE(ctx.modified);  // a cancelled dialog still counts as a change
}

TEST_F(GuiTest, CommonHardwareRunsFromTheFrameAndEveryHelpContextIsUnique) {
  std::set<int> contexts;
  int count = 0;
  const HelpTopic* base = HelpTopics(count);
  for (int i = 0; i < count; ++i) EXPECT_TRUE(contexts.insert(base[i].context).second) << base[i].context;
  for (const ParamCommand& c : ParamCommands()) {
    for (const HelpTopic& t : c.help) EXPECT_TRUE(contexts.insert(t.context).second) << t.context;
    if (!c.create) {
      EXPECT_FALSE(Frame().IsCommandEnabled(c.id)) << c.id;
    }
  }
  ASSERT_TRUE(Frame().IsCommandEnabled(cmd::kHardware));

  // The dialog runs modally: choose "HT-610 Series" and OK; the frame applies refresh code 1.
  ctx.maintenanceMode = true;
  Ch(0).squelch = 7;  // an unsaved grid change reaches the image before the dialog opens
  // F1 on a field opens its topic in a help window that the modal dialog does not block.
  QTimer::singleShot(0, [this] {
    auto* d = qobject_cast<Dlg*>(QApplication::activeModalWidget());
    ASSERT_NE(d, nullptr);
    QTest::keyClick(d->Field(Dlg::kFirstIf), Qt::Key_F1);
    ASSERT_NE(Frame().Help(), nullptr);
    EXPECT_EQ(Frame().Help()->CurrentContext(), 2003);
    EXPECT_EQ(Frame().Help()->parentWidget(), d);
    d->Combo(Dlg::kModel)->setCurrentIndex(0);
    prompt.answers = {Answer::Yes};  // whatever the HT-610 Series clears
    d->OkButton()->click();
  });
  Frame().RunCommand(cmd::kHardware);
  EXPECT_EQ(doc->Data().hardware.model, 0);
  EXPECT_EQ(doc->Data().image[7667] & 0x01, 0);
  ChannelTable stored;
  stored.LoadFromImage(doc->Data().image, doc->Data().hardware);
  EXPECT_EQ(stored.Entry(0).squelch, 7);
}

}  // namespace
}  // namespace kp53::gui

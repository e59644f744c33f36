// Undo and redo of the document: whole-image snapshots taken around each change, the step limit,
// merged typing, and the modified flag that follows the saved state.
#include <gtest/gtest.h>

#include "document/document.h"
#include "fake_prompt.h"
#include "temp_dir.h"

namespace kp53 {
namespace {

class UndoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ctx.exeDir = tmp.path().string();
    ctx.workDir = tmp.path().string();
    doc.BuildImage();
  }
  // One change as an editor makes it: bracketed, the modified flag set.
  void SetSquelch(int channel, int value, const std::string& mergeKey = {}) {
    doc.BeginChange(mergeKey);
    doc.Data().channels.Entry(channel).squelch = value;
    doc.SetModified();
    doc.EndChange();
  }
  int Squelch(int channel) { return doc.Data().channels.Entry(channel).squelch; }

  test::TempDir tmp;
  AppContext ctx;
  test::FakePrompt prompt;
  test::ScriptedChooser chooser;
  CRM90Doc doc{ctx, prompt, chooser};
};

TEST_F(UndoTest, DefaultSplitTravelsWithTheImageAndANewChangeDropsRedo) {
  const ImageSnapshot saved = doc.CaptureState();
  doc.BeginChange();
  doc.Data().defaultSplit = 0.6;
  doc.EndChange();
  EXPECT_TRUE(doc.IsModified());
  ASSERT_TRUE(doc.Undo());
  EXPECT_EQ(doc.CaptureState(), saved);
  EXPECT_FALSE(doc.IsModified());
  ASSERT_TRUE(doc.Redo());
  EXPECT_EQ(doc.Data().defaultSplit, 0.6);
  EXPECT_TRUE(doc.IsModified());
  doc.Undo();
  SetSquelch(1, 3);
  EXPECT_FALSE(doc.CanRedo());
}

TEST_F(UndoTest, BracketsThatChangeNothingOrNestRecordOneStepAtMost) {
  doc.BeginChange();
  doc.SetModified();  // a cancelled dialog sets the flag and changes nothing
  doc.EndChange();
  EXPECT_FALSE(doc.CanUndo());

  doc.BeginChange();
  SetSquelch(0, 1);
  SetSquelch(1, 2);
  doc.EndChange();
  EXPECT_EQ(doc.Undo(), true);
  EXPECT_EQ(std::tuple(Squelch(0), Squelch(1), doc.CanUndo()), std::tuple(4, 4, false));
  // Back at the state the file had, though the flag was set before any change.
  EXPECT_FALSE(doc.IsModified());
}

TEST_F(UndoTest, TypingInOneFieldIsOneStepUntilAnotherChangeComes) {
  SetSquelch(0, 1, "tag-0");
  SetSquelch(0, 2, "tag-0");
  SetSquelch(0, 3, "tag-0");
  SetSquelch(1, 7, "tag-1");
  SetSquelch(0, 5, "tag-0");
  for (const auto& [zero, one] : {std::pair{3, 7}, {3, 4}, {4, 4}}) {
    EXPECT_TRUE(doc.Undo());
    EXPECT_EQ(std::pair(Squelch(0), Squelch(1)), std::pair(zero, one));
  }
  EXPECT_FALSE(doc.CanUndo());
}

TEST_F(UndoTest, KeepsTheLastHundredStepsAndLoadingClearsThem) {
  for (int i = 0; i < 105; ++i) SetSquelch(0, 1 + i % 2);
  int undone = 0;
  while (doc.Undo()) ++undone;
  EXPECT_EQ(undone, static_cast<int>(UndoHistory::kLimit));

  SetSquelch(0, 1);
  doc.SetModified(false);
  doc.BuildImage();  // New and Open build the image again
  EXPECT_FALSE(doc.CanUndo());
  EXPECT_FALSE(doc.CanRedo());
}

}  // namespace
}  // namespace kp53

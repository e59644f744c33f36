// The channel grid acts on a key only as the cell's rules say: Space, a letter and a digit on
// every column of channels spread over the groups leave the cursor where it was and change that
// channel alone, or begin the in-place edit where typing edits.

#include "channels/cell_editor.h"
#include "gui_fixture.h"
#include "image/radio_image.h"
#include "text/grid_texts.h"

namespace {

struct KeyCase {
  Qt::Key key;
  const char* text;         // what the key types
  std::vector<int> edits;   // the columns where it begins the in-place edit
  std::vector<int> changes; // the columns where it changes the channel (Space's actions)
};

bool Has(const std::vector<int>& v, int c) { return std::find(v.begin(), v.end(), c) != v.end(); }

// Whether the image bytes that differ all belong to channel `index` (its record, its scan bit,
// the priority channel with its flag in byte 6, and the checksum); `changed` tells whether any
// differ.
bool OnlyChannelChanged(const kp53::RadioImage& a, const kp53::RadioImage& b, int index, bool* changed) {
  namespace off = kp53::off;
  const std::size_t record = off::kChannels + 25 * static_cast<std::size_t>(index);
  *changed = false;
  for (std::size_t i = 0; i < kp53::kImageSize; ++i) {
    if (a[i] == b[i]) continue;
    if (i == off::kChecksum || i == off::kChecksum + 1) continue;
    *changed = true;
    const bool own = (i >= record && i < record + 25) || i == off::kScanBits + static_cast<std::size_t>(index) / 8 ||
                     i == off::kPriorityGroup || i == off::kPriorityIndex || i == 6;
    if (!own) return false;
  }
  return true;
}

class GridKeysTest : public GuiTest {};

TEST_F(GridKeysTest, EveryColumnTakesSpaceALetterAndADigitWithoutMovingTheCursor) {
  // Space toggles or steps the channel's fields; the lists (SQ, ENCR) are cancelled here, No.
  // and ARTS beep without signalling or DCS, and a type without a number is not stored. Space in
  // TAG and Receive types a blank.
  const KeyCase cases[] = {
      {Qt::Key_Space, " ", {3, 4}, {0, 1, 2, 5, 6, 7, 8, 9, 10, 11, 12, 16, 18, 20, 21}},
      {Qt::Key_D, "D", {3, 6, 7}, {}},
      {Qt::Key_5, "5", {3, 4, 5}, {}},
  };
  Frame().show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
  const kp53::RadioData pristine = doc->Data();
  for (const int number : {1, 4, 100, 200}) {
    const int index = number - 1;
    for (const KeyCase& kc : cases) {
      for (int column = 0; column < kp53::kGridColumns; ++column) {
        SCOPED_TRACE(testing::Message() << "channel " << number << " column " << column << " key '" << kc.text << "'");
        doc->Data() = pristine;
        auto& t = doc->Data().channels;
        t.SelectGroup(t.GroupOf(index));
        View().RefreshAll();
        const int row = View().RowOfEntry(index);
        ASSERT_GE(row, kFirstRow);
        FocusCell(row, column);
        const kp53::ImageSnapshot before = doc->CaptureState();
        // A list that the key opens is cancelled.
        QTimer::singleShot(0, [] {
          if (QWidget* modal = QApplication::activeModalWidget()) QMetaObject::invokeMethod(modal, "reject");
        });
        QTest::keyClick(&Grid(), kc.key);
        QApplication::processEvents();
        EXPECT_EQ(Grid().Row(), row);
        EXPECT_EQ(Grid().Col(), column);
        const bool channelOne = number == 1 && column == 0;  // channel 1 cannot be disabled
        EXPECT_EQ(View().IsEditing(), Has(kc.edits, column));
        const bool edited = View().IsEditing();
        if (edited) {
          const QString typed = column >= 6 ? QStringLiteral("%1-").arg(QLatin1String(kc.text)) : QLatin1String(kc.text);
          EXPECT_EQ(View().CellEditor()->text(), typed);
          // Escape stores the cell's shown text again, which may snap its frequency.
          QTest::keyClick(View().CellEditor(), Qt::Key_Escape);
          EXPECT_FALSE(View().IsEditing());
        }
        bool changed = false;
        EXPECT_TRUE(OnlyChannelChanged(before.image, doc->CaptureState().image, index, &changed));
        if (!edited) {
          EXPECT_EQ(changed, Has(kc.changes, column) && !channelOne);
        }
      }
    }
  }
}

}  // namespace

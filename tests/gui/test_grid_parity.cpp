// Parity of the two ways into a channel cell: for every column of the grid's table and generated
// texts (valid, boundary, invalid), entering the text in the real grid as a user does (typed into
// the cell's editor and Enter, Space through a value list or a cycle, F3 for a DCS polarity) and
// importing `channels: {N: {name: text}}` onto the same base give the same image, or the text
// form refuses where the grid drops a key, beeps or leaves the channel as it was. Verify finds
// nothing in an accepted result, and a channel list gives the same bytes for the cells it carries.
#include <QListWidget>
#include <QTest>
#include <QTimer>

#include "channels/list_dialogs.h"
#include "config/config_text.h"
#include "config/config_verify.h"
#include "csv/channel_csv.h"
#include "gui_fixture.h"
#include "image/channel_columns.h"
#include "image/common_options_area.h"
#include "text/grid_texts.h"

namespace kp53 {
namespace {

std::string Trimmed(const QString& s) { return s.trimmed().toStdString(); }

// The first byte where two images differ, for a failure message.
std::size_t FirstDifference(const RadioImage& a, const RadioImage& b) {
  return static_cast<std::size_t>(std::mismatch(a.begin(), a.end(), b.begin()).first - a.begin());
}

// The texts walked for each column: valid, at the limits, off the steps, too fine, too long, with
// a character the cell refuses, every list item and one more; true and false for the marks.
std::vector<std::string> Texts(int column) {
  switch (column) {
    case kColPri: return {"P", "-"};
    case kColTag: return {"ALPHA", "abc", " LEAD", "12345678", "123456789", "A!B", "A.B", "", "a~"};
    case kColRx: return {"151.25", "146.5031", "150.0031", "190", "100", "150.000001", "1 50", "15x.5", "174.0"};
    case kColTx: return {"155.5", "+0.6", "-5", "+600k", "+", "1+5", "136", "150.00625", "9999"};
    case kColRxTone: case kColTxTone:
      return {"C-88.5", "C- 88.5", "C-254.1", "C-254.2", "C-66.9", "C-100.05", "C-100.3", "D-023N", "D-023I",
              "D-023B", "D-754", "D-028", "D-800", "D-0231", "-------", "C-", "D-"};
    case kColSquelch: return {"0", "9", "15", "16", "x"};
    case kColSignalNo: return {"--", "1", "3", "16", "17", "32", "33"};
    case kColEncryption: return {"-", "1", "2", "3", "4"};
    default: break;
  }
  if (kChannelColumns[column].entry == CellEntry::Check || column == kColChn) return {"true", "false"};
  std::vector<std::string> out(kChannelColumns[column].texts.begin(), kChannelColumns[column].texts.end());
  out.push_back("??");
  return out;
}

class GridParityTest : public GuiTest {
 protected:
  CCellEditor& Editor() { return *View().CellEditor(); }

  // Runs a key; a list it opens takes the item that shows `text` ("off" and " - : OFF" show "--"),
  // or is cancelled.
  void Key(QWidget* w, Qt::Key key, const std::string& text = "\n") {
    QTimer::singleShot(0, [text] {
      auto* dlg = qobject_cast<gui::CListDialog*>(QApplication::activeModalWidget());
      for (int k = 0; dlg && k < dlg->list()->count(); ++k) {
        const std::string item = Trimmed(dlg->list()->item(k)->text());
        if (item == text || item.rfind(text + " :", 0) == 0 || (text == "--" && (item == "off" || item.rfind("- :", 0) == 0)))
          return dlg->list()->setCurrentRow(k), dlg->accept();
      }
      if (dlg) dlg->reject();
    });
    QTest::keyClick(w, key);
    QApplication::processEvents();
  }

  // The grid as a user enters `text` into the cell of channel `index`; false where the grid does
  // not take it (a key dropped, a beep, a value never shown). `toggle`: Space on the cell.
  bool EnterInGrid(int index, int column, const std::string& text, bool toggle) {
    const int row = kFirstRow + index;
    const GridColumn& c = kChannelColumns[column];
    auto shows = [&] {
      const QString cell = Grid().TextMatrix(row, column);
      if (toggle) return (cell == QLatin1String(kNoTxFrequencyText)) == (text == "true");
      if (column == kColChn) return text == (doc->Data().channels.IsEnabled(index) ? "true" : "false");
      if (c.entry == CellEntry::Check) return text == (Grid().CellHasPicture(row, column) ? "true" : "false");
      return Trimmed(cell) == text;
    };
    if (c.entry == CellEntry::Typed && !toggle && text != kNoToneText) {
      // A tone begins with its letter typed on the cell, a DCS polarity is F3's.
      const bool tone = column == kColRxTone || column == kColTxTone;
      const bool polarity = tone && text.size() > 2 && text[0] == 'D' && std::string("NIB").find(text.back()) != std::string::npos;
      const std::string typed = text.substr(0, text.size() - polarity);
      if (tone && (typed.size() < 2 || typed[1] != '-')) return false;
      if (tone) QTest::keyClick(&Grid(), typed[0]);
      else Key(&Grid(), Qt::Key_Return), QTest::keyClick(&Editor(), Qt::Key_Backspace);
      QTest::keyClicks(&Editor(), QString::fromLatin1(typed.substr(tone ? 2 : 0).c_str()));
      std::string mapped = typed.substr(0, tone ? 2 : 0);
      for (char ch : typed.substr(mapped.size())) mapped += EditorCharacter(c.editorMode, ch).value_or('?');
      const bool took = Editor().text().toStdString() == mapped;
      Key(&Editor(), Qt::Key_Return);
      for (int k = 0; k < 3 && polarity && !shows(); ++k) QTest::keyClick(&Grid(), Qt::Key_F3);
      return took && (!polarity || shows());
    }
    for (int k = 0; k < 4 && !shows(); ++k) Key(&Grid(), Qt::Key_Space, text);
    return shows();
  }
};

TEST_F(GridParityTest, GridAndTextEnterEveryChannelCellAlike) {
  // A base with the board that offers "Option" signalling, the priority on channel 3, and
  // channels in three states: as new (2), DCS both ways with ARTS and "Signal" (3), "Option" (4).
  RadioData base = doc->Data();
  CommonOptionsArea options;
  options.LoadFromImage(base.image);
  options.optionBoard = CommonOptionsArea::kOptionVmu140;
  options.StoreToImage(base.image);
  ReloadAreas(base);
  base.channels.priorityChannel = 3;
  ChannelEntry& dcs = base.channels.Entry(2);
  dcs.rxToneType = dcs.txToneType = kToneDcs;
  dcs.rxDcs = 23, dcs.txDcs = 754, dcs.rxDcsBoth = true, dcs.txDcsInverted = true;
  dcs.arts = true, dcs.signalType = 1, dcs.signalNo = 5, dcs.txFreq = 155.0;
  ChannelEntry& option = base.channels.Entry(3);
  option.signalType = 3, option.signalNo = 2, option.dtmfAni = 1, option.rxToneType = kToneCtcss, option.rxCtcss = 885;
  NormalizeImage(base);

  int values = 0, refused = 0, changed = 0, listed = 0;
  for (int column = 0; column < kGridColumns; ++column) {
    const GridColumn& c = kChannelColumns[column];
    std::vector<std::pair<const char*, std::string>> walked;
    for (const std::string& t : Texts(column)) walked.emplace_back(c.name ? c.name : "priority_channel", t);
    if (c.toggled) walked.insert(walked.end(), {{c.toggled, "true"}, {c.toggled, "false"}});
    for (int index : {1, 2, 3})
      for (const auto& [name, text] : walked) {
        ++values;
        const std::string what = Format("channel %d %s '%s'", index + 1, name, text.c_str());
        doc->Data() = base;
        View().RefreshAll();
        FocusCell(kFirstRow + index, column);
        const bool gridTook = EnterInGrid(index, column, text, c.toggled && std::string(name) == c.toggled);
        ASSERT_FALSE(View().IsEditing()) << what;
        NormalizeImage(doc->Data());

        const std::string yaml =
            column != kColPri ? Format("channels: {%d: {%s: '%s'}}", index + 1, name, text.c_str())
            : text == "P"     ? Format("scanning: {priority_channel: %d}", index + 1)
                              : Format("scanning: {priority_channel: %s}", index == 2 ? "none" : "3");
        const auto r = config::ImportText(yaml, base.image, base.defaultSplit);
        if (!r.errors.empty()) {
          ++refused;
          EXPECT_TRUE(!gridTook || doc->Data().image == base.image) << what << ": " << r.errors[0].message;
          continue;
        }
        EXPECT_TRUE(gridTook) << what;
        EXPECT_TRUE(doc->Data().image == r.image) << what << " byte " << FirstDifference(doc->Data().image, r.image);
        changed += r.image != base.image;
        // A tone the radio lacks is kept as typed, as the grid keeps it (saying so in the status bar).
        for (const auto& f : config::Verify(r.image, r.split))
          EXPECT_NE(f.message.find("not one of the radio's"), std::string::npos) << what << ": " << f.place << " " << f.message;

        // A channel list carries the tag, the receive frequency and the power: the same bytes
        // where it takes the row (it skips a frequency off the steps or out of the band).
        if (column != kColTag && column != kColRx && column != kColPower) continue;
        RadioData viaList = base;
        const std::string cell = column == kColPower ? (text == "H" ? "5.0W" : "1.0W") : "\"" + text + "\"";
        const std::string csv = Format("Location,Frequency,%s\r\n%d,%s,%s\r\n", column == kColPower ? "Power" : column == kColTag ? "Name" : "Comment",
                                       index + 1, column == kColRx ? text.c_str() : "150.0", cell.c_str());
        if (ImportChannelsCsv(viaList, csv, kAllGroups).skipped) continue;
        ++listed, NormalizeImage(viaList);
        EXPECT_TRUE(viaList.image == r.image) << what << " (list) byte " << FirstDifference(viaList.image, r.image);
      }
  }
  EXPECT_EQ(values, 348);
  EXPECT_EQ(refused, 113);  // every text the grid drops a key of, beeps at, or never shows
  EXPECT_EQ(changed, 176);
  EXPECT_EQ(listed, 27);
}

}  // namespace
}  // namespace kp53

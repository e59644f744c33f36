// The signalling tables as grids: cell texts, toggles and steps, pick lists, typed codes and tags,
// and copy and paste of the systems cells.
#include <gtest/gtest.h>

#include "byte_checks.h"

#include "image/radio_data.h"
#include "image/signalling_grids.h"

namespace kp53 {
namespace {

struct Tables {
  TwoToneSystemTable two;
  FiveToneSystemTable systems;
  FiveToneDecodeTable decode;
  FiveToneEncodeTable encode;
  TwoToneSystemsGrid twoGrid{two};
  FiveToneSystemsGrid systemsGrid{systems};
  FiveToneDecodeGrid decodeGrid{decode, true};
  FiveToneEncodeGrid encodeGrid{encode, true};
  SignallingGrid& Grid(int g) {
    SignallingGrid* grids[] = {&twoGrid, &systemsGrid, &decodeGrid, &encodeGrid};
    return *grids[g];
  }
};

enum { kTwo, kSystems, kDecode, kEncode };

TEST(SignallingGridTest, ShapesAndFirstRow) {
  Tables t;
  struct Case {
    int grid, columns, rows;
    std::vector<std::string> firstRow;
  } cases[] = {
      {kTwo, 4, 16, {"  1", "-", "-", "v"}},
      {kSystems, 22, 32, {" 1", "ZVEI1 ", "Both ", "-----", "v", "v", "Disable", "Disable", "Disable", "-------",
                          "-------", "v", "-", "-", "v", "v", "v", "v", "v", "v", "v", "v"}},
      {kDecode, 13, 9, {" 1", "12345   ", "DECODE-1", "------", "-", " On  ", "Open ", "------", "-", "A", "S",
                        "------", "-"}},
      {kEncode, 17, 32, {" 1", "12345   ", "CALL-01", "-", "v", "-", "-", "-", "v", "-", "-", "-", "v", "v", "-",
                         "-", "-"}},
  };
  for (const Case& c : cases) {
    SignallingGrid& g = t.Grid(c.grid);
    ASSERT_EQ(g.ColumnCount(), c.columns) << c.grid;
    EXPECT_EQ(g.RowCount(), c.rows) << c.grid;
    for (int col = 0; col < c.columns; ++col) {
      EXPECT_EQ(g.Text(0, col), c.firstRow[static_cast<std::size_t>(col)]) << c.grid << " column " << col;
      EXPECT_EQ(g.ShowsCheck(0, col), g.Text(0, col) == "v") << c.grid << " column " << col;
    }
  }
  // The group row of the decode grid has no code, transpond or auto TX.
  EXPECT_EQ(t.decodeGrid.Text(8, 0), "Grp");
  EXPECT_EQ(t.decodeGrid.Text(8, 2), "  GROUP ");
  for (int col : {1, 3, 12}) {
    EXPECT_EQ(t.decodeGrid.Text(8, col), "") << col;
    std::optional<CellPick> pick;
    EXPECT_FALSE(t.decodeGrid.Activate(8, col, &pick));
    EXPECT_FALSE(pick);
  }
}

TEST(SignallingGridTest, ActionsToggleStepAndWrap) {
  Tables t;
  struct Case {
    int grid, row, col;
    std::vector<std::string> texts;  // after each action, the last wrapping to the start
  } cases[] = {
      {kTwo, 3, 2, {"v", "-"}},
      {kTwo, 3, 3, {"-", "v"}},
      {kSystems, 0, 2, {"-----", "Open ", "Close", "Both "}},
      {kSystems, 5, 10, {" Press ", "Release", "-------"}},
      {kSystems, 31, 21, {"-", "v"}},
      {kDecode, 8, 5, {"Blink", "-----", " Off ", " On  "}},
      {kDecode, 2, 9, {"B", "C", "D", "E", "F", "G", "-", "A"}},
      {kDecode, 0, 10, {"R", "S"}},
      {kDecode, 8, 11, {" Kill ", " Stun ", "Revive", "------"}},
      {kEncode, 31, 16, {"v", "-"}},
      {kEncode, 0, 3, {"v", "-"}},
  };
  for (const Case& c : cases)
    for (const std::string& want : c.texts) {
      std::optional<CellPick> pick;
      EXPECT_TRUE(t.Grid(c.grid).Activate(c.row, c.col, &pick));
      EXPECT_FALSE(pick);
      EXPECT_EQ(t.Grid(c.grid).Text(c.row, c.col), want) << c.grid << " " << c.row << "/" << c.col;
    }
  // Number and typed cells do nothing on an action.
  for (int col : {0, 1, 2}) EXPECT_FALSE(t.decodeGrid.Activate(0, col, nullptr));
}

TEST(SignallingGridTest, PickListsAndTheirValues) {
  Tables t;
  t.two.systems[4].primaryPair = 3;
  struct Case {
    int grid, row, col;
    text::PickList list;
    int selected, position;
    std::string shown;
  } cases[] = {
      {kTwo, 4, 1, text::PickList::kPrimaryPair, 3, 10, "10"},
      {kTwo, 4, 1, text::PickList::kPrimaryPair, 10, 0, "-"},
      {kSystems, 0, 1, text::PickList::kToneFormat, 0, 11, "User  "},
      {kSystems, 1, 6, text::PickList::kRepeaterCode, 0, 32, " 32 "},
      {kSystems, 2, 7, text::PickList::kCallCode, 0, 1, "  1 "},
      {kSystems, 3, 8, text::PickList::kIdCode, 0, 0, "Disable"},
      {kDecode, 7, 3, text::PickList::kTranspond, 0, 1, "Sys Call"},
      {kDecode, 7, 3, text::PickList::kTranspond, 1, 33, "ENC-32"},
  };
  for (const Case& c : cases) {
    std::optional<CellPick> pick;
    EXPECT_FALSE(t.Grid(c.grid).Activate(c.row, c.col, &pick));
    ASSERT_TRUE(pick);
    EXPECT_EQ(pick->list, c.list);
    EXPECT_EQ(pick->selected, c.selected);
    EXPECT_EQ(pick->rowNumber, c.row + 1);
    t.Grid(c.grid).ApplyPick(c.row, c.col, c.position);
    EXPECT_EQ(t.Grid(c.grid).Text(c.row, c.col), c.shown);
  }
  // A position outside the list changes nothing.
  t.decodeGrid.ApplyPick(7, 3, 34);
  EXPECT_EQ(t.decode.entries[7].transpond, 33);

  // Stored as the radio keeps them: pair 10 in bits 7-3, "Sys Call" as 32 with bit 7, code 32.
  RadioImage img{};
  t.twoGrid.ApplyPick(4, 1, 10);
  t.two.StoreToImage(img);
  EXPECT_EQ(img[7614 + 4] & 0xF8, 0x98);
  t.decode.entries[7].transpond = 1;
  t.decode.StoreToImage(img);
  EXPECT_TRUE(test::BytesAt(img, 6958 + 15 * 7, {32}));
  EXPECT_EQ(img[6958 + 15 * 7 + 5] & 0x80, 0x80);
  t.systems.StoreToImage(img);
  EXPECT_EQ(img[6766 + 6 + 1] & 0x9F, 0x9F);
}

TEST(SignallingGridTest, CodePickListsShowTheEncodeEntries) {
  RadioData data;
  InitImage(data);
  FiveToneEncodeTable encode;
  encode.LoadFromImage(data.image);
  encode.entries[2].code = "4711    ";
  encode.entries[2].tag = "DEPOT   ";
  encode.StoreToImage(data.image);
  const auto calls = PickListChoices(text::PickList::kCallCode, data.image);
  const auto& plain = text::PickListItems(text::PickList::kCallCode);
  ASSERT_EQ(calls.size(), plain.size());
  EXPECT_EQ(calls[0], "Disable");
  EXPECT_EQ(calls[3], plain[3] + "  4711 DEPOT");
  const auto transpond = PickListChoices(text::PickList::kTranspond, data.image);
  EXPECT_EQ(transpond[1], "Sys Call");
  EXPECT_EQ(transpond[4], text::PickListItems(text::PickList::kTranspond)[4] + "  4711 DEPOT");
  EXPECT_EQ(PickListChoices(text::PickList::kPrimaryPair, data.image), text::PickListItems(text::PickList::kPrimaryPair));
}

TEST(SignallingGridTest, TypedCellsAreEditableWhereTheRadioHasThem) {
  Tables t;
  // Decode: no code on the group row, no tag while the entry's ID flag is on; no tags on the HT-610.
  EXPECT_FALSE(t.decodeGrid.Editable(8, 1));
  EXPECT_TRUE(t.decodeGrid.Editable(8, 2));
  t.decode.entries[3].id = true;
  EXPECT_FALSE(t.decodeGrid.StartsEdit(3, 2, 'A'));
  EXPECT_TRUE(t.decodeGrid.StartsEdit(3, 1, 'A'));
  FiveToneDecodeGrid ht610Decode(t.decode, false);
  FiveToneEncodeGrid ht610Encode(t.encode, false);
  EXPECT_FALSE(ht610Decode.Editable(0, 2));
  EXPECT_FALSE(ht610Encode.Editable(0, 2));
  EXPECT_TRUE(ht610Encode.Editable(0, 1));

  // A decode code typed as 12345 is stored digit by digit from the last byte.
  EXPECT_TRUE(t.decodeGrid.EndEdit(4, 1, "12345"));
  RadioImage img{};
  t.decode.StoreToImage(img);
  EXPECT_TRUE(test::BytesAt(img, 6958 + 15 * 4 + 1, {0xFF, 0xF5, 0x43, 0x21}));
}

TEST(SignallingGridTest, CopyAndPasteOfSystemCells) {
  Tables t;
  FiveToneSystemsGrid& g = t.systemsGrid;
  struct Case {
    int col;
    std::string text;
    bool taken;
    std::string shown;
  } cases[] = {
      {1, "CCIR2 ", true, "CCIR2 "},  {1, " NATEL\r\n", true, "NATEL "}, {1, "ZVEI9", false, "NATEL "},
      {2, "Close", true, "Close"},     {3, "Open", true, "Open "},       {4, "-", true, "-"},
      {4, "v", true, "v"},             {4, "yes", false, "v"},           {6, " 32 ", true, " 32 "},
      {6, "7", true, "  7 "},          {6, "Disable", true, "Disable"},  {6, "33", false, "Disable"},
      {10, "Release", true, "Release"}, {21, "-", true, "-"},            {0, "5", false, " 1"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(g.Paste(0, c.col, c.text), c.taken) << c.col << " " << c.text;
    EXPECT_EQ(g.Text(0, c.col), c.shown) << c.col << " " << c.text;
  }
  // A whole row copied cell by cell and pasted into another row gives the same system.
  for (int col = 1; col < g.ColumnCount(); ++col) EXPECT_TRUE(g.Paste(9, col, g.CopyText(0, col))) << col;
  RadioImage img{};
  t.systems.StoreToImage(img);
  for (int b = 0; b < 6; ++b) EXPECT_EQ(img[6766 + b], img[6766 + 9 * 6 + b]) << b;
  // Typed cells take no paste through the grid.
  EXPECT_FALSE(t.decodeGrid.Paste(0, 1, "123"));
}

}  // namespace
}  // namespace kp53

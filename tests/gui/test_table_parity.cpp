// Parity of the two ways into a list or flag cell of the signalling tables: for every such column
// of the four grids, on the first and last rows (and the decode group row), every value of the
// column and texts none has: Space on the cell until it shows the value, or the pick list's item,
// then OK in the real dialog; and the text naming it imported onto the same base. The same image,
// or the text refuses what the dialog cannot show; verify finds nothing in an accepted result.
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <set>

#include "channels/flex_grid.h"
#include "channels/list_dialogs.h"
#include "config/config_model.h"
#include "config/config_text.h"
#include "config/config_verify.h"
#include "gui_fixture.h"
#include "image/image_rules.h"
#include "signalling/five_tone_decode_dialog.h"
#include "signalling/five_tone_encode_dialog.h"
#include "signalling/five_tone_systems_dialog.h"
#include "signalling/table_dialog.h"
#include "signalling/two_tone_systems_dialog.h"

namespace kp53::gui {
namespace {

constexpr int kHeaderRows = 2;

struct Table {
  int gridId;
  int signaling;        // 0 2-tone, 1 5-tone
  const char* section;  // the text form's section of the rows
  std::vector<int> rows;
  std::function<std::unique_ptr<SignallingGrid>(config::ConfigModel&)> grid;
};

const std::vector<Table>& Tables() {
  using config::ConfigModel;
  static const std::vector<Table> tables = {
      {CTwoToneSystemsDlg::kGridId, 0, "two_tone_systems", {0, 15},
       [](ConfigModel& m) { return std::make_unique<TwoToneSystemsGrid>(m.twoToneSystems); }},
      {CFiveToneSystemsDlg::kGridId, 1, "five_tone_systems", {0, 31},
       [](ConfigModel& m) { return std::make_unique<FiveToneSystemsGrid>(m.fiveToneSystems); }},
      {CFiveToneDecodeDlg::kGridId, 1, "five_tone_decode", {0, 7, FiveToneDecodeGrid::kGroupRow},
       [](ConfigModel& m) { return std::make_unique<FiveToneDecodeGrid>(m.decode, true); }},
      {CFiveToneEncodeDlg::kGridId, 1, "five_tone_encode", {0, 31},
       [](ConfigModel& m) { return std::make_unique<FiveToneEncodeGrid>(m.encode, true); }},
  };
  return tables;
}

// Enters `text` into cell (row, col) as a user does: Space until the cell shows it, answering a
// pick list with the item of that value. False where the cell never shows it.
bool EnterInDialog(CTableDialog& dlg, const SignallingGrid& grid, int row, int col, const std::string& text) {
  CMSFlexGrid& g = *dlg.Grid();
  const bool flag = grid.Column(col).kind == CellKind::Toggle;
  auto shows = [&] {
    if (flag) return text == (g.CellHasPicture(row + kHeaderRows, col) ? "true" : "false");
    return g.TextMatrix(row + kHeaderRows, col).trimmed().toStdString() == text;
  };
  g.setFocus();
  g.SetRow(row + kHeaderRows);
  g.SetCol(col);
  emit g.RowColChange();
  const int value = grid.ValueOf(col, text);
  const bool pick = grid.Column(col).kind == CellKind::Pick;
  if (value < 0 && pick) return false;  // no item to choose
  for (int k = 0; k < grid.ValueCount(col) && !shows(); ++k) {
    if (pick) QTimer::singleShot(0, [value, current = grid.CellValue(row, col)] {
      auto* list = qobject_cast<CListDialog*>(QApplication::activeModalWidget());
      ASSERT_TRUE(list);
      EXPECT_EQ(list->list()->currentRow(), current);  // the list opens on the cell's value
      list->list()->setCurrentRow(value), list->accept();
    });
    QTest::keyClick(&g, Qt::Key_Space);
    QApplication::processEvents();
  }
  return shows();
}

TEST_F(GuiTest, DialogAndTextEnterEveryListAndFlagCellOfTheSignallingTablesAlike) {
  int columns = 0, values = 0, refused = 0;
  std::set<RadioImage> verified;  // each result once
  for (const Table& table : Tables()) {
    RadioData base = doc->Data();
    ChangeSignalingType(base, table.signaling);
    ReloadAreas(base);
    NormalizeImage(base);
    config::ConfigModel model;
    model.Load(base.image, base.defaultSplit);
    const auto grid = table.grid(model);
    for (int col = 0; col < grid->ColumnCount(); ++col) {
      const CellKind kind = grid->Column(col).kind;
      if (kind != CellKind::Toggle && kind != CellKind::Step && kind != CellKind::Pick) continue;
      ++columns;
      // Every value on the first row; of a long pick list the first two and the last elsewhere.
      const int count = grid->ValueCount(col);
      for (const int row : table.rows) {
        if (!grid->HasCell(row, col)) continue;
        const bool group = row == FiveToneDecodeGrid::kGroupRow && table.gridId == CFiveToneDecodeDlg::kGridId;
        std::vector<std::string> texts = {"0", "??"};
        for (int v = 0; v < count; ++v)
          if (row == table.rows[0] || count < 20 || v < 2 || v == count - 1)
            texts.push_back(kind == CellKind::Toggle ? (v ? "true" : "false") : QString::fromStdString(grid->ValueText(col, v)).trimmed().toStdString());
        for (const std::string& text : texts) {
          ++values;
          const std::string field = std::string(grid->Column(col).name) + ": '" + text + "'";
          const std::string yaml = group ? "five_tone_decode_group: {" + field + "}"
                                         : Format("%s: {%d: {%s}}", table.section, row + 1, field.c_str());
          doc->Data() = base;
          auto opened = OpenDialogOf(table.gridId, ParamEnv{*doc, prompt, [](int) {}});
          auto* dlg = qobject_cast<CTableDialog*>(opened.get());
          ASSERT_TRUE(dlg) << yaml;
          dlg->show();
          const bool dialogTook = EnterInDialog(*dlg, *grid, row, col, text);
          dlg->OkButton()->click();
          NormalizeImage(doc->Data());

          const auto r = config::ImportText(yaml, base.image, base.defaultSplit);
          if (!dialogTook) {
            ++refused;
            EXPECT_FALSE(r.errors.empty()) << yaml;
            continue;
          }
          ASSERT_TRUE(r.errors.empty()) << yaml << ": " << r.errors[0].message;
          EXPECT_TRUE(doc->Data().image == r.image) << yaml;
          if (verified.insert(r.image).second)
            for (const auto& f : config::Verify(r.image, r.split)) ADD_FAILURE() << yaml << ": " << f.place << " " << f.message;
        }
      }
    }
  }
  std::printf("table parity: %d columns, %d values walked, %d refused by both\n", columns, values, refused);
  EXPECT_EQ(columns, 48);
  EXPECT_EQ(values, 629);
  EXPECT_EQ(refused, 208);  // "0" and "??" on every cell: no value of the column
}

}  // namespace
}  // namespace kp53::gui

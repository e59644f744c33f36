// The frame's document commands, the band-change refresh, the label control and the About box.
#include <QAction>
#include <QLabel>
#include <QTest>

#include "app/color_label.h"
#include "app/command_ids.h"
#include "app/small_dialogs.h"
#include "gui_fixture.h"

namespace {

TEST_F(GuiTest, NewAsksAboutChangesAndCancelKeepsTheImage) {
  CMainFrame& f = Frame();
  doc->Data().channels.Entry(0).squelch = 9;
  ctx.modified = true;
  prompt.answers.push_back(kp53::Answer::Cancel);
  f.RunCommand(cmd::kNew);
  EXPECT_EQ(doc->Data().channels.Entry(0).squelch, 9);
  prompt.answers.push_back(kp53::Answer::No);
  f.RunCommand(cmd::kNew);
  EXPECT_EQ(doc->Data().channels.Entry(0).squelch, 4);
  EXPECT_EQ(Grid().TextMatrix(2, 13), QStringLiteral(" 4"));
  EXPECT_FALSE(ctx.modified);
}

TEST_F(GuiTest, BandChangeRefreshWritesTheNewBandsDefaultAndRedraws) {
  CMainFrame& f = Frame();
  doc->Data().hardware.ApplyBandDefaults(true);
  doc->Data().channels.ResetFrequencies(true);
  doc->Data().channels.currentGroup = 3;
  f.ApplyRefresh(4);
  EXPECT_TRUE(std::filesystem::exists(root / "work" / "defaultu.k53"));
  EXPECT_EQ(ShownTitle(f), QStringLiteral("<none> - KP53Win for HT-620A Series"));
  EXPECT_EQ(View().HeaderValue(1)->text().trimmed(), QStringLiteral("UHF"));
  EXPECT_EQ(doc->Data().channels.currentGroup, 0);
  EXPECT_EQ(Grid().TextMatrix(2, 0), QStringLiteral("  1"));
}

TEST_F(GuiTest, SaveAsOfALongPathShowsItInTheTitle) {
  std::filesystem::path dir = root;
  while (dir.string().size() < 200) dir /= std::string(30, 'x');
  std::filesystem::create_directories(dir);
  const std::string path = (dir / (std::string(60, 'f') + ".K53")).string();
  chooser.saves.push_back(path);
  Frame().RunCommand(cmd::kSaveAs);
  EXPECT_TRUE(std::filesystem::exists(path));
  EXPECT_TRUE(Frame().windowTitle().startsWith(QString::fromStdString(path)));
}

TEST_F(GuiTest, ColumnItemFiveFromTheSettingsHidesPowerSave) {
  ctx.settings.columns[5] = 0;
  EXPECT_EQ(Grid().ColWidth(8), 0);
  EXPECT_EQ(Grid().ColWidth(9), 0);
  EXPECT_EQ(Grid().ColWidth(10), 480);
  EXPECT_FALSE(Frame().Action(32805)->isChecked());
}

TEST(ColorLabelTest, ColoursFontsAndBlinkingTextRestore) {
  ColorLabel label;
  label.setText(QStringLiteral("Please wait"));
  label.SetTextColor(Qt::red);
  label.SetBkColor(Qt::yellow);
  EXPECT_EQ(label.palette().color(QPalette::WindowText), QColor(Qt::red));
  EXPECT_EQ(label.palette().color(QPalette::Window), QColor(Qt::yellow));
  label.SetFontSize(-12);
  label.SetFontBold(true);
  label.SetFontItalic(true);
  label.SetFontUnderline(true);
  EXPECT_EQ(label.font().pointSize(), 12);
  EXPECT_EQ(label.font().weight(), QFont::Bold);
  EXPECT_TRUE(label.font().italic());
  EXPECT_TRUE(label.font().underline());
  label.FlashText(true);
  label.setText(QString());  // what a blink does
  label.FlashText(false);
  EXPECT_EQ(label.text(), QStringLiteral("Please wait"));
  label.SetSunken(true);
  EXPECT_EQ(label.frameShadow(), QFrame::Sunken);
  label.SetLink(true);
  EXPECT_TRUE(label.IsLink());
  EXPECT_EQ(label.cursor().shape(), Qt::PointingHandCursor);
}

TEST(AboutBox, VersionAndProductLine) {
  AboutDialog about;
  auto* version = about.findChild<QLabel*>(QStringLiteral("version"));
  auto* product = about.findChild<QLabel*>(QStringLiteral("product"));
  ASSERT_NE(version, nullptr);
  ASSERT_NE(product, nullptr);
  EXPECT_EQ(version->text(), QStringLiteral("KP53 Ver1.00"));
  EXPECT_EQ(version->font().pointSize(), 24);
  EXPECT_EQ(product->text(), QStringLiteral("HT-620A Series Programming Software"));
  EXPECT_EQ(product->font().pointSize(), 10);
}

}  // namespace

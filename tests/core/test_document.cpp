// The document flows: New, Open, Save, Save As, the unsaved-changes question, the default files
// and the band change, each with its messages, driven through scripted prompts; and undo and redo:
// whole-image snapshots taken around each change, the step limit, merged typing, and the modified
// flag that follows the saved state.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <tuple>
#include <vector>

#include "document/document.h"
#include "fake_prompt.h"
#include "temp_dir.h"
#include "text/messages.h"

namespace kp53 {
namespace {

namespace fs = std::filesystem;

using test::FakePrompt;
using test::ScriptedChooser;
using test::ReadBytes;
using test::WriteBytes;

class DocumentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root = tmp.path();
    fs::create_directories(root / "exe");
    fs::create_directories(root / "work");
    ctx.exeDir = (root / "exe").string();
    ctx.workDir = (root / "work").string();
  }
  // A document with the built-in image and one unsaved change (channel 1's squelch is 1).
  void BuildModified(CRM90Doc& doc) {
    doc.BuildImage();
    doc.Data().channels.Entry(0).squelch = 1;
    ctx.modified = true;
  }

  // A valid 7735-byte data file written by the document itself, with a UHF band when asked.
  fs::path MakeDataFile(const std::string& name, bool uhf = false) {
    AppContext c;
    c.exeDir = ctx.exeDir;
    c.workDir = ctx.workDir;
    FakePrompt p;
    ScriptedChooser ch;
    CRM90Doc d(c, p, ch);
    if (uhf) {
      d.Data().hardware.ApplyBandDefaults(true);
      d.Data().channels.ResetFrequencies(true);
    }
    d.Data().channels.Entry(0).squelch = 9;
    const fs::path path = root / name;
    c.currentPath = path.string();
    EXPECT_TRUE(d.Save());
    return path;
  }

  // What a loaded file decides: the title, the band and channel 1's squelch (9 in files made here).
  static std::tuple<std::string, bool, int> Loaded(CRM90Doc& doc) {
    return {doc.Title(), doc.Data().hardware.IsUhf(), doc.Data().channels.Entry(0).squelch};
  }

  // Flips bits of one byte of a file and gives back the new contents.
  static std::vector<unsigned char> FlipBits(const fs::path& file, std::size_t at, unsigned char bits) {
    auto bytes = ReadBytes(file.string());
    bytes[at] ^= bits;
    WriteBytes(file.string(), bytes);
    return bytes;
  }

  test::TempDir tmp;
  fs::path root;
  AppContext ctx;
  FakePrompt prompt;
  ScriptedChooser chooser;
};

// --- Building a new image ------------------------------------------------------------------------

TEST_F(DocumentTest, NoDefaultFilesWritesDefaultvIntoTheWorkingDirectory) {
  CRM90Doc doc(ctx, prompt, chooser);
  doc.BuildImage();
  EXPECT_EQ(doc.Title(), "<none>");
  EXPECT_TRUE(prompt.shown.empty());
  EXPECT_FALSE(doc.DefaultFileFound());
  const fs::path written = root / "work" / "defaultv.k53";
  ASSERT_TRUE(fs::exists(written));
  EXPECT_EQ(fs::file_size(written), kDataFileSize);
  EXPECT_FALSE(fs::exists(root / "exe" / "defaultv.k53"));
}

TEST_F(DocumentTest, DefaultFileBesideTheExecutableIsUsedAndBecomesTheTitleVhfFirst) {
  fs::copy_file(MakeDataFile("u.k53", true), root / "exe" / "defaultu.k53");
  CRM90Doc doc(ctx, prompt, chooser);
  doc.BuildImage();
  EXPECT_TRUE(doc.DefaultFileFound());
  EXPECT_EQ(Loaded(doc), std::tuple((root / "exe" / "defaultu.k53").string(), true, 9));
  EXPECT_FALSE(fs::exists(root / "work" / "defaultv.k53"));
  fs::copy_file(MakeDataFile("v.k53", false), root / "exe" / "defaultv.k53");
  ctx.currentPath = kNoPath;
  CRM90Doc both(ctx, prompt, chooser);
  both.BuildImage();
  EXPECT_EQ(Loaded(both), std::tuple((root / "exe" / "defaultv.k53").string(), false, 9));
}

TEST_F(DocumentTest, MenuSetFollowsTheSignallingSystemOfTheLoadedImage) {
  const fs::path two = MakeDataFile("two.k53");
  FlipBits(two, 7, 0x01);  // the file runs 2-tone
  CRM90Doc doc(ctx, prompt, chooser);
  chooser.opens.push_back(two.string());
  ASSERT_TRUE(doc.Open());
  EXPECT_EQ(MenuEnabled(doc.MenuSet(), 32784), 1);  // 2-Tone
  EXPECT_EQ(MenuEnabled(doc.MenuSet(), 32788), 0);  // 5-Tone General
  chooser.opens.push_back(MakeDataFile("five.k53").string());
  ASSERT_TRUE(doc.Open());
  EXPECT_EQ(MenuEnabled(doc.MenuSet(), 32784), 0);
  EXPECT_EQ(MenuEnabled(doc.MenuSet(), 32788), 1);
}

// --- Open ----------------------------------------------------------------------------------------

// Open refuses a file one byte short or long (37), a missing one and one it may not read (32),
// with a stop sign, and stays untitled.
TEST_F(DocumentTest, OpenRefusesWhatItCannotReadWhole) {
  auto bytes = ReadBytes(MakeDataFile("good.k53"));
  const fs::path locked = MakeDataFile("locked.k53");
  fs::permissions(locked, fs::perms::none);
  std::vector<std::pair<fs::path, int>> cases{{root / "missing.k53", 32}};
  if (::geteuid() != 0) cases.emplace_back(locked, 32);  // root reads every file
  for (std::size_t size : {kDataFileSize - 1, kDataFileSize + 1}) {
    auto copy = bytes;
    copy.resize(size, 0);
    cases.emplace_back(root / ("bad" + std::to_string(size) + ".k53"), 37);
    WriteBytes(cases.back().first.string(), copy);
  }
  for (const auto& [path, message] : cases) {
    FakePrompt p;
    ctx.currentPath = kNoPath;
    CRM90Doc doc(ctx, p, chooser);
    chooser.opens.push_back(path.string());
    EXPECT_FALSE(doc.Open());
    ASSERT_TRUE(p.ShowedOnly(message, path.string())) << path;
    EXPECT_EQ(p.shown[0].icon, Icon::Stop);
    EXPECT_EQ(doc.Title(), "<none>");
  }
}

TEST_F(DocumentTest, ShortFileGivenDirectlyLoadsItsImageAndKeepsTheDefaultSplit) {
  const fs::path good = MakeDataFile("good.k53");
  auto bytes = ReadBytes(good);
  bytes.resize(kDataFileSize - 1);  // the trailer is cut
  const fs::path shortFile = root / "short.k53";
  WriteBytes(shortFile.string(), bytes);
  CRM90Doc doc(ctx, prompt, chooser);
  doc.OpenPath(shortFile.string());
  EXPECT_TRUE(prompt.shown.empty());
  EXPECT_EQ(Loaded(doc), std::tuple(shortFile.string(), false, 9));
  EXPECT_EQ(doc.Data().defaultSplit, 0.0);
}

TEST_F(DocumentTest, UnreadableFileGivenDirectlyLeavesTheBuiltInImageUntitled) {
  // Saving afterwards must never write the built-in image over the file that failed.
  const fs::path tiny = root / "tiny.k53";
  WriteBytes(tiny.string(), std::vector<unsigned char>(10, 0x55));
  const struct {
    fs::path path;
    int message;  // 0: none
  } cases[] = {{tiny, 34}, {root / "missing.k53", 0}};
  for (const auto& c : cases) {
    FakePrompt p;
    CRM90Doc doc(ctx, p, chooser);
    doc.OpenPath(c.path.string());
    EXPECT_TRUE(c.message ? p.ShowedOnly(c.message, c.path.string()) : p.shown.empty()) << c.path;
    EXPECT_FALSE(doc.DefaultFileFound());
    EXPECT_EQ(Loaded(doc), std::tuple("<none>", false, 4));
    EXPECT_TRUE(ctx.settings.recentFiles.empty());
  }
  EXPECT_EQ(ReadBytes(tiny), std::vector<unsigned char>(10, 0x55));
}

TEST_F(DocumentTest, OpenCancelledInTheDialogOrTheQuestionKeepsTheImage) {
  const fs::path file = MakeDataFile("f.k53");
  CRM90Doc doc(ctx, prompt, chooser);
  doc.BuildImage();
  doc.Data().channels.Entry(3).squelch = 2;
  ctx.modified = true;
  EXPECT_FALSE(doc.Open());  // the file dialog cancelled: nothing asked
  EXPECT_TRUE(prompt.shown.empty());
  chooser.opens.push_back(file.string());
  prompt.answers.push_back(Answer::Cancel);
  EXPECT_FALSE(doc.Open());
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_EQ(prompt.shown[0].text, "Save changes to <none>?");
  EXPECT_EQ(prompt.shown[0].buttons, Buttons::YesNoCancel);
  EXPECT_EQ(doc.Data().channels.Entry(3).squelch, 2);
  EXPECT_TRUE(ctx.modified);
}

TEST_F(DocumentTest, OpenLoadsTheFileAddsItToTheRecentListAndSaveRoundTripsByteForByte) {
  const fs::path file = MakeDataFile("f.k53", true);
  const auto before = ReadBytes(file);
  CRM90Doc doc(ctx, prompt, chooser);
  doc.BuildImage();
  int updates = 0;
  doc.onUpdate = [&] { ++updates; };
  chooser.opens.push_back(file.string());
  EXPECT_TRUE(doc.Open());
  EXPECT_EQ(Loaded(doc), std::tuple(file.string(), true, 9));
  EXPECT_EQ(updates, 1);
  ASSERT_FALSE(ctx.settings.recentFiles.empty());
  EXPECT_EQ(ctx.settings.recentFiles[0], file.string());
  ctx.modified = true;
  ASSERT_TRUE(doc.Save());
  EXPECT_FALSE(ctx.modified);
  EXPECT_EQ(ReadBytes(file), before);
}

// --- Save and Save As ----------------------------------------------------------------------------

TEST_F(DocumentTest, SavedFileIsExactSizeWithTheChecksumOfTheNormalisedImage) {
  CRM90Doc doc(ctx, prompt, chooser);
  doc.BuildImage();
  doc.Data().defaultSplit = 4.6;
  const fs::path file = root / "out.k53";
  chooser.saves.push_back(file.string());
  ASSERT_TRUE(doc.SaveAs());
  const auto bytes = ReadBytes(file);
  ASSERT_EQ(bytes.size(), kDataFileSize);
  const unsigned sum = ImageChecksum(doc.Data().image);
  EXPECT_EQ(bytes[7725], sum >> 8);
  EXPECT_EQ(bytes[7726], sum & 0xFF);
  EXPECT_EQ(DecodeSplit(bytes.data() + 7727), 4.6);
}

TEST_F(DocumentTest, SaveOverAReadOnlyFileShowsMessage49AndWritesNothing) {
  // The owner-write bit decides, even for a user (root) whom the system would let write.
  const fs::path file = MakeDataFile("ro.k53");
  const auto before = ReadBytes(file);
  fs::permissions(file, fs::perms::owner_read | fs::perms::group_read);
  CRM90Doc doc(ctx, prompt, chooser);
  doc.OpenPath(file.string());
  doc.Data().channels.Entry(0).squelch = 1;
  ctx.modified = true;
  EXPECT_FALSE(doc.Save());
  EXPECT_TRUE(prompt.ShowedOnly(49, file.string()));
  EXPECT_EQ(ReadBytes(file), before);
  EXPECT_TRUE(ctx.modified);
}

TEST_F(DocumentTest, SaveOverACapitalisedDefaultNameInAnyFolderAsksAndNoLeavesItAlone) {
  fs::create_directories(root / "elsewhere");
  const fs::path file = root / "elsewhere" / "DEFAULTV.K53";
  fs::copy_file(MakeDataFile("src.k53"), file);
  const auto before = ReadBytes(file);
  CRM90Doc doc(ctx, prompt, chooser);
  doc.OpenPath(file.string());
  doc.Data().channels.Entry(0).squelch = 1;
  prompt.answers.push_back(Answer::No);
  EXPECT_FALSE(doc.Save());
  ASSERT_TRUE(prompt.ShowedOnly(36));
  EXPECT_EQ(prompt.shown[0].icon, Icon::Question);
  EXPECT_EQ(prompt.shown[0].buttons, Buttons::YesNo);
  EXPECT_EQ(ReadBytes(file), before);

  prompt.answers.push_back(Answer::Yes);
  EXPECT_TRUE(doc.Save());
  EXPECT_NE(ReadBytes(file), before);
}

TEST_F(DocumentTest, SaveOnAnUntitledDocumentRunsSaveAs) {
  CRM90Doc doc(ctx, prompt, chooser);
  doc.BuildImage();
  prompt.shown.clear();
  ctx.modified = true;
  EXPECT_FALSE(doc.Save());  // the save dialog is cancelled
  EXPECT_EQ(chooser.saveAsked, 1);
  EXPECT_TRUE(prompt.shown.empty());
  EXPECT_TRUE(ctx.modified);
  EXPECT_EQ(doc.Title(), "<none>");

  const fs::path file = root / "named.k53";
  chooser.saves.push_back(file.string());
  EXPECT_TRUE(doc.Save());
  EXPECT_EQ(doc.Title(), file.string());
  EXPECT_EQ(fs::file_size(file), kDataFileSize);
  EXPECT_FALSE(ctx.modified);
}

TEST_F(DocumentTest, SaveAsWithA300CharacterPathSavesWhereChosen) {
  // Nested folders so that the whole path is 300 characters long.
  fs::path dir = root;
  while (dir.string().size() < 240) dir /= std::string(40, 'd');
  fs::create_directories(dir);
  std::string name = "/";
  const std::size_t want = 300 - dir.string().size();
  name += std::string(want - 1 - 4, 'n') + ".K53";
  const std::string path = dir.string() + name;
  ASSERT_EQ(path.size(), 300u);

  CRM90Doc doc(ctx, prompt, chooser);
  doc.BuildImage();
  chooser.saves.push_back(path);
  ASSERT_TRUE(doc.SaveAs());
  EXPECT_EQ(doc.Title(), path);
  EXPECT_EQ(fs::file_size(path), kDataFileSize);
  // Nothing was written under a cut name.
  const std::string cut = path.substr(0, 128) + ".K53";
  EXPECT_FALSE(fs::exists(cut));
}

TEST_F(DocumentTest, SaveAsToAMissingFolderStaysTheCurrentPathAndReports35) {
  CRM90Doc doc(ctx, prompt, chooser);
  doc.BuildImage();
  const std::string path = (root / "no-such-dir" / "x.k53").string();
  chooser.saves.push_back(path);
  ctx.modified = true;
  EXPECT_FALSE(doc.SaveAs());
  EXPECT_EQ(doc.Title(), path);
  EXPECT_TRUE(prompt.ShowedOnly(35, path));
  EXPECT_TRUE(ctx.modified);
}

// --- The unsaved-changes question ----------------------------------------------------------------

TEST_F(DocumentTest, UnmodifiedDocumentIsNotAskedAndNoDiscardsWithoutSaving) {
  CRM90Doc doc(ctx, prompt, chooser);
  EXPECT_TRUE(doc.AskToSaveChanges());
  EXPECT_TRUE(prompt.shown.empty());
  doc.BuildImage();
  ctx.modified = true;
  prompt.answers.push_back(Answer::No);
  EXPECT_TRUE(doc.AskToSaveChanges());
  EXPECT_EQ(prompt.shown.size(), 1u);
  EXPECT_EQ(chooser.saveAsked, 0);
  EXPECT_FALSE(ctx.modified);
}

TEST_F(DocumentTest, YesSavesUnderTheChosenNameBeforeTheNewImage) {
  CRM90Doc doc(ctx, prompt, chooser);
  BuildModified(doc);
  const fs::path file = root / "kept.k53";
  prompt.answers.push_back(Answer::Yes);
  chooser.saves.push_back(file.string());
  EXPECT_TRUE(doc.New());
  ASSERT_TRUE(fs::exists(file));
  CRM90Doc other(ctx, prompt, chooser);
  other.OpenPath(file.string());
  EXPECT_EQ(other.Data().channels.Entry(0).squelch, 1);
}

TEST_F(DocumentTest, YesWithoutASavedFileCancelsTheActionAndKeepsTheChanges) {
  // The save dialog cancelled, or a save that fails: New stops, the edits and the flag stay.
  const std::string missingFolder = (root / "no-such-dir" / "x.k53").string();
  for (const std::optional<std::string>& chosen : {std::optional<std::string>(), std::optional(missingFolder)}) {
    FakePrompt p;
    ScriptedChooser ch;
    CRM90Doc doc(ctx, p, ch);
    BuildModified(doc);
    p.answers.push_back(Answer::Yes);
    if (chosen) ch.saves.push_back(*chosen);
    EXPECT_FALSE(doc.New());
    EXPECT_EQ(ch.saveAsked, 1);
    ASSERT_EQ(p.shown.size(), chosen ? 2u : 1u);
    EXPECT_EQ(p.shown.back().text, chosen ? FormatMessage(35, *chosen) : FormatMessage(61699, "<none>"));
    EXPECT_TRUE(ctx.modified);
    EXPECT_EQ(doc.Data().channels.Entry(0).squelch, 1);
  }
}

// --- Default files and the band change -----------------------------------------------------------

TEST_F(DocumentTest, FindDefaultFileLooksOnlyBesideTheExecutable) {
  CRM90Doc doc(ctx, prompt, chooser);
  fs::copy_file(MakeDataFile("u.k53", true), root / "work" / "defaultu.k53");
  EXPECT_FALSE(doc.FindDefaultFile(1));
  fs::copy_file(root / "work" / "defaultu.k53", root / "exe" / "defaultu.k53");
  EXPECT_TRUE(doc.FindDefaultFile(1));
  EXPECT_EQ(doc.Title(), (root / "exe" / "defaultu.k53").string());
  EXPECT_FALSE(doc.FindDefaultFile(0));
  EXPECT_FALSE(doc.DefaultFileFound());
}

TEST_F(DocumentTest, WriteDefaultFileWithAnEmptyNameShowsMessage32) {
  CRM90Doc doc(ctx, prompt, chooser);
  ctx.currentPath = "x";
  EXPECT_FALSE(doc.WriteDefaultFile(""));
  EXPECT_TRUE(prompt.ShowedOnly(32, "x"));
  EXPECT_EQ(doc.Title(), "<none>");
}

TEST_F(DocumentTest, BandChangeWithoutADefaultFileWritesTheCurrentImageAsThatBandsDefault) {
  CRM90Doc doc(ctx, prompt, chooser);
  doc.BuildImage();
  doc.Data().hardware.ApplyBandDefaults(true);
  doc.Data().channels.ResetFrequencies(true);
  doc.Data().channels.groupSize[0] = 0;
  doc.Data().channels.currentGroup = 5;
  ctx.modified = true;
  doc.BandChange();
  EXPECT_EQ(doc.Title(), "<none>");
  const fs::path written = root / "work" / "defaultu.k53";
  ASSERT_TRUE(fs::exists(written));
  EXPECT_EQ(doc.Data().channels.currentGroup, 1);  // the first group with channels
  CRM90Doc other(ctx, prompt, chooser);
  other.OpenPath(written.string());
  EXPECT_TRUE(other.Data().hardware.IsUhf());
}

TEST_F(DocumentTest, BandChangeLoadsTheNewBandsDefaultFileAndItsMenuSet) {
  const fs::path u = MakeDataFile("u.k53", true);
  CRM90Doc doc(ctx, prompt, chooser);
  doc.BuildImage();  // no VHF default: built-in
  const bool fiveTone = doc.Data().signaling.IsFiveTone();
  FlipBits(u, 7, 0x01);  // the UHF default runs the other signalling system
  fs::copy_file(u, root / "exe" / "defaultu.k53");
  fs::remove(root / "work" / "defaultv.k53");
  doc.Data().hardware.ApplyBandDefaults(true);
  doc.BandChange();
  EXPECT_EQ(Loaded(doc), std::tuple((root / "exe" / "defaultu.k53").string(), true, 9));
  EXPECT_FALSE(fs::exists(root / "work" / "defaultu.k53"));
  EXPECT_EQ(MenuEnabled(doc.MenuSet(), 32788), fiveTone ? 0 : 1);  // 5-Tone General
}

TEST_F(DocumentTest, BandDefaultFileReadWhileTheHardwareDialogIsOpenReplacesImageAndHardwareOnly) {
  CRM90Doc doc(ctx, prompt, chooser);
  doc.BuildImage();
  NormalizeImage(doc.Data());
  const RadioImage before = doc.Data().image;
  ctx.currentPath = "old.k53";
  EXPECT_FALSE(doc.ReadBandDefaultFile(1));  // no UHF default: nothing read
  EXPECT_EQ(doc.Title(), "<none>");
  EXPECT_TRUE(doc.Data().image == before);

  const fs::path u = MakeDataFile("u.k53", true);
  fs::copy_file(u, root / "exe" / "defaultu.k53");
  doc.Data().defaultSplit = 3.0;
  ASSERT_TRUE(doc.ReadBandDefaultFile(1));
  const auto file = ReadBytes(u.string());
  EXPECT_TRUE(std::equal(file.begin(), file.begin() + kImageSize, doc.Data().image.begin()));
  EXPECT_EQ(doc.Data().defaultSplit, 0.0);
  EXPECT_TRUE(doc.Data().hardware.IsUhf());
  EXPECT_NE(doc.Data().channels.Entry(0).squelch, 9);  // the channel model is the dialog's business
  EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(DocumentTest, AFileWhoseStoredChecksumIsWrongOpensWithAWarning) {
  const fs::path file = MakeDataFile("damaged.k53");
  const auto bytes = FlipBits(file, off::kChannels + 20, 0x01);
  CRM90Doc doc(ctx, prompt, chooser);
  chooser.opens.push_back(file.string());
  EXPECT_TRUE(doc.Open());
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_EQ(prompt.shown[0].icon, Icon::Exclamation);
  EXPECT_NE(prompt.shown[0].text.find("checksum stored in " + file.string()), std::string::npos);
  EXPECT_EQ(doc.Data().image[off::kChannels + 20], bytes[off::kChannels + 20]);
}

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

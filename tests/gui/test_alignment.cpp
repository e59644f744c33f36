// Radio > Alignment against the radio simulator: entering, the channel list, the slider and
// measurement dialogs, refused commands, and leaving with and without the write-back.
#include <QSlider>

#include "gui_fixture.h"
#include "image/alignment_items.h"
#include "link/alignment_dialog.h"

namespace {

using kp53::gui::CAlignMeasureDlg;
using kp53::gui::CAlignmentDlg;
using kp53::gui::CAlignSliderDlg;
namespace align = kp53::align;

class AlignmentTest : public RadioGuiTest {
 protected:
  // The radio's channels: 1 wide with CTCSS 88.5 Hz, 2 narrow with CTCSS, 3 narrow without tone;
  // CTCSS ratio 70 %.
  void StartRadio() {
    kp53::RadioData d;
    kp53::InitImage(d);
    d.image = kp53::sim::DefaultRadioMemory();
    kp53::ReloadAreas(d);
    for (int c = 0; c < 3; ++c) {
      auto& e = d.channels.Entry(c);
      e.bandwidth = c == 0 ? 0 : 2;
      e.txToneType = c < 2 ? kp53::kToneCtcss : kp53::kToneNone;
      e.txCtcss = 885;
    }
    d.image[7704] = 70;
    d.hardware.LoadFromImage(d.image);
    kp53::NormalizeImage(d);
    memoryBefore = d.image;
    kp53::sim::SimOptions o = SwitchedOffRadio();
    o.memory = d.image;
    o.measurement = {1, 2, 33, 4};
    RadioGuiTest::StartRadio(o);
    Transfers().alignmentPause = [](std::chrono::milliseconds) {};
    prompt.answers.push_back(kp53::Answer::Yes);  // the caution
  }
  QString FieldText(CAlignmentDlg* d, int item) { return d->Edit(CAlignmentDlg::kFirstValue + item)->text(); }
  QString LabelText(CAlignmentDlg* d, int item) { return d->Label(CAlignmentDlg::kFirstValue + item)->text(); }
  static QString Text3(int v) { return QString::fromStdString(kp53::AlignmentValueText(v)); }
  std::size_t FrameCount() const { return radio->Log().alignmentFrames.size(); }
  // Sets item `item`'s slider to `value` in its dialog and closes it with OK.
  void Slide(CAlignmentDlg* d, int item, int value) {
    QTimer::singleShot(0, d, [value] {
      auto* s = WaitForModal<CAlignSliderDlg>();
      ASSERT_NE(s, nullptr);
      s->Slider()->setValue(value);
      QTest::mouseClick(s->OkButton(), Qt::LeftButton);
    });
    d->OpenValueDialog(item);
  }
  const kp53::RadioImage& Image() { return doc->Data().image; }

  kp53::RadioImage memoryBefore{};
};

TEST_F(AlignmentTest, AdjustOnWideAndNarrowChannelsMeasureAndWriteBack) {
  StartRadio();
  ASSERT_TRUE(Frame().IsCommandEnabled(cmd::kAlignment));
  WhenModal<CAlignmentDlg>(&Frame(), [this](CAlignmentDlg* d) {
    EXPECT_EQ(radio->State(), kp53::sim::RadioState::Alignment);
    EXPECT_EQ(d->ChannelText(3)->text(), QStringLiteral("CTCSS"));
    EXPECT_EQ(d->ChannelText(5)->text(), QStringLiteral("Wide 5kHz"));
    EXPECT_EQ(LabelText(d, align::kSubAudioModulation), QStringLiteral("CTCSS Modulation"));
    EXPECT_EQ(FieldText(d, align::kRssi), Text3(Image()[7678]));
    d->Field(CAlignmentDlg::kChannelList)->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(d->PromptPane()->text(), QStringLiteral("Channel the radio is tuned to"));
    EXPECT_EQ(d->HintPane()->text(), QStringLiteral("<SELECT>"));
    Shot(d, QStringLiteral("alignment"));

    // CTCSS modulation 80 on the wide channel: the slider sends 0x34 80 and the tone, then 0x39.
    auto from = FrameCount();
    Slide(d, align::kSubAudioModulation, 80);
    radio->WaitIdle(std::chrono::seconds(5));
    const auto frames = radio->Log().alignmentFrames;
    const std::vector<std::uint8_t> move{0x34, 4, 80, 0x03, 0x75};
    EXPECT_NE(std::find(frames.begin() + static_cast<long>(from), frames.end(), move), frames.end());
    EXPECT_EQ(frames.back()[0], 0x37);
    EXPECT_EQ(Image()[7702], 80);
    EXPECT_EQ(Image()[7703], 56);

    // A narrow channel: items 8 to 10 show and edit the narrow bytes.
    d->Combo(CAlignmentDlg::kChannelList)->setCurrentIndex(1);
    EXPECT_EQ(d->ChannelText(5)->text(), QStringLiteral("Narrow"));
    const int narrowBytes[] = {7682, 7684, 7685};
    for (int k = 0; k < 3; ++k) EXPECT_EQ(FieldText(d, align::kRssi + k), Text3(Image()[narrowBytes[k]])) << k;
    EXPECT_EQ(radio->Log().alignmentFrames.back(), (std::vector<std::uint8_t>{0x39, 2, Image()[7710]}));
    Slide(d, align::kSubAudioModulation, 80);
    EXPECT_EQ(Image()[7703], 80);
    EXPECT_EQ(Image()[7702], 115);

    // A refused command puts the slider back; Cancel stores nothing.
    QTimer::singleShot(0, d, [this] {
      auto* s = WaitForModal<CAlignSliderDlg>();
      ASSERT_NE(s, nullptr);
      Shot(s, QStringLiteral("alignment-slider"));
      const int before = s->Slider()->value();
      radio->RefuseAlignmentCommands({0x3B});
      s->Slider()->setValue(before + 5);
      EXPECT_EQ(s->Slider()->value(), before);
      EXPECT_EQ(s->Edit(CAlignSliderDlg::kValueEdit)->text(), Text3(before));
      radio->RefuseAlignmentCommands({});
      QTest::mouseClick(s->CancelButton(), Qt::LeftButton);
    });
    const auto mic = Image()[7711];
    d->OpenValueDialog(align::kMicSensitivity);
    EXPECT_EQ(Image()[7711], mic);

    // The measurement: the reading of RSSI is the answer's third byte; "Copy ->" and OK store it.
    QTimer::singleShot(0, d, [] {
      auto* m = WaitForModal<CAlignMeasureDlg>();
      ASSERT_NE(m, nullptr);
      ASSERT_TRUE(QTest::qWaitFor([m] { return m->Edit(CAlignMeasureDlg::kReading)->text() == " 33"; }, 10000));
      Shot(m, QStringLiteral("alignment-measure"));
      QTest::mouseClick(m->CopyButton(), Qt::LeftButton);
      QTest::mouseClick(m->OkButton(), Qt::LeftButton);
    });
    d->OpenValueDialog(align::kRssi);
    EXPECT_EQ(Image()[7682], 33);
    EXPECT_EQ(FieldText(d, align::kRssi), Text3(33));

    // A channel the radio refuses: "Ch Error", the list keeps the narrow channel.
    radio->RefuseAlignmentCommands({0x30});
    d->Combo(CAlignmentDlg::kChannelList)->setCurrentIndex(2);
    EXPECT_EQ(d->Combo(CAlignmentDlg::kChannelList)->currentIndex(), 1);
    EXPECT_TRUE(Shown("Ch Error"));
    radio->RefuseAlignmentCommands({});

    prompt.answers.push_back(kp53::Answer::Yes);  // "Overwrite original data"
    QTest::mouseClick(d->OkButton(), Qt::LeftButton);
  });
  Frame().RunCommand(cmd::kAlignment);
  ASSERT_TRUE(radio->WaitIdle(std::chrono::seconds(5)));

  EXPECT_TRUE(Shown("Overwrite original data"));
  EXPECT_TRUE(Shown("Download is completed"));
  EXPECT_TRUE(ctx.modified);
  // Only the blocks that changed, and block 60.
  std::vector<int> changed;
  for (int b = 0; b < 61; ++b)
    if (b == 60 || !std::equal(memoryBefore.begin() + b * 128, memoryBefore.begin() + b * 128 + 128,
                               Image().begin() + b * 128))
      changed.push_back(b);
  EXPECT_EQ(radio->Log().blocksWritten, changed);
  EXPECT_EQ(radio->Memory(), Image());
  EXPECT_EQ(radio->Memory()[7702], 115);
  EXPECT_EQ(radio->Memory()[7703], 80);
  EXPECT_EQ(radio->Memory()[7682], 33);
}

TEST_F(AlignmentTest, CancelSkipsTheWriteBackQuestion) {
  StartRadio();
  WhenModal<CAlignmentDlg>(&Frame(), [this](CAlignmentDlg* d) {
    Slide(d, align::kRfFrequency, 7);
    EXPECT_EQ(Image()[7710], 7);
    QTest::mouseClick(d->CancelButton(), Qt::LeftButton);
  });
  Frame().RunCommand(cmd::kAlignment);
  ASSERT_TRUE(radio->WaitIdle(std::chrono::seconds(5)));
  EXPECT_FALSE(Shown("Overwrite original data"));
  EXPECT_TRUE(radio->Log().blocksWritten.empty());
  EXPECT_EQ(radio->Log().alignmentFrames.back(), (std::vector<std::uint8_t>{0x38, 1}));
  EXPECT_EQ(radio->State(), kp53::sim::RadioState::Clone);
  EXPECT_EQ(Image()[7710], 7);  // the image keeps the value given live
}

}  // namespace

#include "signalling/five_tone_decode_dialog.h"

#include "signalling/table_topics.h"
#include "text/grid_texts.h"

namespace kp53::gui {

std::span<const HelpTopic> CFiveToneDecodeDlg::HelpTopics() {
  static const TableTopics topics(kGridId, {
      {"5-Tone Decode",
       "<p>The eight codes the radio decodes and the group entry (Grp), with what the radio does on "
       "each. Space or a double-click changes a cell; type a code or a tag into its cell.</p>"},
      {"5-Tone Decode: Code",
       "<p>The code to decode, up to 8 digits 0 to 9 and A to E. Type it; Enter or leaving the cell "
       "stores it, Escape drops it.</p>"},
      {"5-Tone Decode: TAG",
       "<p>The name the radio shows for the code (HT-620 only), 8 characters of the radio's set, "
       "letters in upper case. It can be typed while the entry's ID is off.</p>"},
      {"5-Tone Decode: Transpond",
       "<p>What the radio sends back on the code: nothing, the system's call (Sys Call) or an encode "
       "entry (ENC-1 to ENC-32). Space opens the list.</p>"},
      {"5-Tone Decode: ID", "<p>Whether the code is decoded as an ID.</p>"},
      {"5-Tone Decode: LED Display", "<p>The LED on a decoded call: -----, Off, On or Blink.</p>"},
      {"5-Tone Decode: Mode", "<p>What the call does to the squelch: -----, Open or Close.</p>"},
      {"5-Tone Decode: Scan", "<p>What the call does to scanning: ------, Cancel or Start.</p>"},
      {"5-Tone Decode: Emergency", "<p>Whether the code is an emergency call.</p>"},
      {"5-Tone Decode: Beep Tone", "<p>The alert on a decoded call: - (none) or A to G.</p>"},
      {"5-Tone Decode: Beep Mode", "<p>S sounds the alert once, R repeats it.</p>"},
      {"5-Tone Decode: Stun", "<p>What the code does to the radio: ------, Kill, Stun or Revive.</p>"},
      {"5-Tone Decode: Auto TX", "<p>Whether the radio answers the code by transmitting.</p>"},
  });
  return topics.Span();
}

CFiveToneDecodeDlg::CFiveToneDecodeDlg(const ParamEnv& env, QWidget* parent)
    : CTableDialog(env, QStringLiteral("5-Tone Decode"), kGridId, 4341, parent) {
  table_.LoadFromImage(Data().image);
  const bool ht620 = !IsHt610(Data());
  SetModel(std::make_unique<FiveToneDecodeGrid>(table_, ht620), FiveToneDecodeTable::kEntryCount + 1, !ht620);
}

}  // namespace kp53::gui

#include "signalling/five_tone_encode_dialog.h"

#include "signalling/table_topics.h"
#include "text/grid_texts.h"

namespace kp53::gui {

std::span<const HelpTopic> CFiveToneEncodeDlg::HelpTopics() {
  static const TableTopics topics(kGridId, {
      {"5-Tone Encode",
       "<p>The 32 codes the radio can send. Space or a double-click changes a flag; Enter, a "
       "double-click or typing edits a code or a tag.</p>"},
      {"5-Tone Encode: Code",
       "<p>The code to send, up to 8 digits 0 to 9 and A to E. Enter or leaving the cell stores it, "
       "Escape drops it.</p>"},
      {"5-Tone Encode: TAG",
       "<p>The name the radio shows for the code (HT-620 only), 8 characters of the radio's set, "
       "letters in upper case.</p>"},
      {"5-Tone Encode: 1st Extension", "<p>Whether the first digit is sent as an extension.</p>"},
      {"5-Tone Encode: Sel", "<p>Whether the entry can be selected on the radio.</p>"},
      {"5-Tone Encode: Overwrite", "<p>Whether digits entered on the radio overwrite the code.</p>"},
      {"5-Tone Encode: Transpond Decode", "<p>Whether the radio waits for a transpond after sending.</p>"},
      {"5-Tone Encode: Beep", "<p>Whether the radio beeps when it sends the code.</p>"},
      {"5-Tone Encode: Group Digit", "<p>Whether the group tone may replace digits of the code.</p>"},
  }, "5-Tone Encode: Input Digit %1", "<p>Whether digit %1 of the code may be entered on the radio.</p>", 8);
  return topics.Span();
}

CFiveToneEncodeDlg::CFiveToneEncodeDlg(const ParamEnv& env, QWidget* parent)
    : CTableDialog(env, QStringLiteral("5-Tone Encode"), kGridId, 4422, parent) {
  table_.LoadFromImage(Data().image);
  const bool ht620 = !IsHt610(Data());
  SetModel(std::make_unique<FiveToneEncodeGrid>(table_, ht620), 16, !ht620);
}

}  // namespace kp53::gui

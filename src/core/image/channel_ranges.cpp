#include "image/channel_ranges.h"

#include <algorithm>

#include "image/emergency_area.h"
#include "text/grid_texts.h"

namespace kp53 {

namespace {

// The columns a fill leaves alone: Chn (a pasted number copies a whole channel, after a question)
// and Pri (one channel holds the priority).
bool TakesNoFill(int column) { return column <= 1; }

CellResult PasteCell(ChannelTable& t, const EditEnv& env, int channel, int column, std::string_view text,
                     const VisibleItems& visible, UserPrompt& prompt) {
  t.currentChannel = channel;
  return ChannelEditor(t, env).Paste(column, text, visible, prompt);
}

void Count(FillResult& r, CellResult result, int channel, int column) {
  if (result == CellResult::Changed) ++r.filled;
  else if (result == CellResult::Beep) r.skipped.push_back({channel, column});
}

ChannelEntry DefaultEntry(int index, const HardwareArea& hw) {
  ChannelEntry e;
  e.index = index;
  e.tag = DefaultChannelTag(index + 1);
  const SnappedFrequency f = SnapFrequency(BandDefaultFrequency(hw.IsUhf()), hw);
  e.rxFreq = e.txFreq = f.mhz;
  e.rxStep = e.txStep = f.selector;
  return e;
}

// The first and last index of the group holding `index`; nullopt when no group holds it.
std::optional<std::pair<int, int>> GroupSpan(const ChannelTable& t, int index) {
  const int g = t.GroupOf(index);
  if (g >= kGroupCount) return std::nullopt;
  const int start = t.GroupStart(g);
  return std::pair{start, start + t.groupSize[static_cast<std::size_t>(g)] - 1};
}

// Puts into positions start..end the channels `from` names (old indexes, -1 for a default
// channel); the priority and emergency channels follow their channel or, when it went, are none.
void Relocate(RadioData& d, int start, int end, const std::vector<int>& from) {
  auto& t = d.channels;
  const std::vector<ChannelEntry> old(t.entries.begin() + start, t.entries.begin() + end + 1);
  for (int k = 0; k <= end - start; ++k) {
    const int dst = start + k;
    ChannelEntry e = from[static_cast<std::size_t>(k)] < 0 ? DefaultEntry(dst, d.hardware)
                                                           : old[static_cast<std::size_t>(from[static_cast<std::size_t>(k)] - start)];
    e.index = dst;
    t.Entry(dst) = e;
  }
  auto follow = [&](int oldIndex) {
    const auto it = std::find(from.begin(), from.end(), oldIndex);
    return it == from.end() ? -1 : start + static_cast<int>(it - from.begin());
  };
  const int priority = t.priorityChannel - 1;
  if (priority >= start && priority <= end) t.priorityChannel = follow(priority) + 1;
  EmergencyArea em;
  em.LoadFromImage(d.image);
  if (em.channelKind == 2 && em.channelIndex >= start && em.channelIndex <= end) {
    const int n = follow(em.channelIndex);
    if (n < 0) em.channelKind = 0;
    else em.channelIndex = n;
    em.StoreToImage(d.image);
  }
}

}  // namespace

std::vector<std::vector<std::string>> SplitClipText(std::string_view text) {
  std::vector<std::vector<std::string>> rows;
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t end = text.find_first_of("\r\n", i);
    const std::string_view line = text.substr(i, end == std::string_view::npos ? std::string_view::npos : end - i);
    std::vector<std::string> cells;
    std::size_t c = 0;
    for (;;) {
      const std::size_t tab = line.find('\t', c);
      cells.emplace_back(line.substr(c, tab == std::string_view::npos ? std::string_view::npos : tab - c));
      if (tab == std::string_view::npos) break;
      c = tab + 1;
    }
    rows.push_back(std::move(cells));
    if (end == std::string_view::npos) break;
    i = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
  }
  if (rows.empty()) rows.push_back({std::string()});
  return rows;
}

FillResult PasteIntoSelection(ChannelTable& t, const EditEnv& env, std::span<const int> channels, int first,
                              int last, const std::vector<std::vector<std::string>>& clip,
                              const VisibleItems& visible, UserPrompt& prompt) {
  FillResult r;
  if (clip.empty() || channels.empty()) return r;
  const bool single = clip.size() == 1 && clip[0].size() == 1;
  for (std::size_t k = 0; k < channels.size(); ++k) {
    const std::vector<std::string>& row = clip[k % clip.size()];
    const int width = single ? last - first + 1 : first == last ? static_cast<int>(row.size())
                                                                  : std::min<int>(last - first + 1, static_cast<int>(row.size()));
    for (int j = 0; j < width && first + j < kGridColumns; ++j) {
      const int column = first + j;
      if (TakesNoFill(column)) {
        r.skipped.push_back({channels[k], column});
        continue;
      }
      const std::string& text = single ? row[0] : row[static_cast<std::size_t>(j)];
      Count(r, PasteCell(t, env, channels[k], column, text, visible, prompt), channels[k], column);
    }
  }
  return r;
}

FillResult FillDown(ChannelTable& t, const EditEnv& env, std::span<const int> channels, int first, int last,
                    const VisibleItems& visible, UserPrompt& prompt) {
  FillResult r;
  if (channels.size() < 2) return r;
  const int top = channels[0];
  std::vector<std::string> row;
  t.currentChannel = top;
  const ChannelEditor topEditor(t, env);
  for (int c = first; c <= last; ++c)
    row.push_back(topEditor.CopyText(c).value_or(ChannelCellText(t, top, c, !env.ht620)));
  for (std::size_t k = 1; k < channels.size(); ++k)
    for (int c = first; c <= last; ++c) {
      if (TakesNoFill(c)) {
        r.skipped.push_back({channels[k], c});
        continue;
      }
      Count(r, PasteCell(t, env, channels[k], c, row[static_cast<std::size_t>(c - first)], visible, prompt),
            channels[k], c);
    }
  return r;
}

void ClearFrequenciesAndTones(ChannelTable& t, const EditEnv& env, std::span<const int> channels) {
  const SnappedFrequency f = SnapFrequency(BandDefaultFrequency(env.hardware.IsUhf()), env.hardware);
  for (const int i : channels) {
    ChannelEntry& e = t.Entry(i);
    e.rxFreq = e.txFreq = f.mhz;
    e.rxStep = e.txStep = f.selector;
    e.txOff = false;
    e.rxToneType = e.txToneType = kToneNone;
    e.rxCtcss = e.txCtcss = e.rxDcs = e.txDcs = 0;
    e.rxDcsInverted = e.rxDcsBoth = e.txDcsInverted = false;
    e.arts = false;
    e.xtal = CrystalRule(e.rxFreq);
    t.currentChannel = i;
    const ChannelEditor ed(t, env);
    ed.RecomputeRxTuning(e);
    ed.RecomputeTxTuning(e);
  }
}

bool InsertChannel(RadioData& data, int index) {
  const auto span = GroupSpan(data.channels, index);
  if (!span) return false;
  std::vector<int> from;
  for (int i = span->first; i <= span->second; ++i) from.push_back(i < index ? i : i == index ? -1 : i - 1);
  Relocate(data, span->first, span->second, from);
  return true;
}

bool DeleteChannel(RadioData& data, int index) {
  const auto span = GroupSpan(data.channels, index);
  if (!span) return false;
  std::vector<int> from;
  for (int i = span->first; i <= span->second; ++i) from.push_back(i < index ? i : i == span->second ? -1 : i + 1);
  Relocate(data, span->first, span->second, from);
  return true;
}

bool MoveChannel(RadioData& data, int index, int delta) {
  const auto span = GroupSpan(data.channels, index);
  const int other = index + delta;
  if (!span || (delta != -1 && delta != 1) || other < span->first || other > span->second) return false;
  std::vector<int> from;
  for (int i = span->first; i <= span->second; ++i) from.push_back(i == index ? other : i == other ? index : i);
  Relocate(data, span->first, span->second, from);
  return true;
}

bool GroupEndInUse(const RadioData& data, int index) {
  const auto span = GroupSpan(data.channels, index);
  if (!span) return false;
  const ChannelEntry& e = data.channels.Entry(span->second);
  const ChannelEntry d = DefaultEntry(span->second, data.hardware);
  return (e.enabled & 1) != 0 &&
         (e.rxFreq != d.rxFreq || e.txFreq != d.txFreq || e.txOff || e.tag != d.tag || e.rxToneType != kToneNone ||
          e.txToneType != kToneNone || e.signalType != 0);
}

}  // namespace kp53

#include "report/report.h"

#include <algorithm>
#include <cstring>

#include "image/codecs.h"
#include "io/atomic_file.h"
#include "report/report_records.h"
#include "report/report_text.h"

namespace kp53 {

namespace {

using report::Choice;
using report::Mark;

// Channels that a page whose heading starts on line 2 holds: 63 - 2 - 9.
constexpr int kChannelsPerFullPage = kReportLineLimit - kReportFirstLine - kReportGroupHeadingLines;

constexpr const char* kChannelDataLine =
    "        ************************************   CHANNEL DATA   **************************************";
constexpr const char* kChannelHeadings[4] = {
    "                                                                         S                  E      A C X ",
    "              P W                                                Power P c T              A N      R M t ",
    "              r /               FREQUENCY          SUB AUDIO     Save  w a O  S Signaling N C Lock T P a ",
    "          CH  i N    TAG     Receive   Transmit   Dec     Enc    RX TX r n T  Q Type   No I R Out  S D l ",
};
constexpr const char* kChannelRule =
    "         ------------------------------------------------------------------------------------------------------";

std::string& LineAt(ReportPage& page, int line) {
  if (page.size() <= static_cast<std::size_t>(line)) page.resize(static_cast<std::size_t>(line) + 1);
  return page[static_cast<std::size_t>(line)];
}

// A sub-audio column: "------- ", "C-%5.1f " or "D-%.3d   ", eight characters each.
std::string SubAudioColumn(const SubAudio& tone) {
  if (tone.kind == kToneDcs) return FormatSubAudio(tone, true);
  return FormatSubAudio(tone, true) + " ";
}

}  // namespace

std::vector<ChannelPage> LayoutChannelPages(const std::array<std::uint8_t, kGroupCount>& groupSizes) {
  std::vector<ChannelPage> pages;
  ChannelPage page;
  int line = kReportFirstLine;
  int next = 0;  // absolute index of the group's first channel
  for (int g = 0; g < kGroupCount; ++g) {
    // Sizes that add up to more than 256 (only a damaged file holds them) are cut, as the channel
    // model cuts them, so that every channel the pages name exists.
    const int size = std::min<int>(groupSizes[static_cast<std::size_t>(g)], kChannelCount - next);
    const int start = next;
    next += size;
    if (line + kReportGroupHeadingLines >= kReportLineLimit) {
      page.lastGroup = g - 1;
      page.lastChannel = start - 1;
      pages.push_back(page);
      page = ChannelPage{g, g, start, start - 1};
      line = kReportFirstLine;
    }
    int channelLine = line + kReportGroupHeadingLines;  // line of the group's next channel
    int first = start;                                  // the group's next channel
    line += kReportGroupHeadingLines + size;
    while (line > kReportLineLimit) {
      const int fit = kReportLineLimit - channelLine;
      page.lastGroup = g;
      page.lastChannel = first + fit - 1;
      pages.push_back(page);
      first += fit;
      page = ChannelPage{g, g, first, first - 1};
      channelLine = kReportFirstLine + kReportGroupHeadingLines;
      line -= kChannelsPerFullPage;
    }
  }
  page.lastGroup = kGroupCount - 1;
  page.lastChannel = next - 1;
  pages.push_back(page);
  return pages;
}

int ReportPageCount(const RadioData& data) {
  return (data.signaling.IsFiveTone() ? 4 : 2) + static_cast<int>(LayoutChannelPages(data.channels.groupSize).size());
}

std::string ReportDate(const std::tm& date) {
  return Format("%d/%d/%04d", date.tm_mon + 1, date.tm_mday, date.tm_year + 1900);
}

std::string ReportDateToday() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return ReportDate(local);
}

std::string ReportFileName(const std::string& path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

ReportContext::ReportContext(const RadioData& data, const std::string& path, std::string date)
    : data_(data), fileName_(ReportFileName(path)), date_(std::move(date)) {
  auto records = std::make_shared<ReportRecords>();
  records->LoadFromImage(data_.image);
  records_ = std::move(records);
  signallingPages_ = data_.signaling.IsFiveTone() ? 4 : 2;
  channelPages_ = LayoutChannelPages(data_.channels.groupSize);
}

ReportPage ReportContext::Page(int page) const {
  if (page < 1 || page > PageCount()) return {};
  if (page <= signallingPages_) return SignallingPage(page);
  return ChannelPageLines(page);
}

std::vector<ReportPage> ReportContext::AllPages() const {
  std::vector<ReportPage> pages;
  for (int p = 1; p <= PageCount(); ++p) pages.push_back(Page(p));
  return pages;
}

std::string ReportContext::ChannelLine(int index) const {
  const ChannelTable& table = data_.channels;
  const ChannelEntry& e = table.Entry(std::clamp(index, 0, kChannelCount - 1));
  const bool ht620 = data_.hardware.model == 1;
  // "%3d" after nine blanks prints channels 1 to 99 exactly as "%2d" after ten blanks does, and
  // keeps the columns of channels 100 to 256 in line with the headings.
  std::string s = Format("         %3d  ", index + 1);
  s += table.priorityChannel == index + 1 ? "P " : "- ";
  s += Choice({"W5 ", "W4 ", "N  "}, e.bandwidth);
  s += ht620 ? Format("%8s ", e.tag.c_str()) : "-------- ";
  s += Format("%9.5f ", e.rxFreq);
  s += e.txOff ? "---.-----  " : Format("%9.5f  ", e.txFreq);
  s += SubAudioColumn(e.RxTone());
  s += SubAudioColumn(e.TxTone());
  s += Format("%s  %s  ", Mark(e.rxPowerSave), Mark(e.txPowerSave));
  s += Choice({"H ", "L "}, e.power);
  s += Format("%s ", Mark((e.scan & 1) != 0));
  s += Format("%s %2d ", Mark(e.tot), e.squelch);
  s += Choice({"------ ", "Signal ", "Page   ", "Option "}, e.signalType);
  s += e.signalNo < 1 ? "-- " : Format("%2d ", e.signalNo);
  s += Format("%s ", Mark(e.dtmfAni != 0));
  s += Choice({"- ", "1 ", "2 ", "3 "}, e.Encryption());
  s += Choice({"---- ", "BCLO ", "BTLO "}, e.lockout);
  s += Format("%s ", Mark(e.arts));
  s += Format("%s ", Mark(e.compander != 0));
  s += Format("%s ", Mark(e.xtal));
  return s;
}

ReportPage ReportContext::ChannelPageLines(int page) const {
  ReportPage lines;
  const int n = page - FirstChannelPage();
  if (n < 0 || n >= static_cast<int>(channelPages_.size())) return lines;
  const ChannelPage& cp = channelPages_[static_cast<std::size_t>(n)];
  const ChannelTable& table = data_.channels;

  LineAt(lines, 1) = Format("%81s%s   Page %d", "", date_.c_str(), page);
  LineAt(lines, 2) = kChannelDataLine;
  int line = kReportFirstLine;
  for (int g = cp.firstGroup; g <= cp.lastGroup && g < kGroupCount; ++g) {
    const auto gi = static_cast<std::size_t>(g);
    // The heading's nine lines: the first is left as it is (on the page's first group it holds
    // the CHANNEL DATA line), then an empty line, the group line, an empty line, the four column
    // headings and the rule.
    LineAt(lines, line + 2) = Format("        Group No. : %d    System Type : %-20s    Tag : %s", g + 1,
                                     Choice({"Conventional", "Omnitrunk"}, table.groupSystemType[gi]).c_str(),
                                     table.groupTag[gi].c_str());
    for (int h = 0; h < 4; ++h) LineAt(lines, line + 4 + h) = kChannelHeadings[h];
    LineAt(lines, line + 8) = kChannelRule;
    line += kReportGroupHeadingLines;
    const int start = table.GroupStart(g);
    const int end = std::min(start + table.groupSize[gi], kChannelCount);  // one past the last
    const int from = std::max(start, cp.firstChannel);
    const int to = std::min(end - 1, cp.lastChannel);
    for (int i = from; i <= to; ++i) LineAt(lines, line++) = ChannelLine(i);
  }
  return lines;
}

std::string ReportText(const ReportContext& report) {
  std::string out;
  for (int p = 1; p <= report.PageCount(); ++p) {
    if (p > 1) out += '\f';
    for (const auto& line : report.Page(p)) {
      out += line;
      out += '\n';
    }
  }
  return out;
}

bool WriteReportText(const ReportContext& report, const std::string& path, Replace replace, std::string& error) {
  const auto result = WriteFileAtomically(path, {ReportText(report)}, replace);
  if (result.ok()) return true;
  error = DescribeWriteFailure(path, result);
  return false;
}

}  // namespace kp53

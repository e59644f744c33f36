// The printed report: the whole radio image as pages of fixed-width text lines. The pages are
// built here as plain strings; the window draws them on a printer and the command-line tool writes
// them to a text file or draws them into a PDF.
//
// Page layout: line n of a page is drawn at y = n x line pitch, x = 5 character widths. A page
// holds the lines 0 to 62 (page 1 runs to line 63). The signalling pages come first (pages 1 and 2
// for 2-tone, 1 to 4 for 5-tone); the channel pages follow, group by group.
#pragma once

#include <ctime>
#include <string>
#include <vector>

#include <memory>

#include "image/radio_data.h"
#include "io/atomic_file.h"

namespace kp53 {

// The channels of one channel page: its first and last group (0-based) and its first and last
// channel (absolute 0-based indices). A page that holds only empty groups has
// lastChannel = firstChannel - 1.
struct ChannelPage {
  int firstGroup = 0;
  int lastGroup = 0;
  int firstChannel = 0;
  int lastChannel = -1;
  bool operator==(const ChannelPage&) const = default;
};

// Lines of a channel page: the page header takes lines 1 and 2, a group heading 9 lines, a
// channel one line; line 63 is the first line that no longer fits.
inline constexpr int kReportFirstLine = 2;
inline constexpr int kReportLineLimit = 63;
inline constexpr int kReportGroupHeadingLines = 9;
// The left margin in character widths.
inline constexpr int kReportLeftMargin = 5;

// Lays the 16 groups out on channel pages. `groupSizes` holds the channels per group; groups
// hold consecutive channels in group order.
std::vector<ChannelPage> LayoutChannelPages(const std::array<std::uint8_t, kGroupCount>& groupSizes);

// The number of pages the report of `data` has, without making the report.
int ReportPageCount(const RadioData& data);

// "%#m/%#d/%Y": month and day without leading zeros, four-digit year ("1/5/2026").
std::string ReportDate(const std::tm& date);
// Today's date in the local time zone, in the form above.
std::string ReportDateToday();
// The file's name and extension without its folder ("/data/site.k53" gives "site.k53").
std::string ReportFileName(const std::string& path);

// Copies of every parameter record the pages print (report_records.h). Kept out of this header so
// that the window's code, which includes it, does not see the area headers' field names.
struct ReportRecords;

// One page: its lines by line number (an empty string is an empty line).
using ReportPage = std::vector<std::string>;

class ReportContext {
 public:
  // Takes a copy of the image and its areas. `data` must have its channel model stored into the
  // image and its long-lived areas loaded, as before a save. `path` is the current data file
  // (only its name is printed); `date` is the printing date in its report form.
  ReportContext(const RadioData& data, const std::string& path, std::string date);

  int PageCount() const { return signallingPages_ + static_cast<int>(channelPages_.size()); }
  // Pages 1 and 2 for 2-tone, 1 to 4 for 5-tone.
  int SignallingPageCount() const { return signallingPages_; }
  int FirstChannelPage() const { return signallingPages_ + 1; }
  const std::vector<ChannelPage>& ChannelPages() const { return channelPages_; }
  const std::string& Date() const { return date_; }
  const std::string& FileName() const { return fileName_; }

  // The lines of page `page` (1-based); an empty page for numbers outside 1..PageCount().
  ReportPage Page(int page) const;
  std::vector<ReportPage> AllPages() const;

  const ReportRecords& Records() const { return *records_; }

  // The page parts, public so that each can be checked on its own.
  ReportPage SignallingPage(int page) const;
  ReportPage PageOne() const;
  ReportPage PageTwo() const;
  ReportPage PageThree() const;
  ReportPage PageFour() const;
  ReportPage ChannelPageLines(int page) const;
  std::string ChannelLine(int index) const;

 private:
  RadioData data_;
  std::shared_ptr<const ReportRecords> records_;
  std::string fileName_;
  std::string date_;
  int signallingPages_ = 2;
  std::vector<ChannelPage> channelPages_;
};

// The pages as plain text: lines ended by "\n", pages separated by a form feed.
std::string ReportText(const ReportContext& report);
// Writes that text into a file atomically (WriteFileAtomically), so that a failed write leaves
// nothing half-written; with Replace::Never an existing file is left alone. Answers false with
// the file's name and the reason in `error`.
bool WriteReportText(const ReportContext& report, const std::string& path, Replace replace, std::string& error);

}  // namespace kp53

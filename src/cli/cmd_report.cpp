// kp53 report: the printed report of a data file as plain text or as a PDF file.
#include <cstdio>
#include <iostream>

#include "cli_common.h"
#include "report/report.h"
#ifdef KP53_HAVE_PDF
#include "report_pdf.h"
#endif

namespace kp53::cli {

namespace {

bool EndsWithPdf(const std::string& path) {
  if (path.size() < 4) return false;
  std::string ext = path.substr(path.size() - 4);
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext == ".pdf";
}

int WriteReport(const std::string& file, const std::string& out, const std::string& date, bool force) {
  const bool toStdout = out.empty() || out == "-";
  // Never over the data file itself, whatever the spelling of the name; never over another file
  // unasked.
  if (!OutputAllowed(out, force, {file})) return kExitFailure;
  TerminalPrompt prompt;
  RadioData data;
  if (!LoadDataFile(file, data, prompt)) return kExitFailure;
  const ReportContext report(data, file, date.empty() ? ReportDateToday() : date);

  if (toStdout) {
    // A failed write shows in the flush of standard output at the end of the command.
    WriteStandardOutput(ReportText(report));
    return kExitOk;
  }
  // A file that appears while the report is made is not replaced either.
  const Replace replace = force ? Replace::Allowed : Replace::Never;
  std::string error;
  int pages = report.PageCount();
  if (EndsWithPdf(out)) {
#ifdef KP53_HAVE_PDF
    if (!print::WriteReportPdf(report, out, replace, error, &pages)) {
      std::cerr << "kp53: " << error << "\n";
      return kExitFailure;
    }
#else
    std::cerr << "kp53: this build writes reports as text only (built without Qt)\n";
    return kExitFailure;
#endif
  } else if (!WriteReportText(report, out, replace, error)) {
    std::cerr << "kp53: " << error << "\n";
    return kExitFailure;
  }
  std::cerr << out << ": " << pages << (pages == 1 ? " page\n" : " pages\n");
  return kExitOk;
}

}  // namespace

void AddReportCommand(CLI::App& app, CommandList& commands) {
  auto* sub = app.add_subcommand(
      "report", "Write the printed report of a data file: text (pages separated by form feeds) or PDF");
  auto file = std::make_shared<std::string>();
  auto out = std::make_shared<std::string>();
  auto date = std::make_shared<std::string>();
  auto force = std::make_shared<bool>(false);
  sub->add_option("FILE", *file, "Data file (.k53)")->required();
  sub->add_option("-o,--output", *out,
                  "Output file; a name ending in .pdf gives a PDF drawn as the window prints it, any other "
                  "name plain text; standard output when not given");
  sub->add_option("--date", *date, "Date printed in the page headers (default: today, as 12/6/2026)");
  sub->add_flag("-f,--force", *force, "Overwrite the output file when it exists (never the data file)");
  commands.push_back({sub, [file, out, date, force]() { return WriteReport(*file, *out, *date, *force); }});
}

}  // namespace kp53::cli

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

int WriteReport(const std::string& file, const std::string& out, const std::string& date) {
  TerminalPrompt prompt;
  RadioData data;
  if (!LoadDataFile(file, data, prompt)) return kExitFailure;
  const ReportContext report(data, file, date.empty() ? ReportDateToday() : date);

  std::string error;
  if (out.empty() || out == "-") {
    const std::string text = ReportText(report);
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0) {
      std::cerr << "kp53: cannot write the report to standard output\n";
      return kExitFailure;
    }
    return kExitOk;
  }
  if (EndsWithPdf(out)) {
#ifdef KP53_HAVE_PDF
    int pages = 0;
    if (!print::WriteReportPdf(report, out, error, &pages)) {
      std::cerr << "kp53: " << error << "\n";
      return kExitFailure;
    }
    std::cerr << out << ": " << pages << (pages == 1 ? " page\n" : " pages\n");
    return kExitOk;
#else
    std::cerr << "kp53: this build writes reports as text only (built without the desktop part)\n";
    return kExitFailure;
#endif
  }
  if (!WriteReportText(report, out, error)) {
    std::cerr << "kp53: " << error << "\n";
    return kExitFailure;
  }
  std::cerr << out << ": " << report.PageCount() << " pages\n";
  return kExitOk;
}

}  // namespace

void AddReportCommand(CLI::App& app, CommandList& commands) {
  auto* sub = app.add_subcommand(
      "report", "Write the printed report of a data file: text (pages separated by form feeds) or PDF");
  auto file = std::make_shared<std::string>();
  auto out = std::make_shared<std::string>();
  auto date = std::make_shared<std::string>();
  sub->add_option("FILE", *file, "Data file (.k53)")->required();
  sub->add_option("-o,--output", *out,
                  "Output file; a name ending in .pdf gives a PDF drawn as the window prints it, any other "
                  "name plain text; standard output when not given");
  sub->add_option("--date", *date, "Date printed in the page headers (default: today, as 12/6/2026)");
  commands.push_back({sub, [file, out, date]() { return WriteReport(*file, *out, *date); }});
}

}  // namespace kp53::cli

// export-csv and import-csv: channel lists as comma-separated values.
#include <iostream>

#include "cli_common.h"
#include "csv/channel_csv.h"
#include "image/data_file.h"
#include "io/input_file.h"

namespace kp53::cli {

namespace {

// Group numbers on the command line count from 1; 0 means every allocated channel.
CLI::Validator GroupNumber() { return CLI::Range(0, kGroupCount); }

int GroupIndex(int number) { return number == 0 ? kAllGroups : number - 1; }

bool GroupIsEmpty(const RadioData& data, int group) {
  return group != kAllGroups && data.channels.groupSize[static_cast<std::size_t>(group)] == 0;
}

}  // namespace

void AddCsvCommands(CLI::App& app, CommandList& commands) {
  {
    auto* sub = app.add_subcommand("export-csv", "Write the channels in use as a comma-separated channel list");
    auto file = std::make_shared<std::string>();
    auto out = std::make_shared<std::string>();
    auto group = std::make_shared<int>(0);
    auto force = std::make_shared<bool>(false);
    sub->add_option("FILE", *file, "Data file (.k53)")->required();
    sub->add_option("-o,--output", *out, "CSV file to write (standard output when not given, or -)");
    sub->add_option("-g,--group", *group, "Only this group (1-16); Location counts from its first channel")
        ->check(GroupNumber());
    sub->add_flag("-f,--force", *force, "Overwrite the output file when it exists");
    commands.push_back({sub, [=]() {
                          if (!OutputAllowed(*out, *force, {*file})) return kExitFailure;
                          TerminalPrompt prompt;
                          RadioData data;
                          if (!LoadDataFile(*file, data, prompt)) return kExitFailure;
                          const int g = GroupIndex(*group);
                          if (GroupIsEmpty(data, g)) {
                            std::cerr << "kp53: group " << *group << " holds no channels\n";
                            return kExitFailure;
                          }
                          return WriteOutput(*out, ExportChannelsCsv(data, g), *force, {*file}) ? kExitOk
                                                                                                 : kExitFailure;
                        }});
  }
  {
    auto* sub = app.add_subcommand(
        "import-csv",
        "Program channels from a comma-separated channel list and report every row that was skipped or changed");
    auto csv = std::make_shared<std::string>();
    auto file = std::make_shared<std::string>();
    auto out = std::make_shared<std::string>();
    auto group = std::make_shared<int>(0);
    auto force = std::make_shared<bool>(false);
    sub->add_option("CSV", *csv, "Channel list to read, - for standard input")->required();
    sub->add_option("FILE", *file, "Data file (.k53) to program; written in place unless -o is given")->required();
    sub->add_option("-o,--output", *out, "Data file to write instead of FILE");
    sub->add_option("-g,--group", *group, "Into this group (1-16); Location counts from its first channel")
        ->check(GroupNumber());
    auto renumber = std::make_shared<bool>(false);
    sub->add_flag("--renumber", *renumber,
                  "Place the rows one after another from the first channel, whatever their Location "
                  "(lists made for other radios)");
    sub->add_flag("-f,--force", *force, "Overwrite the output file when it exists");
    commands.push_back({sub, [=]() {
                          TerminalPrompt prompt;
                          const std::string target = out->empty() ? *file : *out;
                          // FILE is written in place unless -o names another file.
                          if (!out->empty() && !OutputAllowed(target, *force, {*csv})) return kExitFailure;
                          if (SameFile(*csv, target)) {
                            std::cerr << "kp53: " << target << " is the channel list itself; give another data file\n";
                            return kExitFailure;
                          }
                          const InputFile text = ReadInputFile(*csv, kTextFileLimit);
                          if (!text.ok()) {
                            std::cerr << "kp53: " << DescribeInputFailure(*csv, text, kTextFileLimit, "a channel list")
                                      << "\n";
                            return kExitFailure;
                          }
                          RadioData data;
                          if (!LoadDataFile(*file, data, prompt)) return kExitFailure;
                          const int g = GroupIndex(*group);
                          if (GroupIsEmpty(data, g)) {
                            std::cerr << "kp53: group " << *group << " holds no channels\n";
                            return kExitFailure;
                          }
                          if (!IsWritable(target, prompt, target)) return kExitFailure;
                          const CsvImportReport report = ImportChannelsCsv(data, text.bytes, g, *renumber);
                          if (!report.readable) {
                            std::cerr << "kp53: " << report.Text(*csv);
                            return kExitFailure;
                          }
                          std::cout << report.Text(*csv) << std::flush;
                          if (report.programmed == 0) {
                            std::cerr << "kp53: no channel was programmed; nothing written\n";
                            return kExitFailure;
                          }
                          NormalizeImage(data);
                          AtomicWriteResult result;
                          const Replace replace = out->empty() || *force ? Replace::Allowed : Replace::Never;
                          if (WriteDataFile(target, data.image, data.defaultSplit, prompt, replace, &result, {*csv}))
                            return kExitOk;
                          ReportWriteFailure(target, result);
                          return kExitFailure;
                        }});
  }
}

}  // namespace kp53::cli

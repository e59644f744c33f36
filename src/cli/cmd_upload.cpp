#include <iostream>

#include "cli_link.h"
#include "image/data_file.h"

namespace kp53::cli {

namespace {

// Saves the image read from the radio. Without --force nothing that exists at the moment of
// saving is replaced (a file made during the transfer, another upload's result). When the name is
// taken, read-only or no regular file, the image goes beside it under a free name, so that the
// radio need not be read again, and the command fails saying where.
int SaveUpload(const std::string& path, const RadioData& data, bool force) {
  TerminalPrompt prompt;
  AtomicWriteResult result;
  if (WriteDataFile(path, data.image, data.defaultSplit, prompt, force ? Replace::Allowed : Replace::Never, &result))
    return kExitOk;
  if (result.status == AtomicWrite::Exists) {
    std::cerr << "kp53: " << path << " appeared while the radio was read; it is left as it is\n";
  } else {
    ReportReason(path, WriteFailureReason(result));
    if (result.status != AtomicWrite::ReadOnly && result.status != AtomicWrite::NotAFile) return kExitFailure;
  }
  std::string beside;
  result = WriteFileBeside(path, {DataFileBytes(data.image, data.defaultSplit)}, beside);
  if (result.ok())
    std::cerr << "kp53: the radio's memory is saved in " << beside << "\n";
  else
    std::cerr << "kp53: the radio's memory could not be saved beside it: " << WriteFailureReason(result) << "\n";
  return kExitFailure;
}

}  // namespace

void AddUploadCommand(CLI::App& app, CommandList& commands) {
  auto* sub = app.add_subcommand("upload", "Read the radio's memory into a new data file (the window's Upload)");
  sub->alias("read");
  auto options = std::make_shared<LinkOptions>();
  auto file = std::make_shared<std::string>();
  auto force = std::make_shared<bool>(false);
  AddLinkOptions(*sub, *options);
  sub->add_option("-o,--output", *file, "Data file to write (.k53)")->required();
  sub->add_flag("-f,--force", *force, "Overwrite the data file when it exists");
  commands.push_back({sub, [options, file, force]() {
                        if (RefuseExisting(*file, *force)) return kExitFailure;
                        LinkContext context;
                        std::string device;
                        if (!PrepareLink(*options, context, device)) return kExitUsage;

                        RadioData data;
                        InitImage(data);
                        NormalizeImage(data);
                        if (RunTransfer(RunUploadWorker, data, context, device) != TransferResult::Completed)
                          return kExitFailure;
                        ReloadAreas(data);
                        return SaveUpload(*file, data, *force);
                      }});
}

}  // namespace kp53::cli

#include <sys/stat.h>

#include <iostream>

#include "cli_link.h"
#include "image/data_file.h"

namespace kp53::cli {

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
                        struct stat st{};
                        if (!*force && ::stat(file->c_str(), &st) == 0) {
                          std::cerr << "kp53: " << *file << " exists; use --force to overwrite it\n";
                          return kExitFailure;
                        }
                        LinkContext context;
                        std::string device;
                        if (!PrepareLink(*options, context, device)) return kExitUsage;

                        RadioData data;
                        InitImage(data);
                        NormalizeImage(data);
                        LinkSlot slot = SerialSlot(device);
                        CancelToken cancel;
                        CliProgress progress;
                        TransferPrompt prompt(progress);
                        TransferResult result;
                        {
                          InterruptGuard guard(cancel);
                          result = RunUploadWorker({data, slot, context, progress, prompt, cancel});
                        }
                        slot.Destroy();
                        if (result == TransferResult::Cancelled) std::cerr << "kp53: cancelled\n";
                        if (result != TransferResult::Completed) return kExitFailure;
                        ReloadAreas(data);
                        return WriteDataFile(*file, data.image, data.defaultSplit, prompt) ? kExitOk : kExitFailure;
                      }});
}

}  // namespace kp53::cli

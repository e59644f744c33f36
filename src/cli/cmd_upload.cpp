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
                        TerminalPrompt prompt;
                        return WriteDataFile(*file, data.image, data.defaultSplit, prompt) ? kExitOk : kExitFailure;
                      }});
}

}  // namespace kp53::cli

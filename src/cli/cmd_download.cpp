#include <iostream>

#include "cli_link.h"

namespace kp53::cli {

void AddDownloadCommand(CLI::App& app, CommandList& commands) {
  auto* sub = app.add_subcommand("download", "Write a data file's image to the radio (the window's Download)");
  sub->alias("write");
  auto options = std::make_shared<LinkOptions>();
  auto file = std::make_shared<std::string>();
  sub->add_option("FILE", *file, "Data file (.k53)")->required();
  AddLinkOptions(*sub, *options);
  commands.push_back({sub, [options, file]() {
                        LinkContext context;
                        std::string device;
                        if (!PrepareLink(*options, context, device)) return kExitUsage;
                        RadioData data;
                        {
                          TerminalPrompt loadPrompt;
                          if (!LoadDataFile(*file, data, loadPrompt)) return kExitFailure;
                        }
                        context.documentPath = *file;
                        NormalizeImage(data);
                        const TransferResult result = RunTransfer(RunDownloadWorker, data, context, device);
                        return result == TransferResult::Completed ? kExitOk : kExitFailure;
                      }});
}

}  // namespace kp53::cli

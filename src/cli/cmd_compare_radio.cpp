#include <iostream>

#include "cli_link.h"
#include "config/config_text.h"

namespace kp53::cli {

void AddCompareRadioCommand(CLI::App& app, CommandList& commands) {
  auto* sub = app.add_subcommand(
      "compare-radio", "Read the radio and show every field that differs from a data file (exit 0 equal, 1 different)");
  auto options = std::make_shared<LinkOptions>();
  auto file = std::make_shared<std::string>();
  sub->add_option("FILE", *file, "Data file (.k53)")->required();
  AddLinkOptions(*sub, *options);
  commands.push_back({sub, [options, file]() {
                        LinkContext context;
                        std::string device;
                        RadioData data;
                        if (const auto end = PrepareFileTransfer(*options, *file, context, device, data, kExitUsage))
                          return *end;
                        RadioImage radio{};
                        const auto read = [&radio](const CloneJob& job) { return RunScratchReadWorker(job, radio); };
                        if (RunTransfer(read, data, context, device) != TransferResult::Completed) return kExitUsage;
                        config::ConfigModel radioModel, fileModel;
                        radioModel.Load(radio, data.defaultSplit);
                        fileModel.Load(data.image, data.defaultSplit);
                        const auto diffs = config::Diff(radioModel, fileModel);
                        for (const auto& d : diffs) std::cout << config::DiffLine(d) << "\n";
                        return diffs.empty() ? kExitOk : kExitFailure;
                      }});
}

}  // namespace kp53::cli

#include <iostream>

#include "cli_link.h"
#include "config/config_verify.h"

namespace kp53::cli {

void AddDownloadCommand(CLI::App& app, CommandList& commands) {
  auto* sub = app.add_subcommand("download", "Write a data file's image to the radio (the window's Download)");
  sub->alias("write");
  auto options = std::make_shared<LinkOptions>();
  auto file = std::make_shared<std::string>();
  auto noCheck = std::make_shared<bool>(false);
  auto noVerify = std::make_shared<bool>(false);
  sub->add_option("FILE", *file, "Data file (.k53)")->required();
  AddLinkOptions(*sub, *options);
  sub->add_flag("--no-check", *noCheck, "Write even when the check of the image finds values the radio cannot use");
  sub->add_flag("--no-verify", *noVerify, "Do not read the radio back after writing");
  commands.push_back({sub, [options, file, noCheck, noVerify]() {
                        LinkContext context;
                        std::string device;
                        RadioData data;
                        if (const auto end = PrepareFileTransfer(*options, *file, context, device, data, kExitFailure))
                          return *end;
                        context.readBack = !*noVerify;
                        if (!*noCheck) {
                          const auto findings = config::Verify(data.image, data.defaultSplit);
                          for (const auto& f : findings) std::cerr << *file << ": " << config::FindingLine(f) << "\n";
                          if (!findings.empty()) {
                            std::cerr << "kp53: nothing written; give --no-check to write the radio anyway\n";
                            return kExitFailure;
                          }
                        }
                        const double split = data.defaultSplit;
                        const TransferResult result =
                            RunTransfer(RunDownloadWorker, data, context, device,
                                        [split](const RadioImage& written, const RadioImage& radio) {
                                          return config::DifferingFields(written, radio, split);
                                        });
                        return result == TransferResult::Completed ? kExitOk : kExitFailure;
                      }});
}

}  // namespace kp53::cli

#include "cli_common.h"
#include "image/data_file.h"

namespace kp53::cli {

void AddNormalizeCommand(CLI::App& app, CommandList& commands) {
  auto* sub = app.add_subcommand("normalize", "Load a data file, normalise its image and save it in place");
  auto file = std::make_shared<std::string>();
  sub->add_option("FILE", *file, "Data file (.k53)")->required();
  commands.push_back({sub, [file]() {
                        TerminalPrompt prompt;
                        RadioData data;
                        if (!LoadDataFile(*file, data, prompt)) return kExitFailure;
                        if (!IsWritable(*file, prompt, *file)) return kExitFailure;
                        NormalizeImage(data);
                        AtomicWriteResult result;
                        if (WriteDataFile(*file, data.image, data.defaultSplit, prompt, Replace::Allowed, &result))
                          return kExitOk;
                        ReportReason(*file, WriteFailureReason(result));
                        return kExitFailure;
                      }});
}

}  // namespace kp53::cli

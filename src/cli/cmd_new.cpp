#include "cli_common.h"
#include "image/data_file.h"

namespace kp53::cli {

void AddNewCommand(CLI::App& app, CommandList& commands) {
  auto* sub = app.add_subcommand("new", "Write the image a new document gets (built-in defaults) to FILE");
  auto file = std::make_shared<std::string>();
  auto force = std::make_shared<bool>(false);
  sub->add_option("FILE", *file, "Data file to write (.k53)")->required();
  sub->add_flag("-f,--force", *force, "Overwrite FILE when it exists");
  commands.push_back({sub, [file, force]() {
                        if (RefuseExisting(*file, *force)) return kExitFailure;
                        TerminalPrompt prompt;
                        RadioData data;
                        InitImage(data);
                        NormalizeImage(data);
                        AtomicWriteResult result;
                        if (WriteDataFile(*file, data.image, data.defaultSplit, prompt,
                                          *force ? Replace::Allowed : Replace::Never, &result))
                          return kExitOk;
                        if (result.status == AtomicWrite::Exists)
                          RefuseExisting(*file, false);  // made since the first look
                        else
                          ReportReason(*file, WriteFailureReason(result));
                        return kExitFailure;
                      }});
}

}  // namespace kp53::cli

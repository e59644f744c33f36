#include "cli_common.h"
#include "image/file_data.h"

namespace kp53::cli {

void AddHexdumpCommand(CLI::App& app, CommandList& commands) {
  auto* sub = app.add_subcommand("hexdump", "Dump the whole image buffer and the DefaultSplit trailer in hexadecimal");
  auto file = std::make_shared<std::string>();
  sub->add_option("FILE", *file, "Data file (.k53)")->required();
  commands.push_back({sub, [file]() {
                        TerminalPrompt prompt;
                        RadioData data;
                        if (!LoadDataFile(*file, data, prompt)) return kExitFailure;
                        for (int r = 0; r < kFileDataRows; ++r) {
                          std::string line = r == 0 ? std::string(6, ' ') : FileDataCell(data.image, data.defaultSplit, r, 0);
                          for (int c = 1; c < kFileDataColumns; ++c) {
                            const std::string cell = FileDataCell(data.image, data.defaultSplit, r, c);
                            if (cell.empty()) break;
                            line += ' ';
                            line += cell;
                          }
                          line += '\n';
                          WriteStandardOutput(line);
                        }
                        return kExitOk;
                      }});
}

}  // namespace kp53::cli

// The configuration as text: export, import, diff and verify.
#include <cmath>
#include <iostream>

#include "cli_common.h"
#include "config/config_text.h"
#include "config/config_verify.h"
#include "image/data_file.h"
#include "io/atomic_file.h"
#include "io/input_file.h"

namespace kp53::cli {

namespace {

bool IsText(const std::string& path) {
  auto ends = [&](const char* s) {
    const std::string e(s);
    return path.size() >= e.size() && path.compare(path.size() - e.size(), e.size(), e) == 0;
  };
  return path == "-" || ends(".yaml") || ends(".yml") || ends(".YAML") || ends(".YML");
}

bool ReadText(const std::string& path, std::string& text) {
  InputFile in = ReadInputFile(path, kTextFileLimit);
  if (!in.ok()) {
    std::cerr << "kp53: " << DescribeInputFailure(path, in, kTextFileLimit, "a configuration text") << "\n";
    return false;
  }
  text = std::move(in.bytes);
  return true;
}

// The notes with their places, at most kMaxNoteLines of them and then how many more there are.
void PrintNotes(const std::string& path, const std::vector<config::Note>& notes, const char* kind) {
  constexpr std::size_t kMaxNoteLines = 100;
  const std::string name = path == "-" ? "<stdin>" : path;
  for (std::size_t k = 0; k < notes.size() && k < kMaxNoteLines; ++k) {
    const config::Note& n = notes[k];
    std::cerr << name << ":";
    if (n.line > 0) std::cerr << n.line << ":" << n.column << ":";
    std::cerr << " " << kind << ": " << n.message << "\n";
  }
  if (notes.size() > kMaxNoteLines)
    std::cerr << name << ": " << notes.size() - kMaxNoteLines << " more " << kind << (notes.size() - kMaxNoteLines == 1 ? "" : "s")
              << " not shown\n";
}

// A data file, or a text entered onto the built-in defaults (its changes accepted, and shown).
bool LoadConfig(const std::string& path, config::ConfigModel& model) {
  TerminalPrompt prompt;
  if (!IsText(path)) {
    RadioData data;
    if (!LoadDataFile(path, data, prompt)) return false;
    model.Load(data.image, data.defaultSplit);
    return true;
  }
  std::string text;
  if (!ReadText(path, text)) return false;
  RadioData defaults;
  InitImage(defaults);
  const auto r = config::ImportText(text, defaults.image, defaults.defaultSplit);
  PrintNotes(path, r.errors, "error");
  if (!r.errors.empty()) return false;
  PrintNotes(path, r.changes, "warning");
  model.Load(r.image, r.split);
  return true;
}

}  // namespace

void AddConfigCommands(CLI::App& app, CommandList& commands) {
  {
    auto* sub = app.add_subcommand("export", "Write the whole configuration of a data file as YAML text");
    auto file = std::make_shared<std::string>();
    auto out = std::make_shared<std::string>();
    auto schema = std::make_shared<bool>(false);
    auto force = std::make_shared<bool>(false);
    sub->add_option("FILE", *file, "Data file (.k53), - for standard input");
    sub->add_option("-o,--output", *out, "Text file to write (default, or -: standard output)");
    sub->add_flag("--schema", *schema, "Write the reference of the text form (Markdown) instead");
    sub->add_flag("-f,--force", *force, "Overwrite the output file when it exists (never the data file)");
    commands.push_back({sub, [file, out, schema, force]() {
                          const std::vector<std::string> inputs{*file};
                          if (!OutputAllowed(*out, *force, inputs)) return kExitFailure;
                          if (*schema)
                            return WriteOutput(*out, config::SchemaReference(), *force, {}) ? kExitOk : kExitFailure;
                          if (file->empty()) {
                            std::cerr << "kp53: export needs a data file\n";
                            return kExitUsage;
                          }
                          TerminalPrompt prompt;
                          RadioData data;
                          if (!LoadDataFile(*file, data, prompt)) return kExitFailure;
                          // A split that is not a number cannot be written as one: say what the text holds instead.
                          if (const auto split = ReadSplitTrailer(*file); split && !std::isfinite(*split))
                            std::cerr << "kp53: " << *file << ": the default split is not a number; the text gives "
                                      << data.defaultSplit << "\n";
                          return WriteOutput(*out, config::ExportText(data.image, data.defaultSplit), *force, inputs)
                                     ? kExitOk
                                     : kExitFailure;
                        }});
  }
  {
    auto* sub = app.add_subcommand("import", "Enter a YAML configuration onto a base image and save it as a data file");
    auto in = std::make_shared<std::string>();
    auto out = std::make_shared<std::string>();
    auto base = std::make_shared<std::string>();
    auto force = std::make_shared<bool>(false);
    auto accept = std::make_shared<bool>(false);
    sub->add_option("IN", *in, "YAML text, - for standard input")->required();
    sub->add_option("-o,--output", *out, "Data file to write (a new file unless --force is given)")->required();
    sub->add_option("--base", *base, "Data file the text is entered onto (default: the built-in defaults)");
    sub->add_flag("--force", *force, "Overwrite an existing output file");
    sub->add_flag("--accept-changes", *accept, "Write even when the rules store some values differently");
    commands.push_back({sub, [=]() {
                          const std::vector<std::string> inputs{*in, *base};
                          if (!OutputAllowed(*out, *force, inputs)) return kExitFailure;
                          TerminalPrompt prompt;
                          RadioData start;
                          InitImage(start);
                          if (!base->empty() && !LoadDataFile(*base, start, prompt)) return kExitFailure;
                          std::string text;
                          if (!ReadText(*in, text)) return kExitFailure;
                          const auto r = config::ImportText(text, start.image, start.defaultSplit);
                          PrintNotes(*in, r.errors, "error");
                          if (!r.errors.empty()) return kExitFailure;
                          PrintNotes(*in, r.changes, *accept ? "changed" : "would change");
                          if (!r.changes.empty() && !*accept) {
                            std::cerr << "kp53: nothing written; give --accept-changes to store these values\n";
                            return kExitFailure;
                          }
                          AtomicWriteResult result;
                          if (WriteDataFile(*out, r.image, r.split, prompt, *force ? Replace::Allowed : Replace::Never,
                                            &result, inputs))
                            return kExitOk;
                          ReportWriteFailure(*out, result);
                          return kExitFailure;
                        }});
  }
  {
    auto* sub = app.add_subcommand("diff", "Show every field that differs between two configurations (.k53 or .yaml)");
    auto a = std::make_shared<std::string>();
    auto b = std::make_shared<std::string>();
    auto json = std::make_shared<bool>(false);
    sub->add_option("A", *a, "First data file or text")->required();
    sub->add_option("B", *b, "Second data file or text")->required();
    sub->add_flag("--json", *json, "Write the differences as JSON");
    commands.push_back({sub, [=]() {
                          config::ConfigModel ma, mb;
                          if (!LoadConfig(*a, ma) || !LoadConfig(*b, mb)) return kExitUsage;
                          const auto diffs = config::Diff(ma, mb);
                          if (*json)
                            std::cout << config::DiffJson(diffs);
                          else
                            for (const auto& d : diffs) std::cout << config::DiffLine(d) << "\n";
                          return diffs.empty() ? kExitOk : kExitFailure;
                        }});
  }
  {
    auto* sub = app.add_subcommand("verify", "Check a data file against the radio's limits and tables");
    auto file = std::make_shared<std::string>();
    sub->add_option("FILE", *file, "Data file (.k53)")->required();
    commands.push_back({sub, [file]() {
                          TerminalPrompt prompt;
                          RadioData data;
                          if (!LoadDataFile(*file, data, prompt)) return kExitUsage;
                          const auto findings = config::Verify(data.image, ReadSplitTrailer(*file).value_or(data.defaultSplit));
                          for (const auto& f : findings) std::cout << config::FindingLine(f) << "\n";
                          return findings.empty() ? kExitOk : kExitFailure;
                        }});
  }
}

}  // namespace kp53::cli

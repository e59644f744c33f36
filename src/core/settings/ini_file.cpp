#include "settings/ini_file.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "io/atomic_file.h"
#include "io/input_file.h"

namespace kp53 {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
  a = Trim(a);
  b = Trim(b);
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

// "[name]" (anything after the closing bracket is ignored); nullopt for other lines.
std::optional<std::string_view> SectionName(std::string_view line) {
  line = Trim(line);
  if (line.empty() || line.front() != '[') return std::nullopt;
  const auto close = line.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return line.substr(1, close - 1);
}

bool IsComment(std::string_view line) {
  line = Trim(line);
  return !line.empty() && line.front() == ';';
}

// The key of a "key=value" line, or nullopt.
std::optional<std::string_view> KeyOf(std::string_view line) {
  if (IsComment(line) || SectionName(line)) return std::nullopt;
  const auto eq = line.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  return line.substr(0, eq);
}

std::string_view ValueOf(std::string_view line) { return Trim(line.substr(line.find('=') + 1)); }

}  // namespace

bool IniFile::Load(const std::string& path, std::string* problem) {
  lines_.clear();
  lineEnd_ = "\n";
  byteOrderMark_ = false;
  const auto fail = [&](const std::string& why) {
    if (problem != nullptr) *problem = path + ": " + why;
    return false;
  };
  const InputFile in = ReadInputFile(path, kTextFileLimit);
  switch (in.status) {
    case InputStatus::Ok: break;
    case InputStatus::CannotOpen:
      if (in.error == ENOENT) return true;  // missing: fine, empty profile
      return fail(ErrorText(in.error));
    case InputStatus::NotAFile: return fail("not a regular file; it is ignored");
    case InputStatus::TooLarge: return fail("larger than " + SizeText(kTextFileLimit) + "; it is ignored");
    case InputStatus::CannotRead: return fail(ErrorText(in.error));
  }
  const std::string& text = in.bytes;
  Parse(text);
  return true;
}

void IniFile::Parse(std::string_view text) {
  lines_.clear();
  lineEnd_ = "\n";
  byteOrderMark_ = text.starts_with("\xEF\xBB\xBF");
  if (byteOrderMark_) text.remove_prefix(3);
  bool endSeen = false;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' || text[i] == '\r') {
      lines_.emplace_back(text.substr(start, i - start));
      const bool crlf = text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n';
      if (!endSeen) lineEnd_ = crlf ? "\r\n" : text[i] == '\n' ? "\n" : "\r";
      endSeen = true;
      if (crlf) ++i;
      start = i + 1;
    }
  }
  if (start < text.size()) lines_.emplace_back(text.substr(start));
}

std::string IniFile::Text() const {
  std::string out = byteOrderMark_ ? "\xEF\xBB\xBF" : "";
  for (const auto& l : lines_) {
    out += l;
    out += lineEnd_;
  }
  return out;
}

bool IniFile::Save(const std::string& path) const {
  const std::string text = Text();
  return WriteFileAtomically(path, {text}).ok();
}

IniFile::Found IniFile::Locate(std::string_view section, std::string_view key, bool& sectionExists) const {
  sectionExists = false;
  bool inSection = false;
  std::size_t insertAfter = 0;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (const auto name = SectionName(lines_[i])) {
      // A section may appear more than once; the first one is the one read and written.
      if (sectionExists) {
        inSection = false;
        continue;
      }
      inSection = SameName(*name, section);
      if (inSection) {
        sectionExists = true;
        insertAfter = i;
      }
      continue;
    }
    if (!inSection) continue;
    if (const auto k = KeyOf(lines_[i])) {
      if (SameName(*k, key)) return {i, true};
      insertAfter = i;
    }
  }
  return {sectionExists ? insertAfter : lines_.size(), false};
}

std::optional<std::string> IniFile::Get(std::string_view section, std::string_view key) const {
  bool sectionExists;
  const Found f = Locate(section, key, sectionExists);
  if (!f.found) return std::nullopt;
  return std::string(ValueOf(lines_[f.line]));
}

std::string IniFile::GetString(std::string_view section, std::string_view key, std::string_view def) const {
  auto v = Get(section, key);
  return v ? *v : std::string(def);
}

int IniFile::GetInt(std::string_view section, std::string_view key, int def) const {
  const auto v = Get(section, key);
  if (!v) return def;
  long long n = 0;
  for (char c : *v) {
    if (c < '0' || c > '9') break;
    n = n * 10 + (c - '0');
    if (n > INT_MAX) return INT_MAX;
  }
  return static_cast<int>(n);
}

bool IniFile::Set(std::string_view section, std::string_view key, std::string_view value) {
  auto breaks = [](std::string_view t) { return t.find_first_of("\r\n") != std::string_view::npos; };
  if (breaks(section) || breaks(key) || breaks(value) || key.find('=') != std::string_view::npos ||
      section.find(']') != std::string_view::npos || Trim(key).empty() || IsComment(key) ||
      SectionName(key))
    return false;
  bool sectionExists;
  const Found f = Locate(section, key, sectionExists);
  std::string line(Trim(key));
  line += '=';
  line += value;
  if (f.found) {
    lines_[f.line] = std::move(line);
  } else if (sectionExists) {
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(f.line) + 1, std::move(line));
  } else {
    std::string header(1, '[');
    header += Trim(section);
    header += ']';
    lines_.push_back(std::move(header));
    lines_.push_back(std::move(line));
  }
  return true;
}

void IniFile::SetInt(std::string_view section, std::string_view key, int value) {
  Set(section, key, std::to_string(value));
}

void IniFile::Remove(std::string_view section, std::string_view key) {
  bool sectionExists;
  const Found f = Locate(section, key, sectionExists);
  if (f.found) lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(f.line));
}

}  // namespace kp53

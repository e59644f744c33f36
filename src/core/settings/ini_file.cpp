#include "settings/ini_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <sstream>

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

std::string FolderOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

}  // namespace

bool IniFile::Load(const std::string& path) {
  lines_.clear();
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    struct stat st{};
    return ::stat(path.c_str(), &st) != 0;  // missing: fine, empty profile
  }
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) return false;
  Parse(text.str());
  return true;
}

void IniFile::Parse(std::string_view text) {
  lines_.clear();
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' || text[i] == '\r') {
      lines_.emplace_back(text.substr(start, i - start));
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      start = i + 1;
    }
  }
  if (start < text.size()) lines_.emplace_back(text.substr(start));
}

std::string IniFile::Text() const {
  std::string out;
  for (const auto& l : lines_) {
    out += l;
    out += '\n';
  }
  return out;
}

bool IniFile::Save(const std::string& givenPath) const {
  // A symbolic link is written through: the file it points at is replaced, the link stays.
  std::string path = givenPath;
  struct stat lst{};
  if (::lstat(givenPath.c_str(), &lst) == 0 && S_ISLNK(lst.st_mode)) {
    char buf[PATH_MAX];
    if (::realpath(givenPath.c_str(), buf) != nullptr) path = buf;
  }
  std::string tmp = FolderOf(path) + "/.ini-XXXXXX";
  const int fd = ::mkstemp(tmp.data());
  if (fd < 0) return false;
  const std::string text = Text();
  const char* p = text.data();
  std::size_t n = text.size();
  bool ok = true;
  while (n > 0) {
    const ssize_t w = ::write(fd, p, n);
    if (w < 0) {
      if (errno == EINTR) continue;
      ok = false;
      break;
    }
    p += w;
    n -= static_cast<std::size_t>(w);
  }
  struct stat st{};
  mode_t mode;
  if (::stat(path.c_str(), &st) == 0) {
    mode = st.st_mode & 07777;
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  ok = ok && ::fchmod(fd, mode) == 0;
  ok = (::close(fd) == 0) && ok;
  if (!ok || ::rename(tmp.c_str(), path.c_str()) != 0) {
    ::unlink(tmp.c_str());
    return false;
  }
  return true;
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

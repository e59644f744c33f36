// A settings file with private-profile semantics: "[section]" lines and "key=value" lines,
// section and key names compared without regard to case, blanks around names and values ignored.
// Every line the program does not write (other sections, other keys, comments, odd lines) is kept
// as it was, and so are the file's line endings and a UTF-8 byte-order mark at its start, so the
// program shares the file with whatever else lives in it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kp53 {

class IniFile {
 public:
  // Reads the file; a missing file gives an empty profile. False, with the reason in `problem`,
  // when the name exists but cannot be read or is not a regular file (a FIFO, a device, a
  // folder: these are never opened in a way that could wait); the profile is then empty.
  bool Load(const std::string& path, std::string* problem = nullptr);
  // Replaces the contents with `text` (any bytes; lines end in "\n", "\r\n" or "\r"; a leading
  // byte-order mark is not part of the first line).
  void Parse(std::string_view text);
  // The file's text as it would be written: every line ended as the file's first line was ("\n"
  // for a file without line breaks), the byte-order mark put back when there was one.
  std::string Text() const;
  // Writes atomically (WriteFileAtomically), through a symbolic link; a file the user may not
  // write is refused.
  bool Save(const std::string& path) const;

  std::optional<std::string> Get(std::string_view section, std::string_view key) const;
  std::string GetString(std::string_view section, std::string_view key, std::string_view def) const;
  // The value's leading decimal digits, as the platform's profile calls read integers: a missing
  // key gives `def`, a value that starts with anything but a digit gives 0, a negative value 0,
  // and a value beyond the range of int the largest int.
  int GetInt(std::string_view section, std::string_view key, int def) const;

  // Replaces the key's value in place, or adds the key at the end of its section, or adds the
  // section at the end of the file. A value or name that holds a line break (or a name with "="
  // or "]") cannot be stored in the file's form and is refused with false.
  bool Set(std::string_view section, std::string_view key, std::string_view value);
  void SetInt(std::string_view section, std::string_view key, int value);
  void Remove(std::string_view section, std::string_view key);

 private:
  struct Found {
    std::size_t line;
    bool found;
  };
  // Index of the key's line, or (found = false) the index after which a new key of the section
  // belongs, or lines_.size() when the section does not exist.
  Found Locate(std::string_view section, std::string_view key, bool& sectionExists) const;

  std::vector<std::string> lines_;
  std::string_view lineEnd_ = "\n";  // one of three literals: "\n", "\r\n", "\r"
  bool byteOrderMark_ = false;
};

}  // namespace kp53

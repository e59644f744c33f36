#include "signalling/table_topics.h"

namespace kp53::gui {

namespace {

std::string WithNumber(const char* pattern, int n) {
  std::string s(pattern);
  const auto at = s.find("%1");
  if (at != std::string::npos) s.replace(at, 2, std::to_string(n));
  return s;
}

}  // namespace

TableTopics::TableTopics(int gridId, std::initializer_list<Text> named, const char* runTitle, const char* runText,
                         int runCount) {
  int context = gridId;
  for (const Text& t : named) topics_.push_back({context++, t.title, t.text});
  for (int n = 1; n <= runCount; ++n) {
    const std::string& title = strings_.emplace_back(WithNumber(runTitle, n));
    const std::string& text = strings_.emplace_back(WithNumber(runText, n));
    topics_.push_back({context++, title.c_str(), text.c_str()});
  }
}

}  // namespace kp53::gui

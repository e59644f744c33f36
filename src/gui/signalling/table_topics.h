// The help topics of a table dialog's columns: topic n has the context grid id + n; the columns of
// a numbered run (Decode 1 to 8, Input Digit 1 to 8) share one text with their number in it.
#pragma once

#include <deque>
#include <initializer_list>
#include <span>
#include <string>
#include <vector>

#include "app/help_window.h"

namespace kp53::gui {

class TableTopics {
 public:
  struct Text {
    const char* title;
    const char* text;
  };
  // `named` are the topics of the grid (the number column) and the following columns; then
  // `runCount` topics from `runTitle` and `runText` with "%1" replaced by 1, 2, ...
  TableTopics(int gridId, std::initializer_list<Text> named, const char* runTitle = nullptr,
              const char* runText = nullptr, int runCount = 0);
  std::span<const HelpTopic> Span() const { return topics_; }

 private:
  std::deque<std::string> strings_;  // the texts of the numbered run; a deque keeps them in place
  std::vector<HelpTopic> topics_;
};

}  // namespace kp53::gui

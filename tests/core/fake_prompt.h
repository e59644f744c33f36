// A scripted UserPrompt for tests: records every message shown (text, icon, buttons) and answers
// from a queue. With the queue empty it answers No to a Yes/No question and Ok to anything else.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "ports.h"
#include "text/messages.h"

namespace kp53::test {

class FakePrompt : public UserPrompt {
 public:
  struct Shown {
    std::string text;
    Icon icon;
    Buttons buttons;
  };

  std::vector<Shown> shown;
  std::deque<Answer> answers;
  int beeps = 0;

  Answer Show(std::string_view text, Icon icon, Buttons buttons) override {
    shown.push_back({std::string(text), icon, buttons});
    if (!answers.empty()) {
      const Answer a = answers.front();
      answers.pop_front();
      return a;
    }
    return buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel ? Answer::No : Answer::Ok;
  }
  void Beep() override { ++beeps; }

  // The texts shown, in order.
  std::vector<std::string> Texts() const {
    std::vector<std::string> out;
    for (const auto& s : shown) out.push_back(s.text);
    return out;
  }
  // True when exactly one message was shown and it is message `id` filled with the arguments.
  bool ShowedOnly(int id, std::string_view arg1 = {}, std::string_view arg2 = {}) const {
    return shown.size() == 1 && shown[0].text == FormatMessage(id, arg1, arg2);
  }
  void Clear() {
    shown.clear();
    answers.clear();
    beeps = 0;
  }
};

}  // namespace kp53::test

// A scripted UserPrompt for tests, safe to call from a worker thread: records every message shown
// (text, icon, buttons, calling thread) and answers questions from a queue. A message with only
// an Ok button is answered Ok without taking from the queue; with the queue empty a question gets
// the safe answer: No, or Cancel for Ok/Cancel.
#pragma once

#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
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
    std::thread::id thread;
  };

  // Read these directly only while no other thread can show a message.
  std::vector<Shown> shown;
  std::deque<Answer> answers;
  int beeps = 0;

  Answer Show(std::string_view text, Icon icon, Buttons buttons) override {
    std::lock_guard lock(mu_);
    shown.push_back({std::string(text), icon, buttons, std::this_thread::get_id()});
    if (buttons == Buttons::Ok) return Answer::Ok;
    if (!answers.empty()) {
      const Answer a = answers.front();
      answers.pop_front();
      return a;
    }
    return buttons == Buttons::OkCancel ? Answer::Cancel : Answer::No;
  }
  void Beep() override {
    std::lock_guard lock(mu_);
    ++beeps;
  }

  // The texts shown, in order.
  std::vector<std::string> Texts() const {
    std::lock_guard lock(mu_);
    std::vector<std::string> out;
    for (const auto& s : shown) out.push_back(s.text);
    return out;
  }
  // True when exactly one message was shown and it is message `id` filled with the arguments.
  bool ShowedOnly(int id, std::string_view arg1 = {}, std::string_view arg2 = {}) const {
    std::lock_guard lock(mu_);
    return shown.size() == 1 && shown[0].text == FormatMessage(id, arg1, arg2);
  }
  void Clear() {
    std::lock_guard lock(mu_);
    shown.clear();
    answers.clear();
    beeps = 0;
  }

 private:
  mutable std::mutex mu_;
};

// A file chooser that answers from two queues of chosen names; an empty queue is a cancelled
// dialog.
class ScriptedChooser : public FileChooser {
 public:
  std::deque<std::optional<std::string>> opens, saves;
  int saveAsked = 0;
  std::optional<std::string> ChooseOpen() override { return Next(opens); }
  std::optional<std::string> ChooseSave() override {
    ++saveAsked;
    return Next(saves);
  }

 private:
  static std::optional<std::string> Next(std::deque<std::optional<std::string>>& queue) {
    if (queue.empty()) return std::nullopt;
    auto chosen = queue.front();
    queue.pop_front();
    return chosen;
  }
};

}  // namespace kp53::test

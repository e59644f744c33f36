// The small interfaces through which the core's flows talk to the user. The window implements
// them with dialogs, the command-line tool with the terminal, and the tests with scripted fakes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kp53 {

enum class Icon { None, Stop, Question, Exclamation, Information };
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };

class UserPrompt {
 public:
  virtual ~UserPrompt() = default;
  // Shows a message box and returns the button chosen.
  virtual Answer Show(std::string_view text, Icon icon, Buttons buttons) = 0;
  // A refused key or action.
  virtual void Beep() {}

  // Message `id` of the string table with %1 and %2 filled in.
  Answer Message(int id, Icon icon, Buttons buttons, std::string_view arg1 = {}, std::string_view arg2 = {});
  // An error message: stop icon, OK.
  void Error(int id, std::string_view arg1 = {}) { Message(id, Icon::Stop, Buttons::Ok, arg1); }
};

// Open and save dialogs. An empty result means the user cancelled.
class FileChooser {
 public:
  virtual ~FileChooser() = default;
  virtual std::optional<std::string> ChooseOpen() = 0;
  virtual std::optional<std::string> ChooseSave() = 0;
};

// Progress of a transfer with the radio.
class ProgressSink {
 public:
  virtual ~ProgressSink() = default;
  virtual void SetRange(int low, int high) = 0;
  virtual void SetPosition(int position) = 0;
  virtual void SetStatus(int stringId) = 0;
  // A status text of this program's own, not from the string table.
  virtual void SetStatusText(const std::string& text) = 0;
  virtual void SetTitle(const std::string& title) = 0;
  // The transfer is over; `ok` tells whether it succeeded.
  virtual void Close(bool ok) = 0;
  // Production mode: the Download succeeded and the next radio may follow.
  virtual void Repeat() {}
};

// A progress sink that shows nothing: benchmarks, fuzzing and callers without a display.
class NullProgressSink : public ProgressSink {
 public:
  void SetRange(int, int) override {}
  void SetPosition(int) override {}
  void SetStatus(int) override {}
  void SetStatusText(const std::string&) override {}
  void SetTitle(const std::string&) override {}
  void Close(bool) override {}
};

}  // namespace kp53

// The printing-in-progress flag: set while a report exists (a print job or a preview), so that
// closing the main window does not ask about unsaved changes.
#pragma once

namespace kp53::print {

bool IsPrinting();
class PrintingScope {
 public:
  PrintingScope();
  ~PrintingScope();
  PrintingScope(const PrintingScope&) = delete;
  PrintingScope& operator=(const PrintingScope&) = delete;
};

}  // namespace kp53::print

#include "printing_flag.h"

#include <atomic>

namespace kp53::print {

namespace {

std::atomic<int> printingDepth{0};

}  // namespace

bool IsPrinting() { return printingDepth.load() > 0; }
PrintingScope::PrintingScope() { ++printingDepth; }
PrintingScope::~PrintingScope() { --printingDepth; }

}  // namespace kp53::print

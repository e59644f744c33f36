// Pages 1 to 4 of the report: the common parameters and the signalling data.
#include "image/codecs.h"
#include "report/report.h"
#include "report/report_text.h"

namespace kp53 {

namespace {

constexpr const char* kSignalingDataLine =
    "        **********************************   SIGNALING DATA   ************************************";

}  // namespace

ReportPage ReportContext::SignallingPage(int page) const {
  ReportPage lines;
  lines.push_back(Format("%81s%s   Page %d", "", date_.c_str(), page));
  if (page == 1) {
    lines.push_back("                  **********  Trellium HT-620A Series Portable Transceiver  **********");
    lines.push_back(Format("           File Name:  %-32s", fileName_.c_str()));
    lines.push_back(Format("           Serial No:  %-32s", data_.identity.serialNumber.c_str()));
  } else if (page == 2) {
    lines.push_back(kSignalingDataLine);
  }
  return lines;
}

}  // namespace kp53

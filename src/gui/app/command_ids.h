// Command ids of the menus, the toolbar and the accelerators.
#pragma once

namespace cmd {
constexpr int kNew = 57600, kOpen = 57601, kSave = 57603, kSaveAs = 57604, kPrint = 57607,
              kPrintPreview = 57609, kPrintSetup = 57606, kConfigure = 32850, kRecentFile = 57616,
              kExit = 57665, kCompareWithFile = 32862;
constexpr int kCopy = 57634, kPaste = 57637, kUndo = 57643, kRedo = 57644;
constexpr int kImportChannels = 32860, kExportChannels = 32861;
constexpr int kToolbar = 59392, kStatusBar = 59393, kVisible = 32828, kFirstColumnToggle = 32800;
constexpr int kHardware = 32772, kSignalingType = 32773, kScanning = 32774, kPowerSaving = 32775,
              kKeyFunction = 32776, kEmergency = 32777, kMarketing = 32778, kMiscellaneous = 32779,
              kOption = 32780, kPowerOnPassword = 32781;
constexpr int kAniSpeedDial = 32783, kTwoTone = 32784, kTwoToneTable = 32785, kTwoToneSystems = 32786,
              kTwoToneEncode = 32787, kFiveToneGeneral = 32788, kFiveToneFormat = 32789,
              kFiveToneSystems = 32790, kFiveToneDecode = 32791, kFiveToneEncode = 32792,
              kFiveToneUserTone = 32793, kPagingSetting = 32794, kPageCode = 32795;
constexpr int kUpload = 32820, kDownload = 32821, kAlignment = 32822;
constexpr int kToolUpload = 32833, kToolDownload = 32834;
constexpr int kChannelAllocations = 32830;
constexpr int kFillDown = 32870, kInsertChannel = 32871, kDeleteChannel = 32872, kMoveChannelUp = 32873,
              kMoveChannelDown = 32874;
constexpr int kHelpTopics = 57667, kToolHelpTopics = 57664, kGetStarted = 32840, kCommonProblems = 32841,
              kAbout = 32842, kHelp = 57670;
}  // namespace cmd

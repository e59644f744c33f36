#include "document/document.h"

#include "io/input_file.h"
#include "text/messages.h"

namespace kp53 {

namespace {

constexpr const char* kChecksumWarning =
    "The checksum stored in %1 does not match its contents: the file was changed outside this program or "
    "is damaged. It has been opened as it is; check it before writing it to a radio.";

std::string JoinPath(const std::string& dir, const std::string& name) {
  if (dir.empty()) return name;
  if (dir.back() == '/') return dir + name;
  return dir + "/" + name;
}

// The file is a regular file that can be opened and one byte read from it (a FIFO or device is
// never opened: the window would wait on it).
bool CanReadOneByte(const std::string& path) {
  const InputFile in = ReadInputFile(path, 1);
  return in.status == InputStatus::TooLarge || (in.ok() && !in.bytes.empty());
}

}  // namespace

CRM90Doc::CRM90Doc(AppContext& ctx, UserPrompt& prompt, FileChooser& chooser)
    : ctx_(ctx), prompt_(prompt), chooser_(chooser) {
  InitImage(data_);
}

void CRM90Doc::ChooseMenuSet() { menuSet_ = &MenuSetFor(data_.signaling.IsFiveTone()); }

std::string CRM90Doc::DefaultFilePath(int band) const {
  return JoinPath(ctx_.exeDir, band == 0 ? kDefaultVhfFile : kDefaultUhfFile);
}

bool CRM90Doc::FindDefaultFile(int band) {
  const std::string path = DefaultFilePath(band);
  if (CanReadOneByte(path)) {
    ctx_.currentPath = path;
    found_ = true;
    return true;
  }
  found_ = false;
  return false;
}

bool CRM90Doc::WriteDefaultFile(const std::string& name) {
  NormalizeImage(data_);
  if (name.empty()) {
    prompt_.Error(32, ctx_.currentPath);
    ctx_.currentPath = kNoPath;
    return false;
  }
  if (!WriteDataFile(JoinPath(ctx_.workDir, name), data_.image, data_.defaultSplit, prompt_)) return false;
  ctx_.modified = false;
  ctx_.currentPath = kNoPath;
  return true;
}

void CRM90Doc::BuildImage() {
  data_ = RadioData{};
  InitImage(data_);
  found_ = false;

  bool read = false;
  if (ctx_.currentPath != kNoPath) {
    read = CanReadOneByte(ctx_.currentPath);
  } else if (FindDefaultFile(0) || FindDefaultFile(1)) {
    read = true;
  } else {
    WriteDefaultFile(kDefaultVhfFile);
    ctx_.currentPath = kNoPath;
  }
  if (read) {
    found_ = LoadCurrentFile();
  }
  // A file that could not be read is no longer the document's file: the built-in image must never
  // be saved over it.
  if (!found_) ctx_.currentPath = kNoPath;
  data_.channels.SelectGroup(0);
  ChooseMenuSet();
  ClearHistory();
}

void CRM90Doc::RebuildWithPath(const std::string& path) {
  ctx_.currentPath = path;
  BuildImage();
  Updated();
}

bool CRM90Doc::New() {
  if (!AskToSaveChanges()) return false;
  RebuildWithPath(kNoPath);
  return true;
}

bool CRM90Doc::Open() {
  const auto chosen = chooser_.ChooseOpen();
  if (!chosen) return false;
  switch (CheckDataFile(*chosen, static_cast<long long>(kDataFileSize))) {
    case FileCheck::Usable:
      break;
    case FileCheck::NotFound:
      prompt_.Error(32, *chosen);
      return false;
    case FileCheck::Unreadable:
      prompt_.Error(34, *chosen);
      return false;
    case FileCheck::WrongSize:
      prompt_.Error(37, *chosen);
      return false;
  }
  if (!AskToSaveChanges()) return false;
  RebuildWithPath(*chosen);
  if (found_) ctx_.settings.AddRecentFile(*chosen);
  return found_;
}

void CRM90Doc::OpenPath(const std::string& path) {
  RebuildWithPath(path.empty() ? std::string(kNoPath) : path);
  if (found_) ctx_.settings.AddRecentFile(path);
}

bool CRM90Doc::Save() {
  const std::string path = ctx_.currentPath;
  // An untitled document is saved by choosing its name.
  if (path == kNoPath || path.empty()) return SaveAs();
  if (!IsWritable(path, prompt_, path)) return false;
  if (IsDefaultFileName(path) && prompt_.Message(36, Icon::Question, Buttons::YesNo) != Answer::Yes) return false;
  NormalizeImage(data_);
  if (!WriteDataFile(path, data_.image, data_.defaultSplit, prompt_)) return false;
  ctx_.modified = false;
  savedState_ = CaptureState();
  ctx_.settings.AddRecentFile(path);
  Updated();
  return true;
}

bool CRM90Doc::SaveAs() {
  const auto chosen = chooser_.ChooseSave();
  if (!chosen || chosen->empty()) return false;
  // The whole chosen path is kept, however long: cutting it would save somewhere else.
  ctx_.currentPath = *chosen;
  return Save();
}

bool CRM90Doc::AskToSaveChanges() {
  if (!ctx_.modified) return true;
  const Answer a = prompt_.Message(61699, Icon::Question, Buttons::YesNoCancel, ctx_.currentPath);
  if (a == Answer::Cancel) return false;
  if (a == Answer::Yes && !SaveAs()) return false;
  ctx_.modified = false;
  return true;
}

bool CRM90Doc::LoadCurrentFile() {
  // Read into copies: a file that fails half-way leaves the image as it was.
  RadioImage image = data_.image;
  double split = data_.defaultSplit;
  if (!ReadDataFile(ctx_.currentPath, image, split, prompt_)) return false;
  // A stored checksum that disagrees with the bytes means the file was changed elsewhere or is
  // damaged: it opens as it is, with a warning.
  if (GetU16(image, off::kChecksum) != ImageChecksum(image))
    prompt_.Show(FormatMessage(kChecksumWarning, ctx_.currentPath), Icon::Exclamation, Buttons::Ok);
  data_.image = image;
  data_.defaultSplit = split;
  ReloadAreas(data_);
  return true;
}

bool CRM90Doc::ReadBandDefaultFile(int band) {
  ctx_.currentPath = kNoPath;
  if (!FindDefaultFile(band)) return false;
  RadioImage image = data_.image;
  double split = data_.defaultSplit;
  if (!ReadDataFile(ctx_.currentPath, image, split, prompt_)) return false;
  data_.image = image;
  data_.defaultSplit = split;
  data_.hardware.LoadFromImage(data_.image);
  return true;
}

void CRM90Doc::BandChange() {
  ctx_.currentPath = kNoPath;
  const int band = data_.hardware.IsUhf() ? 1 : 0;
  bool loaded = false;
  if (FindDefaultFile(band)) {
    loaded = LoadCurrentFile();
  }
  if (!loaded) {
    WriteDefaultFile(band == 0 ? kDefaultVhfFile : kDefaultUhfFile);
    ctx_.currentPath = kNoPath;
  }
  data_.channels.SelectGroup(0);
  // The new band's default file may run the other signalling system.
  ChooseMenuSet();
  Updated();
}

ImageSnapshot CRM90Doc::CaptureState() const {
  RadioData copy = data_;
  NormalizeImage(copy);
  return {copy.image, copy.defaultSplit};
}

void CRM90Doc::BeginChange(const std::string& mergeKey) {
  if (changeDepth_++ > 0) return;
  before_ = CaptureState();
  mergeKey_ = mergeKey;
  if (!ctx_.modified) savedState_ = before_;
}

void CRM90Doc::EndChange() {
  if (changeDepth_ == 0 || --changeDepth_ > 0) return;
  if (CaptureState() != before_) {
    history_.Push(before_, mergeKey_);
    ctx_.modified = true;
  } else if (mergeKey_.empty()) {
    history_.BreakMerge();
  }
  if (onChanged) onChanged();
}

void CRM90Doc::ClearHistory() {
  history_.Clear();
  savedState_.reset();
  if (!ctx_.modified) savedState_ = CaptureState();
}

bool CRM90Doc::Undo() {
  const ImageSnapshot now = CaptureState();
  if (!ctx_.modified) savedState_ = now;
  const auto state = history_.Undo(now);
  if (state) Restore(*state);
  return state.has_value();
}

bool CRM90Doc::Redo() {
  const ImageSnapshot now = CaptureState();
  if (!ctx_.modified) savedState_ = now;
  const auto state = history_.Redo(now);
  if (state) Restore(*state);
  return state.has_value();
}

void CRM90Doc::Restore(const ImageSnapshot& state) {
  const int group = data_.channels.currentGroup;
  data_.image = state.image;
  data_.defaultSplit = state.defaultSplit;
  ReloadAreas(data_);
  data_.channels.SelectGroup(group);
  ChooseMenuSet();
  ctx_.modified = !(savedState_ && *savedState_ == state);
  Updated();
}

}  // namespace kp53

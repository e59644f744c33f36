// The document: the radio image with its long-lived areas, and the flows that build, load and save
// it. Every question and message goes through UserPrompt and FileChooser, so the flows run the
// same in the window, on the command line and in the tests.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "document/app_context.h"
#include "document/menu_sets.h"
#include "document/undo_history.h"
#include "image/radio_data.h"
#include "ports.h"

namespace kp53 {

class CRM90Doc {
 public:
  CRM90Doc(AppContext& ctx, UserPrompt& prompt, FileChooser& chooser);

  RadioData& Data() { return data_; }
  const RadioData& Data() const { return data_; }
  AppContext& Context() { return ctx_; }
  // The title is always the current path ("<none>" for an untitled document).
  const std::string& Title() const { return ctx_.currentPath; }
  bool DefaultFileFound() const { return found_; }
  const MenuEnableSet& MenuSet() const { return *menuSet_; }
  // Chooses the menu-enable set again from the signalling system (refresh code 1).
  void ChooseMenuSet();

  // Called after the image was replaced, loaded or saved: the views redraw.
  std::function<void()> onUpdate;
  // Called at the end of every change bracket: the window updates its title and Undo/Redo.
  std::function<void()> onChanged;

  // Builds the image for the current path: from that file, or for "<none>" from the default file
  // of VHF or UHF, or from the built-in defaults (written to the working directory as
  // "defaultv.k53" when no default file exists). When the file cannot be read the built-in image
  // stays and the path becomes "<none>".
  void BuildImage();

  // File > New: the unsaved-changes question, then a new image. False when cancelled.
  bool New();
  // File > Open: choose, check the file (messages 32, 34, 37), the unsaved-changes question, load.
  // True when a file was loaded.
  bool Open();
  // A file named on the command line or picked from the recent-file list: loaded without the size
  // check (a short file keeps the built-in defaults behind its end). A file that cannot be read
  // leaves the built-in image as an untitled document.
  void OpenPath(const std::string& path);
  // File > Save to the current path; an untitled document runs Save As. True when the file was
  // written.
  bool Save();
  // File > Save As: choose a path, make it the current path, then Save.
  bool SaveAs();
  // The unsaved-changes question; false means the user cancelled. Yes opens Save As; unless the
  // file is then written (Save As cancelled, a write error, No to writing a default file) the
  // answer is false, so the action stops and the changes and the modified flag stay.
  bool AskToSaveChanges();

  // Normalises the image and writes it under `name` in the working directory.
  bool WriteDefaultFile(const std::string& name);
  // Looks for the default file of VHF (0) or UHF (1) in the executable's folder; on success it
  // becomes the current path.
  bool FindDefaultFile(int band);
  // A band change confirmed in the Hardware dialog, while the dialog is open: the current path
  // becomes "<none>"; when the default file of VHF (0) or UHF (1) is found and read, it replaces
  // the image and DefaultSplit, the hardware area is reloaded from it (the other areas are not)
  // and the answer is true. Otherwise the image is left as it was.
  bool ReadBandDefaultFile(int band);
  // After the Hardware dialog switched between VHF and UHF (refresh code 4): load the new band's
  // default file, or make the current image that band's default file.
  void BandChange();

  void SetModified(bool m = true) { ctx_.modified = m; }
  bool IsModified() const { return ctx_.modified; }

  // Undo and redo. Every change to the image is bracketed by BeginChange and EndChange (nested
  // brackets count as one); a bracket that left the image as it was records nothing. Changes
  // with the same non-empty merge key in a row (typing in one field) are one step. Undo and Redo
  // put the image back, reload the long-lived areas and redraw; the modified flag is cleared when
  // the image is back at its saved state. Loading an image (New, Open, Upload) clears the history.
  void BeginChange(const std::string& mergeKey = {});
  void EndChange();
  bool Undo();
  bool Redo();
  bool CanUndo() const { return history_.CanUndo(); }
  bool CanRedo() const { return history_.CanRedo(); }
  void ClearHistory();
  // The image as a save would write it (channel model stored, normalised) and DefaultSplit.
  ImageSnapshot CaptureState() const;

 private:
  void RebuildWithPath(const std::string& path);
  // Reads the current path's file into the image and reloads the long-lived areas.
  bool LoadCurrentFile();
  void Updated() {
    if (onUpdate) onUpdate();
  }
  std::string DefaultFilePath(int band) const;
  void Restore(const ImageSnapshot& state);

  AppContext& ctx_;
  UserPrompt& prompt_;
  FileChooser& chooser_;
  RadioData data_;
  bool found_ = false;
  const MenuEnableSet* menuSet_ = &kFiveToneMenus;
  UndoHistory history_;
  int changeDepth_ = 0;
  ImageSnapshot before_;
  std::string mergeKey_;
  std::optional<ImageSnapshot> savedState_;  // the state of the file as last loaded or saved
};

}  // namespace kp53

// CThumbDialog: the thumbnail dialog "ｻﾑﾈｲﾙ". It switches the thumbnail cache on and off and
// keeps the cache files of one folder or a folder tree: update, delete, count, the deletion after
// a change of the large-image option, and the two phases of the FLV/MP4 copy.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "folders/FolderPicks.h"
#include "framework/PanelDialog.h"

namespace tarn {

class ThumbFileSystem;

class CThumbDialog final : public CPanelDialog {
 public:
  CThumbDialog();

  // Closes an open display window (work over a tree starts without one).
  std::function<void()> closeDisplay;
  // The rows of the catalog on show: from its offset to just past its last shown row.
  std::function<std::pair<int, int>()> shownRows;
  // The drive table's kind for a root "X:\"; the machine's drives when not set.
  std::function<int(std::u16string_view)> driveKind;

  // Shows the dialog at its place over the main window, its boxes read from the settings again.
  void Open(HWND frame);
  // The target folder, from the folder dialog's current folder; the count is blanked.
  void SetFolder(const std::u16string& folder);

  // "ｻﾑﾈｲﾙ ｺﾋﾟｰ(&C)": ticks "FLV/MP4ｺﾋﾟｰ" and updates, first renaming the first-frame images.
  void StartMovieCopy();
  // After the catalog was built again (the frame's timer): the update without the renaming.
  void ContinueMovieCopy();
  // "サムネイル削除" of the main menu, for the catalog's folder.
  void DeleteCommand(const std::u16string& catalogFolder);

  // The buttons, public so that every path can be driven directly.
  void Update(bool renameFirst);
  void Delete(std::u16string folder);
  void Count();

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;

 private:
  bool Checked(int id) const;
  void Check(int id, bool on) const;
  std::u16string Folder() const;
  // The folder with its final backslash, or empty after the message when the field is empty.
  std::u16string TargetFolder(bool tree);
  // False after the message when the folder's drive is a CD-ROM or not in the drive table.
  bool DriveAllowed(const std::u16string& folder, bool deleting);
  void OnLargeImageOption();
  // The first-frame images of the catalog get their movie names: 1 renamed some, 0 none, 2
  // cancelled, -1 failed.
  int RenameFirstFrames();
  void RunUpdate(const std::u16string& folder, bool copyMode);
  ThumbFileSystem& Files();

  std::unique_ptr<ThumbFileSystem> m_Files;
};

}  // namespace tarn

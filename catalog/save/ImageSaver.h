// SaveImage: the current picture written to a file the user confirms, as JPEG (on the writer's
// thread) or BMP, with the questions, names and messages of every kind of save.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "catalog/save/SaveNames.h"
#include "image/JpegWriter.h"

namespace tarn {

class CPictureWnd;

// The JPEG quality, 0 to 100: 90 at start-up and after the quality dialog's "初期化"; not stored.
extern int g_JpegQuality;
constexpr int kJpegQualityDefault = 90;

// How a save stands in a batch of thumbnail-source changes: on its own, renamed by the batch
// (an existing target goes to the dialog), or overwriting its source as the user agreed.
enum SaveBatch : int { kSaveSingle = 0, kSaveBatchRename = 1, kSaveBatchOverwrite = 2 };

// What the save-as dialog is asked.
struct SaveAsRequest {
  HWND owner = nullptr;
  std::u16string folder;    // where it starts
  std::u16string name;      // the proposed file name
  std::u16string filter;    // "|"-separated, ending in "||"
  std::u16string defaultExt;
  std::u16string title;
};
// Shows the system's save-as dialog; true with `chosen` set to the full path, false on cancel.
bool ShowSaveAsDialog(const SaveAsRequest& request, std::u16string& chosen);

class CImageSaver {
 public:
  explicit CImageSaver(CPictureWnd& picture) : m_Picture(picture) {}

  // `owner` receives `doneMessage` when a JPEG write ends (see OnJpegWritten) and owns the dialogs.
  void Bind(HWND owner, UINT doneMessage) {
    m_Owner = owner;
    m_DoneMessage = doneMessage;
  }

  // Saves the current picture under `proposed` (a file name whose extension picks the default
  // format) in `initialFolder`; mode is a SaveMode, batch a SaveBatch. Mode 2 writes the picture
  // at the zoom percentage. 0 when it ended with a result (a JPEG's comes when its thread ends)
  // or had nothing to do, 1 when it stopped on an error or a cancel.
  int SaveImage(const std::u16string& initialFolder, const std::u16string& proposed, int mode, int batch);
  // The JPEG thread's end, wParam of the done message: the result message for the file, or the
  // tool's own report.
  void OnJpegWritten(bool written);
  // Writes the current picture as the JPEG file `path` for a tool that reports the end itself:
  // `done` is called with the result when the thread ends. False when the thread cannot start.
  bool StartToolJpeg(const std::u16string& path, std::function<void(bool written)> done);
  bool IsJpegBusy() { return m_Writer.IsJpegBusy(); }
  // Waits for a running JPEG write; its done message still arrives.
  void WaitForWriter() { m_Writer.Wait(); }

  // The last folders saved into, and the working files last saved by the trimming and clipboard
  // tools.
  const std::u16string& LastSaveFolder() const { return m_LastSaveFolder; }
  const std::u16string& LastClipboardFolder() const { return m_LastClipboardFolder; }
  const std::u16string& TrimmingPath() const { return m_TrimmingPath; }
  const std::u16string& ClipboardPath() const { return m_ClipboardPath; }

  // The save-as dialog; the system's unless replaced.
  std::function<bool(const SaveAsRequest&, std::u16string&)> saveAs = ShowSaveAsDialog;

 private:
  // Step by step: the target as proposed, the dialog when it is needed, then the writing.
  int AskTarget(const SaveTarget& target, int mode, int batch, std::u16string& path);
  int AfterDialog(const std::u16string& chosen, int mode, int batch);
  int SaveJpeg(const std::u16string& path, int mode);
  int SaveBmp(const std::u16string& path, int mode);
  int Succeeded(const std::u16string& path, int mode);
  int Failed(const std::u16string& path);

  CPictureWnd& m_Picture;
  CJpegWriter m_Writer;
  HWND m_Owner = nullptr;
  UINT m_DoneMessage = 0;
  int m_JpegMode = kSaveCommand;
  std::function<void(bool)> m_ToolDone;  // set while a tool's JPEG is being written
  int m_Batch = kSaveSingle;
  std::u16string m_LastSaveFolder;
  std::u16string m_LastClipboardFolder;
  std::u16string m_TrimmingPath;
  std::u16string m_ClipboardPath;
};

}  // namespace tarn

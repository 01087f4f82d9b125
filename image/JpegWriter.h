// CJpegWriter: writes the current picture as a JPEG file on a thread of its own, so that a large
// picture does not hold up the window. The thread works on its own copy of the picture's header
// and current pixels: a load, a turn or a release of the picture meanwhile cannot touch what it
// reads. It writes into a scratch file beside the target and puts it in the target's place only
// when the whole file was written, so a failed write never costs the file that was there.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tarn {

class CPictureWnd;

class CJpegWriter {
 public:
  CJpegWriter() = default;
  // A running write is finished first: leaving would cut the file off.
  ~CJpegWriter();
  CJpegWriter(const CJpegWriter&) = delete;
  CJpegWriter& operator=(const CJpegWriter&) = delete;

  // Starts writing `picture` to `path` at `quality`; false when a write still runs, there is no
  // picture or the thread cannot be started. When the thread ends it posts `message` to `notify`
  // with wParam 1 (written) or 0 (not written; nothing is left at the target's place that was
  // not there before).
  bool StartJpegWrite(const std::u16string& path, const CPictureWnd& picture, int quality, HWND notify, UINT message);
  // True while the thread has not ended.
  bool IsJpegBusy();
  // Waits for the running write, if any.
  void Wait();
  // The file being written, or written last.
  const std::u16string& TargetPath() const { return m_TargetPath; }

 private:
  struct Job {
    std::u16string path;
    std::vector<std::uint8_t> info;
    std::vector<std::uint8_t> bits;
    int quality = 90;
    HWND notify = nullptr;
    UINT message = 0;
  };
  static DWORD WINAPI ThreadMain(LPVOID job);
  // 1 when `job` was written to its target, else 0.
  static int WriteJob(const Job& job);
  void CloseEndedThread();

  HANDLE m_Thread = nullptr;  // owned; null when no write was started since the last one ended
  std::u16string m_TargetPath;
};

}  // namespace tarn

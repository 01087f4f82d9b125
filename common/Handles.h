// One owner for each kind of kernel object the program, the plug-ins and the tools open: an open
// file, a directory search and a started process. Each closes what it holds when it goes; none can
// be copied, the first two can be moved. (The program's GDI objects have theirs in
// framework/GdiScopes.h.)
#pragma once

#include <windows.h>

#include <utility>

namespace tarn {

// A handle closed by `Closer::Close`; empty (INVALID_HANDLE_VALUE, or null as some calls answer)
// when nothing is open.
template <typename Closer>
class ClosingHandle {
 public:
  ClosingHandle() = default;
  explicit ClosingHandle(HANDLE handle) : handle_(handle) {}
  ClosingHandle(ClosingHandle&& other) noexcept : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)) {}
  ClosingHandle& operator=(ClosingHandle&& other) noexcept {
    if (this != &other) {
      Close();
      handle_ = std::exchange(other.handle_, INVALID_HANDLE_VALUE);
    }
    return *this;
  }
  ~ClosingHandle() { Close(); }

  HANDLE Get() const { return handle_; }
  bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
  // Closes now; false when the system answers that the close failed (for a file: data lost).
  bool Close() {
    const bool closed = !IsOpen() || Closer::Close(handle_);
    handle_ = INVALID_HANDLE_VALUE;
    return closed;
  }

 private:
  HANDLE handle_ = INVALID_HANDLE_VALUE;
};

struct KernelObjectCloser {
  static bool Close(HANDLE handle) { return CloseHandle(handle) != 0; }
};
struct SearchCloser {
  static bool Close(HANDLE search) { return FindClose(search) != 0; }
};

// A handle from CreateFileW or CreateFileA.
using FileHandle = ClosingHandle<KernelObjectCloser>;
// A search from FindFirstFileW.
using FindHandle = ClosingHandle<SearchCloser>;

// The process and thread handles CreateProcessW fills in.
class ProcessHandles {
 public:
  ProcessHandles() = default;
  ProcessHandles(const ProcessHandles&) = delete;
  ProcessHandles& operator=(const ProcessHandles&) = delete;
  ~ProcessHandles() {
    if (info_.hThread != nullptr) CloseHandle(info_.hThread);
    if (info_.hProcess != nullptr) CloseHandle(info_.hProcess);
  }

  // For CreateProcessW to fill.
  PROCESS_INFORMATION* Fill() { return &info_; }
  HANDLE Process() const { return info_.hProcess; }

 private:
  PROCESS_INFORMATION info_{};
};

}  // namespace tarn

// One owner for each kind of kernel object the program, the plug-ins and the tools open: an open
// file, a directory search and a started process. Each closes what it holds when it goes; none can
// be copied, each can be moved. (The program's GDI objects have theirs in framework/GdiScopes.h.)
#pragma once

#include <windows.h>

#include <utility>

namespace tarn {

// A handle from CreateFileW: INVALID_HANDLE_VALUE when nothing is open.
class FileHandle {
 public:
  FileHandle() = default;
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  FileHandle(FileHandle&& other) noexcept : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)) {}
  FileHandle& operator=(FileHandle&& other) noexcept {
    if (this != &other) {
      Close();
      handle_ = std::exchange(other.handle_, INVALID_HANDLE_VALUE);
    }
    return *this;
  }
  ~FileHandle() { Close(); }

  HANDLE Get() const { return handle_; }
  bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
  // Closes now; false when the system answers that the close failed (buffered data lost).
  bool Close() {
    const bool closed = !IsOpen() || CloseHandle(handle_) != 0;
    handle_ = INVALID_HANDLE_VALUE;
    return closed;
  }

 private:
  HANDLE handle_ = INVALID_HANDLE_VALUE;
};

// A search from FindFirstFileW.
class FindHandle {
 public:
  FindHandle() = default;
  explicit FindHandle(HANDLE search) : search_(search) {}
  FindHandle(FindHandle&& other) noexcept : search_(std::exchange(other.search_, INVALID_HANDLE_VALUE)) {}
  FindHandle& operator=(FindHandle&& other) noexcept {
    if (this != &other) {
      Close();
      search_ = std::exchange(other.search_, INVALID_HANDLE_VALUE);
    }
    return *this;
  }
  ~FindHandle() { Close(); }

  HANDLE Get() const { return search_; }
  bool IsOpen() const { return search_ != INVALID_HANDLE_VALUE; }
  void Close() {
    if (IsOpen()) FindClose(search_);
    search_ = INVALID_HANDLE_VALUE;
  }

 private:
  HANDLE search_ = INVALID_HANDLE_VALUE;
};

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

#include "image/JpegWriter.h"

#include <cstdio>
#include <memory>

#include "common/DibLayout.h"
#include "image/JpegCompress.h"
#include "image/PictureWnd.h"
#include "image/ScratchFile.h"

namespace tarn {

CJpegWriter::~CJpegWriter() { Wait(); }

bool CJpegWriter::StartJpegWrite(const std::u16string& path, const CPictureWnd& picture, int quality, HWND notify,
                                 UINT message) {
  if (IsJpegBusy()) return false;
  const PluginPicture& loaded = picture.Loaded();
  const auto* info = reinterpret_cast<const std::uint8_t*>(loaded.Info());
  const auto* bits = static_cast<const std::uint8_t*>(picture.DrawableBits());
  if (info == nullptr || bits == nullptr) return false;

  auto job = std::make_unique<Job>();
  job->path = path;
  job->info.assign(info, info + loaded.InfoBytes());
  // Every row the header describes; DrawableBits has checked that the block holds them.
  const std::size_t rowBytes = static_cast<std::size_t>(DibRowBytes(loaded.Width(), loaded.BitCount()));
  job->bits.assign(bits, bits + rowBytes * static_cast<std::size_t>(loaded.Rows()));
  job->quality = quality;
  job->notify = notify;
  job->message = message;

  HANDLE thread = CreateThread(nullptr, 0, &CJpegWriter::ThreadMain, job.get(), 0, nullptr);
  if (thread == nullptr) return false;
  job.release();  // the thread owns it now
  m_Thread = thread;
  m_TargetPath = path;
  return true;
}

bool CJpegWriter::IsJpegBusy() {
  if (m_Thread == nullptr) return false;
  if (WaitForSingleObject(m_Thread, 0) == WAIT_TIMEOUT) return true;
  CloseEndedThread();
  return false;
}

void CJpegWriter::Wait() {
  if (m_Thread == nullptr) return;
  WaitForSingleObject(m_Thread, INFINITE);
  CloseEndedThread();
}

void CJpegWriter::CloseEndedThread() {
  CloseHandle(m_Thread);
  m_Thread = nullptr;
}

DWORD WINAPI CJpegWriter::ThreadMain(LPVOID param) {
  const std::unique_ptr<Job> job(static_cast<Job*>(param));
  const int written = WriteJob(*job);
  if (job->notify != nullptr) PostMessageW(job->notify, job->message, static_cast<WPARAM>(written), 0);
  return static_cast<DWORD>(written);
}

int CJpegWriter::WriteJob(const Job& job) {
  ScratchFile scratch(job.path);
  if (!scratch.Made()) return 0;
  int result = kJpegFailed;
  if (std::FILE* file = _wfopen(scratch.Path(), L"wb"); file != nullptr) {
    result = CompressJpeg(file, job.info.data(), job.info.size(), job.bits.data(), job.bits.size(), job.quality);
    if (std::fclose(file) != 0) result = kJpegFailed;
  }
  return result == kJpegWritten && scratch.Commit() ? 1 : 0;
}

}  // namespace tarn

#include "TreeListFile.h"

#include <windows.h>

#include "base/AppGlobals.h"
#include "base/FileUtil.h"
#include "base/Prompt.h"
#include "base/RecordBuffer.h"
#include "base/Settings.h"
#include "base/TextUtil.h"
#include "base/WinText.h"
#include "common/Handles.h"

namespace tarn {
namespace {

constexpr UINT kTreeListCodePage = 932;
// Lines of at most a 255-character path in a tree of at most 30001 items.
constexpr DWORD kTreeListBytesMax = 30001u * 520u;

bool ToCodePage(const std::u16string& text, std::string& bytes) {
  const wchar_t* w = reinterpret_cast<const wchar_t*>(text.data());
  BOOL lost = FALSE;
  const int n = WideCharToMultiByte(kTreeListCodePage, 0, w, static_cast<int>(text.size()), nullptr, 0, nullptr, &lost);
  if (n <= 0 || lost) return false;
  bytes.resize(static_cast<std::size_t>(n));
  WideCharToMultiByte(kTreeListCodePage, 0, w, static_cast<int>(text.size()), bytes.data(), n, nullptr, nullptr);
  return true;
}

}  // namespace

std::u16string TreeListPath(int number) { return g_StartFolder + u"TreeList" + DecimalText(number) + u".txt"; }

bool SaveTreeListFile(int number, const std::vector<TreeListItem>& items, int itemCount) {
  std::string bytes;
  if (!ToCodePage(WriteTreeList(items, itemCount), bytes)) {
    DeleteTreeListFile(number);
    return false;
  }
  const std::u16string path = TreeListPath(number);
  ClearReadOnly(path);
  const FileHandle file(CreateFileW(AsWide(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  if (!file.IsOpen() || !WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
      written != bytes.size()) {
    Say(path + u" をオープンできません");
    return false;
  }
  return true;
}

bool LoadTreeListText(int number, std::u16string& text) {
  const FileHandle file(CreateFileW(AsWide(TreeListPath(number)), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!file.IsOpen()) return false;
  LARGE_INTEGER length{};
  if (!GetFileSizeEx(file.Get(), &length) || length.QuadPart > kTreeListBytesMax) return false;
  std::string bytes(static_cast<std::size_t>(length.QuadPart), '\0');
  DWORD got = 0;
  if (!bytes.empty() && (!ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) || got != bytes.size()))
    return false;
  return MultiByteToWide(bytes, bytes.size(), &text);
}

bool DeleteTreeListFile(int number) {
  const std::u16string path = TreeListPath(number);
  if (GetFileAttributesW(AsWide(path)) == INVALID_FILE_ATTRIBUTES) return true;
  ClearReadOnly(path);
  return WipeDelete(path, RecordLengthOf(g_CatalogSize)) == kWipeDeleted;
}

}  // namespace tarn

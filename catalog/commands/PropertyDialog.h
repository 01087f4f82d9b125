// CDialogProperty: one catalog entry's folder, name, size, picture size, times and attributes, and
// the change of its read-only, hidden and archive attributes.
#pragma once

#include <cstdint>
#include <string>

#include "framework/Dialog.h"

namespace tarn {

class CPictureWnd;

class CDialogProperty final : public CDialog {
 public:
  // The entry in folder row `folderNumber` at `folder` + `name`; `picture` measures a still image.
  CDialogProperty(CPictureWnd& picture, int folderNumber, std::u16string folder, std::u16string name);
  // PropertyStart: false when the file or its picture could not be read (the user was told).
  bool PropertyStart();

 protected:
  bool OnInitDialog() override;
  void OnOK() override;

 private:
  std::u16string Path() const { return m_Folder + m_Name; }
  void ShowAttributes(std::uint8_t attributes) const;

  CPictureWnd& m_Picture;
  int m_FolderNumber;
  std::u16string m_Folder, m_Name;
  int m_Width = 0, m_Height = 0;
};

}  // namespace tarn

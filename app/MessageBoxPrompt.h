// The program's prompt: a message box owned by the active window, captioned with the given
// caption or the application's title.
#pragma once

#include "base/Prompt.h"

namespace tarn {

class MessageBoxPrompt final : public Prompt {
 public:
  int Show(std::u16string_view text, std::u16string_view caption, Buttons buttons) override;
};

}  // namespace tarn

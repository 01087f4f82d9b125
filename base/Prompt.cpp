#include "Prompt.h"

#include "TextUtil.h"

namespace tarn {
namespace {

class SilentPrompt final : public Prompt {
 public:
  int Show(std::u16string_view, std::u16string_view, Buttons buttons) override {
    return buttons == Buttons::kYesNo || buttons == Buttons::kYesNoCancel ? kAnswerYes : kAnswerOk;
  }
};

class SilentProgress final : public ProgressWindow {
 public:
  void Open(std::u16string_view) override {}
  void SetText(std::u16string_view) override {}
  void SetPos(int) override {}
  bool Cancelled() override { return false; }
  void Close() override {}
};

SilentPrompt g_silentPrompt;
SilentProgress g_silentProgress;
Prompt* g_prompt = &g_silentPrompt;
ProgressWindow* g_progress = &g_silentProgress;

}  // namespace

Prompt& ThePrompt() { return *g_prompt; }
ProgressWindow& TheProgress() { return *g_progress; }
void InstallPrompt(Prompt* prompt) { g_prompt = prompt != nullptr ? prompt : &g_silentPrompt; }
void InstallProgress(ProgressWindow* progress) {
  g_progress = progress != nullptr ? progress : &g_silentProgress;
}

ProgressScope::ProgressScope(std::u16string_view text) { g_progress->Open(text); }
ProgressScope::~ProgressScope() { g_progress->Close(); }

int Say(std::u16string_view text, std::u16string_view caption, Buttons buttons) {
  return g_prompt->Show(text, caption, buttons);
}

std::u16string SwitchMessage(std::u16string_view handler, long long value) {
  return std::u16string(handler) + u" Switch = " + DecimalText(value);
}

}  // namespace tarn

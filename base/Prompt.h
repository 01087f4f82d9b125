// The one road by which the program asks or tells the user something: a message box with text,
// caption and buttons. The program shows it with MessageBoxW; tests answer from a script.
#pragma once

#include <string>
#include <string_view>

namespace tarn {

enum class Buttons { kOk, kOkCancel, kYesNo, kYesNoCancel };

// Answers, numbered as the Windows dialog results so that callers read like the platform.
enum PromptAnswer : int { kAnswerOk = 1, kAnswerCancel = 2, kAnswerYes = 6, kAnswerNo = 7 };

class Prompt {
 public:
  virtual ~Prompt() = default;
  // An empty caption means the application's own title.
  virtual int Show(std::u16string_view text, std::u16string_view caption, Buttons buttons) = 0;
};

// The long-operation window: a bar from 0 to 100, one line of text and Cancel.
class ProgressWindow {
 public:
  virtual ~ProgressWindow() = default;
  virtual void Open(std::u16string_view text) = 0;
  virtual void SetText(std::u16string_view text) = 0;
  // Moves the bar and lets pending window messages through, so Cancel and repainting work.
  virtual void SetPos(int pos) = 0;
  virtual bool Cancelled() = 0;
  virtual void Close() = 0;
};

// The progress window held open for one block: opened with its text, closed on every way out.
class ProgressScope {
 public:
  explicit ProgressScope(std::u16string_view text);
  ~ProgressScope();
  ProgressScope(const ProgressScope&) = delete;
  ProgressScope& operator=(const ProgressScope&) = delete;
};

// The program's prompt and progress window. Until the application installs its own, messages go
// nowhere and every question is answered with its first button.
Prompt& ThePrompt();
ProgressWindow& TheProgress();
void InstallPrompt(Prompt* prompt);
void InstallProgress(ProgressWindow* progress);

// Shorthands for the common case.
int Say(std::u16string_view text, std::u16string_view caption = {}, Buttons buttons = Buttons::kOk);

// "Class::Handler Switch = value": the message for a value a switch does not know.
std::u16string SwitchMessage(std::u16string_view handler, long long value);

}  // namespace tarn

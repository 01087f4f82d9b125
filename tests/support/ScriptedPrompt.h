// A prompt that records every message and answers from a script, and a progress window that
// records what it was told.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "base/Prompt.h"

namespace tarn::test {

struct ShownMessage {
  std::u16string text;
  std::u16string caption;
  Buttons buttons;
};

class ScriptedPrompt : public Prompt {
 public:
  ScriptedPrompt() { InstallPrompt(this); }
  ~ScriptedPrompt() override { InstallPrompt(nullptr); }

  // Answers given in turn; when they run out, the first button (OK or Yes).
  std::deque<int> answers;
  std::vector<ShownMessage> shown;

  int Show(std::u16string_view text, std::u16string_view caption, Buttons buttons) override {
    shown.push_back({std::u16string(text), std::u16string(caption), buttons});
    if (!answers.empty()) {
      const int answer = answers.front();
      answers.pop_front();
      return answer;
    }
    return buttons == Buttons::kYesNo || buttons == Buttons::kYesNoCancel ? kAnswerYes : kAnswerOk;
  }
};

class RecordingProgressWindow : public ProgressWindow {
 public:
  RecordingProgressWindow() { InstallProgress(this); }
  ~RecordingProgressWindow() override { InstallProgress(nullptr); }

  int opened = 0, closed = 0, lastPos = -1;
  std::u16string text;
  bool cancelAnswer = false;

  void Open(std::u16string_view t) override {
    ++opened;
    text = t;
  }
  void SetText(std::u16string_view t) override { text = t; }
  void SetPos(int pos) override { lastPos = pos; }
  bool Cancelled() override { return cancelAnswer; }
  void Close() override { ++closed; }
};

// Records every position and text and answers Cancel at the given check.
class CancellingProgress : public RecordingProgressWindow {
 public:
  int checks = 0;
  int cancelAtCheck = -1;
  std::vector<std::u16string> opens;
  std::vector<int> positions;

  void Open(std::u16string_view t) override {
    RecordingProgressWindow::Open(t);
    opens.emplace_back(t);
  }
  void SetPos(int pos) override {
    RecordingProgressWindow::SetPos(pos);
    positions.push_back(pos);
  }
  bool Cancelled() override { return ++checks == cancelAtCheck; }
};

}  // namespace tarn::test

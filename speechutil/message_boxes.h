// The speech editor's message boxes behind one injectable interface, so
// that tests see what a teacher would be told (and answer questions)
// without a modal box stopping them.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/win/scripted_double.h"

class QWidget;

namespace orvilo::speechutil {

class MessageBoxes {
 public:
  enum class Icon { Information, Error };
  virtual ~MessageBoxes() = default;
  virtual void Show(QWidget* owner, const std::string& text, const std::string& caption, Icon icon) = 0;
  // A yes/no question; true for yes.
  virtual bool Ask(QWidget* owner, const std::string& text, const std::string& caption) = 0;

  static MessageBoxes& Current();
  // Installs `boxes` (not owned; null restores the toolkit's); returns the previous ones.
  static MessageBoxes* Install(MessageBoxes* boxes);
};

// Records what was shown; answers questions from a script (no once it has run out).
class RecordingMessageBoxes : public MessageBoxes {
 public:
  struct Shown {
    std::string text;
    std::string caption;
    Icon icon;
  };
  std::vector<Shown> shown;
  std::deque<bool> answers;
  std::vector<std::string> questions;

  void Show(QWidget*, const std::string& text, const std::string& caption, Icon icon) override {
    shown.push_back({text, caption, icon});
  }
  bool Ask(QWidget*, const std::string& text, const std::string&) override {
    questions.push_back(text);
    return win::TakeScriptedAnswer(answers);
  }
};

using ScopedRecordingMessageBoxes = win::ScopedInstall<RecordingMessageBoxes>;

}  // namespace orvilo::speechutil

// CVyr3SubLibraryWnd, the reading panel. What exists now: it keeps its
// text, background music, view and language. Speech, the voice-book list and
// its controls come with the reading work.
#pragma once

#include "core/camera_model.h"
#include "reading/reading_panel.h"

namespace orvilo::reading {

class CVyr3SubLibraryWnd : public ReadingPanel {
  Q_OBJECT
 public:
  explicit CVyr3SubLibraryWnd(core::CameraModel model, QWidget* parent = nullptr)
      : ReadingPanel(parent), model_(model) {}

  void SetText(const std::string& text) override;
  std::string Text() const override { return text_; }
  std::string BackgroundMusic() const override { return music_; }
  void SetBackgroundMusic(const std::string& path) override { music_ = path; }
  void RegisterUserDictionary(const std::string&) override {}
  ReadingView View() const override { return view_; }
  void ToggleView() override;
  void Refresh() override { update(); }
  int Language() const override { return language_; }
  void Reading(bool) override {}
  void PauseOrResume() override {}
  void Stop() override {}
  void ToggleRepeat() override { repeat_ = !repeat_; }
  void AddVoiceBook(const std::string&) override {}
  std::optional<std::string> PickBookToRead() override { return std::nullopt; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  core::CameraModel model_;
  std::string text_;
  std::string music_;
  ReadingView view_ = ReadingView::Text;
  int language_ = 0;
  bool repeat_ = false;
};

}  // namespace orvilo::reading

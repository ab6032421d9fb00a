// Reading mode: the picture with the reading panel at its right, the
// recognition of a marked region, learning files, the user dictionaries,
// background music, blinds and the speech control bar.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "shell/modes/mode.h"

namespace orvilo::imageview {
class ImageView;
}
namespace orvilo::reading {
class ReadingPanel;
}

namespace orvilo::shell {

class ReadingMode : public Mode {
 public:
  using Mode::Mode;

  ViewMode Kind() const override { return ViewMode::Reading; }
  // Reading stops; blinds, text and panel go.
  Handover Leave(ViewMode next, Entry entry) override;
  // The handed-over picture beside the panel, which opens on its text; the
  // speech control bar comes up.
  void Enter(Handover handover) override;
  void LayOut() override;
  void AfterResize() override;
  bool OnCommand(int id) override;
  // The panel's sizing reports and the speech control bar's commands.
  bool OnCommandWhileCurrent(int id) override;

  // Pointer activity over the picture (message 1278): 1 hides the speech
  // control bar at once, 0 shows it.
  void OnPointerActivity(std::uintptr_t hide);
  // The panel's language changed (message 1832): 0 Korean, 1 English; its
  // user dictionary is registered.
  void OnLanguageChanged(std::uintptr_t language);

  // The reading panel was made: the Korean user dictionary is registered,
  // and its voice-book list loads books and asks for new names through
  // this mode.
  void AttachPanel();

  // Loads a learning file: the blinds go first (and with them the
  // selection), then, when the file is one, its selection, blinds, text,
  // background music (kept when the file names none) and picture. False when
  // the file could not be read or is not a learning file; the panel says so.
  bool LoadLearningFile(const std::string& path);

 private:
  void PlacePanelAndImage(bool entering);
  void Recognise(imageview::ImageView& image, reading::ReadingPanel& panel);
  void EditUserDictionary();
  // The page and its recognised text out: a PDF, the clipboard or a
  // UTF-8 text file, chosen from a list under the bar button.
  void Export();
  bool ExportPdf(const std::string& path);
  // Writes the page as it stands to a file the teacher names and lists it
  // as a voice book; a file that cannot be written is said and not listed.
  void SaveLearningFile();
  std::optional<std::string> AskVoiceBookName(const std::string& name);
};

}  // namespace orvilo::shell

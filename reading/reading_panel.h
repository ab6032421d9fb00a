// The reading panel as the main window sees it: the recognised text, the
// voice books, reading aloud. CVyr3SubLibraryWnd is the real window.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "platform/gdi/packed_dib.h"
#include "platform/gdi/rect.h"
#include "platform/win/window.h"
#include "reading/selection_mapping.h"

namespace orvilo::reading {

enum class ReadingView { Text = 0, List = 1, TextCollapsed = 2, ListCollapsed = 3 };

constexpr bool IsListView(ReadingView view) { return view == ReadingView::List || view == ReadingView::ListCollapsed; }
constexpr bool IsCollapsed(ReadingView view) { return view == ReadingView::TextCollapsed || view == ReadingView::ListCollapsed; }

inline constexpr int kReadingPanelWidth = 230;
inline constexpr int kCollapsedReadingPanelWidth = 5;

class ReadingPanel : public win::Window {
  Q_OBJECT
 public:
  using win::Window::Window;

  virtual void SetText(const std::string& text) = 0;
  virtual std::string Text() const = 0;
  virtual std::string BackgroundMusic() const = 0;
  virtual void SetBackgroundMusic(const std::string& path) = 0;
  virtual void RegisterUserDictionary(const std::string& path) = 0;
  virtual ReadingView View() const = 0;
  virtual void ToggleView() = 0;
  virtual void Refresh() = 0;
  virtual int Language() const = 0;  // 0 Korean, 1 English

  // In a list view a new reading first loads the checked book to read
  // (through the voice-book services) and, at the end of each book, the
  // next one.
  virtual void Reading(bool repeatRun) = 0;
  virtual void PauseOrResume() = 0;
  virtual void Stop() = 0;
  virtual void ToggleRepeat() = 0;
  // The next / previous keys (direction +1 / -1): the next or previous
  // sentence while reading the text; in a list view the next or previous
  // voice book.
  virtual void StepItem(int direction) = 0;

  // Voice books: adds a learning file to the list (nothing when there is no
  // such file).
  virtual void AddVoiceBook(const std::string& path) = 0;
  // What the voice-book list needs from the main window: loading a learning
  // file into the image view and the panel (false when it could not be
  // read, nothing changed then), and asking the teacher for a book's new
  // name (empty when cancelled). Reading in a list view plays the checked
  // books through `loadBook`.
  struct VoiceBookServices {
    std::function<bool(const std::string& path)> loadBook;
    std::function<std::optional<std::string>(const std::string& name)> askNewName;
  };
  virtual void SetVoiceBookServices(VoiceBookServices services) = 0;
  // A file of the teacher's could not be written or read: the panel says so.
  enum class FileProblem { LearningFileNotSaved, LearningFileCannotOpen, NotLearningFile, DictionaryNotSaved };
  virtual void TellFileProblem(FileProblem problem) = 0;

  // Recognition. InitRecognition makes the OCR module ready, once, at
  // start-up; true when recognition is available. Recognise reads the text
  // of the marked region of `picture` (the image view's displayed picture,
  // laid out as `geometry` says) without holding up the window, and the
  // text then replaces the panel's; it returns the selection the image view
  // keeps (clamped to the displayed page).
  virtual bool InitRecognition() = 0;
  virtual gdi::Rect Recognise(const gdi::PackedDib& picture, const PageGeometry& geometry) = 0;
};

}  // namespace orvilo::reading

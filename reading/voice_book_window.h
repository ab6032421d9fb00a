// CVyrSkinList: the voice-book list of the reading panel's list views. It
// draws a VoiceBookList in rows of 26 pixels (check box, name) with a
// vertical scroll bar, and turns the mouse into checking, selecting and
// dragging rows into a new order. The list is read from section "VOICEBOOK"
// of the settings file when the window is made and written back when it is
// destroyed.
#pragma once

#include <QFont>
#include <QImage>
#include <string>

#include "platform/win/window.h"
#include "reading/voice_book_list.h"

class QScrollBar;

namespace orvilo::reading {

class CVyrSkinList : public win::Window {
  Q_OBJECT
 public:
  static constexpr int kRowHeight = 26;

  // `settingsPath` is the program's settings file; empty keeps nothing.
  explicit CVyrSkinList(std::string settingsPath);
  ~CVyrSkinList() override;

  VoiceBookList& List() { return list_; }
  const VoiceBookList& List() const { return list_; }

  // Adds an existing learning file at the end; false when there is none.
  bool Add(const std::string& path);
  // The list changed from outside (removal, rename, reading order): the
  // scroll range and picture follow.
  void Refresh();

  int ContentHeight() const;
  int ScrollPosition() const { return scrollPosition_; }
  void SetScrollPosition(int position);
  // Scrolls the least that brings the whole of `row` into view.
  void ShowRow(int row);
  bool IsDragging() const { return dragging_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  int ClientWidth() const;
  void UpdateScrollRange();

  std::string settingsPath_;
  VoiceBookList list_;
  QScrollBar* scrollBar_ = nullptr;
  QImage checkBoxes_;
  QFont font_;
  int scrollPosition_ = 0;
  bool dragging_ = false;
};

}  // namespace orvilo::reading

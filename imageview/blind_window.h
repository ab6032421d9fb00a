// CBlindWnd: a curtain over part of the picture, a child window of the image
// view. Dragged by its interior, sized by its 3-pixel border (never below
// 19 x 19); its close button asks the owner, by message 1831 with the blind
// as wParam, to close it. Blinds are windows above the picture: saved
// pictures do not contain them and zoom does not move them.
#pragma once

#include <QImage>

#include "platform/win/window.h"

namespace orvilo::ui {
class CSkinButton;
}

namespace orvilo::imageview {

class CBlindWnd : public win::Window {
  Q_OBJECT
 public:
  explicit CBlindWnd(win::Window* owner, QWidget* parent = nullptr);
  ~CBlindWnd() override;

  win::HitTest HitTestAt(const QPoint& point) const override;
  ui::CSkinButton* CloseButton() const { return close_; }
  // The texture part drawn inside the border (a test looks at it).
  QRect TextureSource() const;

 protected:
  bool OnCreate() override;
  bool OnCommand(int commandId) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  win::Window* owner_;
  QImage texture_;
  ui::CSkinButton* close_ = nullptr;  // a child: Qt deletes it with the blind
};

}  // namespace orvilo::imageview

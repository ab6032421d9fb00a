// CVyr3TabWnd, the mode tabs: one tab per mode of the camera's feature
// variant (the movie tab last); a click on a tab other than the selected one
// selects it and posts 1134 + mode to the main window. It is drawn from
// pictures of its language: the whole strip as it looks with the selected
// tab, a lighter label over a hovered tab and a highlighted label over the
// selected tab while hovered. Without its pictures it draws nothing.
#pragma once

#include <QImage>
#include <vector>

#include "shell/tab_strip.h"

namespace orvilo::shell {

class CVyr3TabWnd : public TabStrip {
  Q_OBJECT
 public:
  CVyr3TabWnd(int featureVariant, bool korean, QWidget* parent = nullptr);

  void SelectTabOf(ViewMode mode) override;
  ViewMode SelectedMode() const override;
  int SelectedTab() const { return selected_; }
  // The tab under a point of the strip, or -1.
  int TabAt(const QPoint& point) const;
  int HoverTab() const { return hover_; }

 protected:
  bool OnCreate() override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  QImage Picture(int id) const;

  std::vector<ViewMode> modes_;
  int featureVariant_;
  bool korean_;
  int selected_ = 0;
  int hover_ = -1;
};

}  // namespace orvilo::shell

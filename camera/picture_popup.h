// CVyrPictureWnd: the picture-controls popup inside the camera view, a small
// dark strip like the focus popup with one row per control the camera has:
// brightness and contrast sliders, exposure and white balance each with an
// "Auto" box and a slider (greyed while automatic), and the power-line
// frequency as choices. Created hidden by the camera view, which fills,
// places and shows it.
#pragma once

#include <QImage>
#include <functional>
#include <optional>
#include <vector>

#include "camera/picture_controls.h"
#include "platform/win/window.h"

namespace orvilo::camera {

class CVyrPictureWnd : public win::Window {
  Q_OBJECT
 public:
  static constexpr int kWidth = 360;
  static constexpr int kRowHeight = 30;
  static constexpr int kMargin = 6;

  explicit CVyrPictureWnd(QWidget* parent = nullptr);

  // Where a change goes: the control, its value, and whether it is final
  // (a release or a click; a drag sends non-final values first).
  using Setter = std::function<void(PictureControl, std::int32_t, bool final)>;
  void SetSetter(Setter setter) { set_ = std::move(setter); }

  // The camera's controls as read; the popup resizes to its rows (no rows:
  // height 0).
  void SetControls(const std::vector<PictureControlState>& states);
  int RowCount() const { return static_cast<int>(rows_.size()); }
  // The row showing `control` (its switch or its value), or -1.
  int RowOf(PictureControl control) const;
  std::optional<std::int32_t> ValueOf(PictureControl control) const;

  // Where things are, for the mouse and for tests (window coordinates).
  QRect TrackRect(int row) const;
  QRect AutoBoxRect(int row) const;
  QRect ChoiceRect(int row, int choice) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  struct Row {
    std::optional<PictureControlState> automatic;  // the row's "Auto" box
    std::optional<PictureControlState> value;      // its slider or choices
  };
  static QString LabelOf(const Row& row);
  bool SliderLocked(const Row& row) const;
  std::int32_t ValueAt(const PictureControlState& state, int x, int row) const;
  void Send(PictureControlState& state, std::int32_t value, bool final);

  std::vector<Row> rows_;
  Setter set_;
  int dragRow_ = -1;
  QImage checkBox_;
};

}  // namespace orvilo::camera

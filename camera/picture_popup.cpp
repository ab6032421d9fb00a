#include "camera/picture_popup.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "ui/skin/skin_ids.h"
#include "ui/skin_resources.h"

namespace orvilo::camera {
namespace {

const QColor kFace(57, 57, 57);
const QColor kEdge(36, 36, 36);
const QColor kAccent(30, 136, 229);
const QColor kTrack(110, 110, 110);
const QColor kText(235, 235, 235);
const QColor kDimmed(130, 130, 130);

constexpr int kLabelLeft = 10;
constexpr int kAutoLeft = 112;
constexpr int kTrackLeft = 168;
constexpr int kTrackWidth = 140;
constexpr int kValueLeft = 314;

const char* const kPowerLineNames[] = {"Off", "50 Hz", "60 Hz", "Auto"};

}  // namespace

CVyrPictureWnd::CVyrPictureWnd(QWidget* parent) : win::Window(parent) {
  checkBox_ = ui::LoadSkinBitmap(skin::kCheckBox);
  resize(kWidth, 0);
}

void CVyrPictureWnd::SetControls(const std::vector<PictureControlState>& states) {
  rows_.clear();
  const auto find = [&](PictureControl control) -> std::optional<PictureControlState> {
    for (const auto& state : states) {
      if (state.control == control) return state;
    }
    return std::nullopt;
  };
  for (PictureControl control : {PictureControl::Brightness, PictureControl::Contrast}) {
    if (auto state = find(control)) rows_.push_back({std::nullopt, state});
  }
  for (auto [automatic, manual] : {std::pair{PictureControl::AutoExposure, PictureControl::Exposure},
                                   std::pair{PictureControl::AutoWhiteBalance, PictureControl::WhiteBalance}}) {
    Row row{find(automatic), find(manual)};
    if (row.automatic || row.value) rows_.push_back(row);
  }
  if (auto state = find(PictureControl::PowerLine)) rows_.push_back({std::nullopt, state});
  dragRow_ = -1;
  resize(kWidth, rows_.empty() ? 0 : 2 * kMargin + kRowHeight * RowCount());
  update();
}

int CVyrPictureWnd::RowOf(PictureControl control) const {
  for (int i = 0; i < RowCount(); ++i) {
    const Row& row = rows_[i];
    if ((row.automatic && row.automatic->control == control) || (row.value && row.value->control == control)) return i;
  }
  return -1;
}

std::optional<std::int32_t> CVyrPictureWnd::ValueOf(PictureControl control) const {
  const int index = RowOf(control);
  if (index < 0) return std::nullopt;
  const Row& row = rows_[index];
  if (row.automatic && row.automatic->control == control) return row.automatic->value;
  return row.value->value;
}

QRect CVyrPictureWnd::TrackRect(int row) const {
  return QRect(kTrackLeft, kMargin + row * kRowHeight + 9, kTrackWidth, 12);
}

QRect CVyrPictureWnd::AutoBoxRect(int row) const {
  return QRect(kAutoLeft, kMargin + row * kRowHeight + 6, 52, 18);
}

QRect CVyrPictureWnd::ChoiceRect(int row, int choice) const {
  return QRect(kAutoLeft + choice * 60, kMargin + row * kRowHeight + 4, 56, 22);
}

QString CVyrPictureWnd::LabelOf(const Row& row) {
  const PictureControl control = row.value ? row.value->control : row.automatic->control;
  switch (control) {
    case PictureControl::Brightness: return QStringLiteral("Brightness");
    case PictureControl::Contrast: return QStringLiteral("Contrast");
    case PictureControl::AutoExposure:
    case PictureControl::Exposure: return QStringLiteral("Exposure");
    case PictureControl::AutoWhiteBalance:
    case PictureControl::WhiteBalance: return QStringLiteral("White balance");
    case PictureControl::PowerLine: break;
  }
  return QStringLiteral("Power line");
}

bool CVyrPictureWnd::SliderLocked(const Row& row) const { return row.automatic && row.automatic->value != 0; }

std::int32_t CVyrPictureWnd::ValueAt(const PictureControlState& state, int x, int row) const {
  const QRect track = TrackRect(row);
  const double fraction = std::clamp(static_cast<double>(x - track.left()) / track.width(), 0.0, 1.0);
  const double span = static_cast<double>(state.maximum) - state.minimum;
  std::int32_t value = state.minimum + static_cast<std::int32_t>(fraction * span + 0.5);
  if (state.step > 1) value = state.minimum + (value - state.minimum) / state.step * state.step;
  return std::clamp(value, state.minimum, state.maximum);
}

void CVyrPictureWnd::Send(PictureControlState& state, std::int32_t value, bool final) {
  const bool changed = value != state.value;
  state.value = value;
  update();
  if ((changed || final) && set_) set_(state.control, value, final);
}

void CVyrPictureWnd::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  for (int index = 0; index < RowCount(); ++index) {
    Row& row = rows_[index];
    if (row.automatic && AutoBoxRect(index).contains(at)) {
      Send(*row.automatic, row.automatic->value != 0 ? 0 : 1, true);
      return;
    }
    if (!row.value) continue;
    if (row.value->control == PictureControl::PowerLine) {
      for (std::int32_t choice = row.value->minimum; choice <= std::min(row.value->maximum, 3); ++choice) {
        if (ChoiceRect(index, choice - row.value->minimum).contains(at)) {
          Send(*row.value, choice, true);
          return;
        }
      }
      continue;
    }
    if (!SliderLocked(row) && TrackRect(index).adjusted(-6, -6, 6, 6).contains(at)) {
      dragRow_ = index;
      Send(*row.value, ValueAt(*row.value, at.x(), index), false);
      return;
    }
  }
}

void CVyrPictureWnd::mouseMoveEvent(QMouseEvent* event) {
  if (dragRow_ < 0 || dragRow_ >= RowCount()) return;
  Row& row = rows_[dragRow_];
  Send(*row.value, ValueAt(*row.value, event->position().toPoint().x(), dragRow_), false);
}

void CVyrPictureWnd::mouseReleaseEvent(QMouseEvent* event) {
  if (dragRow_ < 0 || dragRow_ >= RowCount()) return;
  const int index = dragRow_;
  dragRow_ = -1;
  Row& row = rows_[index];
  Send(*row.value, ValueAt(*row.value, event->position().toPoint().x(), index), true);
}

void CVyrPictureWnd::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), kFace);
  painter.setPen(kEdge);
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(12);
  painter.setFont(font);
  painter.setRenderHint(QPainter::Antialiasing);
  for (int index = 0; index < RowCount(); ++index) {
    const Row& row = rows_[index];
    const int top = kMargin + index * kRowHeight;
    painter.setPen(kText);
    painter.drawText(QRect(kLabelLeft, top, kAutoLeft - kLabelLeft, kRowHeight), Qt::AlignVCenter | Qt::AlignLeft,
                     LabelOf(row));
    if (row.automatic) {
      const QRect box = AutoBoxRect(index);
      const int cell = row.automatic->value != 0 ? 0 : 18;
      if (!checkBox_.isNull()) painter.drawImage(QPoint(box.left(), box.top()), checkBox_, QRect(cell, 0, 18, 18));
      painter.setPen(kText);
      painter.drawText(box.adjusted(22, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("Auto"));
    }
    if (!row.value) continue;
    const PictureControlState& state = *row.value;
    if (state.control == PictureControl::PowerLine) {
      for (std::int32_t choice = state.minimum; choice <= std::min(state.maximum, 3); ++choice) {
        const QRect place = ChoiceRect(index, choice - state.minimum);
        const bool chosen = choice == state.value;
        painter.setPen(Qt::NoPen);
        painter.setBrush(chosen ? kAccent : QColor(80, 80, 80));
        painter.drawRoundedRect(place, 4, 4);
        painter.setPen(kText);
        painter.drawText(place, Qt::AlignCenter, QString::fromLatin1(kPowerLineNames[std::clamp(choice, 0, 3)]));
      }
      continue;
    }
    const bool locked = SliderLocked(row);
    const QRect track = TrackRect(index);
    const double span = std::max(1.0, static_cast<double>(state.maximum) - state.minimum);
    const int knob = track.left() + static_cast<int>((state.value - state.minimum) / span * track.width());
    painter.setPen(Qt::NoPen);
    painter.setBrush(kTrack);
    painter.drawRoundedRect(QRect(track.left(), track.center().y() - 2, track.width(), 4), 2, 2);
    painter.setBrush(locked ? kDimmed : kAccent);
    painter.drawRoundedRect(QRect(track.left(), track.center().y() - 2, knob - track.left(), 4), 2, 2);
    painter.setBrush(locked ? kDimmed : QColor(230, 230, 230));
    painter.drawRoundedRect(QRect(knob - 4, track.top(), 8, track.height()), 3, 3);
    painter.setPen(locked ? kDimmed : kText);
    painter.drawText(QRect(kValueLeft, top, kWidth - kValueLeft - 6, kRowHeight), Qt::AlignVCenter | Qt::AlignRight,
                     QString::number(state.value));
  }
}

}  // namespace orvilo::camera

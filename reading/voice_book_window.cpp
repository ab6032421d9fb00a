#include "reading/voice_book_window.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

#include "platform/gdi/key_colour.h"
#include "platform/profile/profile_file.h"
#include "ui/skin/skin_ids.h"
#include "ui/skin_resources.h"

namespace orvilo::reading {
namespace {

constexpr QColor kSelectedRow(184, 222, 246);
constexpr QColor kOddRow(233, 233, 233);
constexpr QColor kEvenRow(255, 255, 255);
constexpr int kCheckBoxSize = 18;
constexpr QPoint kCheckBoxOffset(8, 4);

}  // namespace

CVyrSkinList::CVyrSkinList(std::string settingsPath) : settingsPath_(std::move(settingsPath)) {
  font_ = QFont("Arial");
  font_.setPixelSize(12);
  font_.setWeight(QFont::Normal);
  checkBoxes_ = gdi::KeyColourToTransparent(ui::LoadSkinBitmap(skin::kCheckBox));
  scrollBar_ = new QScrollBar(Qt::Vertical, this);
  scrollBar_->setSingleStep(kRowHeight);
  connect(scrollBar_, &QScrollBar::valueChanged, this, [this](int value) { SetScrollPosition(value); });
  if (!settingsPath_.empty()) list_.ReadSection(profile::ProfileFile::Load(settingsPath_));
  UpdateScrollRange();
}

CVyrSkinList::~CVyrSkinList() {
  if (settingsPath_.empty()) return;
  profile::ProfileFile settings = profile::ProfileFile::Load(settingsPath_);
  list_.WriteSection(settings);
  settings.Save();
}

bool CVyrSkinList::Add(const std::string& path) {
  if (!list_.Add(path)) return false;
  Refresh();
  return true;
}

void CVyrSkinList::Refresh() {
  UpdateScrollRange();
  update();
}

int CVyrSkinList::ClientWidth() const { return std::max(0, width() - scrollBar_->sizeHint().width()); }

int CVyrSkinList::ContentHeight() const { return std::max(kRowHeight * list_.Count(), height()); }

void CVyrSkinList::UpdateScrollRange() {
  const int page = std::max(1, height());
  scrollBar_->setGeometry(ClientWidth(), 0, width() - ClientWidth(), height());
  scrollBar_->setPageStep(page);
  // Range 0 … contentHeight with a page of the client height: the top row
  // shown stops where the last page starts.
  scrollBar_->setRange(0, std::max(0, ContentHeight() - page + 1));
  SetScrollPosition(scrollPosition_);
}

void CVyrSkinList::SetScrollPosition(int position) {
  const int clamped = std::clamp(position, 0, std::max(0, ContentHeight() - std::max(1, height()) + 1));
  if (scrollBar_->value() != clamped) scrollBar_->setValue(clamped);
  if (clamped == scrollPosition_) return;
  scrollPosition_ = clamped;
  update();
}

void CVyrSkinList::ShowRow(int row) {
  if (row < 0 || row >= list_.Count()) return;
  const int top = kRowHeight * row;
  if (top < scrollPosition_) {
    SetScrollPosition(top);
  } else if (top + kRowHeight > scrollPosition_ + height()) {
    SetScrollPosition(top + kRowHeight - height());
  }
}

void CVyrSkinList::paintEvent(QPaintEvent*) {
  const int width = ClientWidth();
  QPainter painter(this);
  painter.setClipRect(0, 0, width, height());
  painter.fillRect(0, 0, width, height(), list_.Count() % 2 == 1 ? kOddRow : kEvenRow);
  painter.translate(0, -scrollPosition_);
  painter.setFont(font_);
  const auto& items = list_.Items();
  const int first = std::max(0, scrollPosition_ / kRowHeight);
  const int last = std::min(list_.Count() - 1, (scrollPosition_ + height()) / kRowHeight);
  for (int row = first; row <= last; ++row) {
    const int top = kRowHeight * row;
    const QColor fill = row == list_.Selected() ? kSelectedRow : (row % 2 == 1 ? kOddRow : kEvenRow);
    painter.fillRect(0, top, width, kRowHeight, fill);
    const int cell = items[row].checked ? 0 : kCheckBoxSize;
    painter.drawImage(QPoint(kCheckBoxOffset.x(), top + kCheckBoxOffset.y()), checkBoxes_,
                      QRect(cell, 0, kCheckBoxSize, kCheckBoxSize));
    painter.setPen(Qt::black);
    painter.drawText(QRect(32, top, std::max(0, width - 16 - 32), kRowHeight), Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
                     QString::fromStdString(items[row].name));
  }
}

void CVyrSkinList::resizeEvent(QResizeEvent* event) {
  win::Window::resizeEvent(event);
  UpdateScrollRange();
}

void CVyrSkinList::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return win::Window::mousePressEvent(event);
  const QPoint at = event->position().toPoint();
  const int content = at.y() + scrollPosition_;
  const int row = content / kRowHeight;
  if (at.x() >= ClientWidth() || content < 0 || row >= list_.Count()) return;
  const QRect checkBox(kCheckBoxOffset.x(), kRowHeight * row + kCheckBoxOffset.y(), kCheckBoxSize, kCheckBoxSize);
  if (checkBox.contains(at.x(), content)) list_.ToggleChecked(row);
  list_.Select(row);
  dragging_ = true;
  SetCapture();
  update();
}

void CVyrSkinList::mouseMoveEvent(QMouseEvent* event) {
  setCursor(dragging_ ? ui::LoadCursorResource(skin::kDragCursor) : QCursor(Qt::ArrowCursor));
  win::Window::mouseMoveEvent(event);
}

void CVyrSkinList::mouseReleaseEvent(QMouseEvent* event) {
  if (!dragging_ || event->button() != Qt::LeftButton) return win::Window::mouseReleaseEvent(event);
  ReleaseCapture();
  dragging_ = false;
  setCursor(Qt::ArrowCursor);
  const QPoint at = event->position().toPoint();
  if (!QRect(0, 0, ClientWidth(), height()).contains(at)) return;
  const int target = std::clamp((at.y() + scrollPosition_) / kRowHeight, 0, std::max(0, list_.Count() - 1));
  if (target != list_.Selected() && list_.Move(list_.Selected(), target)) update();
}

void CVyrSkinList::wheelEvent(QWheelEvent* event) {
  SetScrollPosition(scrollPosition_ - event->angleDelta().y() / 120 * kRowHeight);
}

}  // namespace orvilo::reading

#include "shell/tools_window.h"

#include <QPainter>

#include "core/command_ids.h"
#include "core/settings/settings_store.h"
#include "platform/sys/program_folder.h"
#include "platform/sys/ui_language.h"
#include "platform/win/geometry.h"
#include "shell/frame_geometry.h"
#include "ui/picker_popup.h"
#include "ui/skin/skin_ids.h"
#include "ui/skin_button.h"
#include "ui/skin_resources.h"

namespace orvilo::shell {

namespace {

struct ToolText {
  int id;
  const char* korean;
  const char* english;
};

constexpr ToolText kToolTexts[] = {
    {1525, "음화 / 양화", "Negative / Positive"}, {1526, "흑백 / 컬러", "B&W / Color"},
    {1527, "좌우 반전", "Mirror"},                {1528, "상하 반전", "Flip"},
    {1529, "이미지 회전", "Rotate"},              {1530, "화면 분할", "Split Screen"},
    {1531, "Picture In Picture", "Picture In Picture"},
    {1534, "펜", "Pen"},                          {1535, "형광펜", "Highlighter"},
    {1536, "색상", "Color"},                      {1537, "굵기", "Pen Type"},
    {1538, "지우개", "ERASER"},                   {1539, "모두 지우기", "ERASE ALL"},
    {1540, "도형", "Shapes"},                     {1541, "칠판", "Board"},
    {1542, "음화 / 양화", "Negative / Positive"}, {1543, "흑백 / 컬러", "B&W / Color"},
    {1544, "좌우 반전", "Mirror"},                {1545, "상하 반전", "Flip"},
    {1546, "이미지 회전", "Rotate"},
};

bool IsPickerTool(int id) {
  return id == command::kColour || id == command::kPenType || id == command::kShapes || id == command::kBoard;
}

}  // namespace

std::string ToolTipOf(int commandId, bool korean) {
  for (const ToolText& t : kToolTexts) {
    if (t.id == commandId) return korean ? t.korean : t.english;
  }
  return {};
}

gdi::Rect PaletteWhileDragged(const gdi::Rect& proposed, gdi::Size client, ToolSet set) {
  const int height = PaletteHeight(set);
  gdi::Rect r = proposed;
  if (r.left <= 7) {
    r.left = 8;
    r.right = 8 + kPaletteWidth;
  }
  if (r.right >= client.width - 7) {
    r.left = client.width - 8 - kPaletteWidth;
    r.right = client.width - 8;
  }
  if (r.top <= 85) {
    r.top = 86;
    r.bottom = 86 + height;
  }
  if (r.bottom >= client.height - 8) {
    r.bottom = client.height - 9;
    r.top = client.height - 9 - height;
  }
  return r;
}

gdi::Rect PaletteAfterDrag(const gdi::Rect& palette, gdi::Size client, ToolSet set) {
  if (palette.left < 5 || palette.top < 83 || palette.right > client.width - 5 || palette.bottom > client.height - 5) {
    return gdi::Rect::FromPositionAndSize(kPalettePlace.x, kPalettePlace.y, kPaletteWidth, PaletteHeight(set));
  }
  return palette;
}

CVyr3ToolsWnd::CVyr3ToolsWnd(std::optional<bool> korean, QWidget* parent) : ToolsPalette(parent), korean_(korean) {}

CVyr3ToolsWnd::~CVyr3ToolsWnd() = default;

bool CVyr3ToolsWnd::OnCreate() {
  if (!korean_) korean_ = core::SettingsStore(sys::ProgramFolder(), sys::SystemUiLanguage()).IsKoreanComponentLanguage();
  const bool korean = *korean_;
  grips_ = {ui::LoadSkinBitmap(skin::kPaletteTopGrip), ui::LoadSkinBitmap(skin::kPaletteVerticalFill),
            ui::LoadSkinBitmap(skin::kPaletteLeftGrip), ui::LoadSkinBitmap(skin::kPaletteHorizontalFill)};
  const auto make = [this, korean](int id, int index, bool shown) -> ui::CSkinButton* {
    auto* button = new ui::CSkinButton(this);
    if (!button->Create(id, this, skin::PaletteToolButton(id), 0, kPaletteGrip + 28 * index, korean)) {
      delete button;
      return nullptr;
    }
    button->SetToolTip(ToolTipOf(id, korean));
    button->setVisible(shown);
    return button;
  };
  for (int id = command::kCameraNegative; id <= command::kPictureInPicture; ++id) {
    if (auto* b = make(id, id - command::kCameraNegative, true)) cameraButtons_.push_back(b);
  }
  for (int id = command::kFirstImageTool; id <= command::kImageRotate; ++id) {
    if (auto* b = make(id, id - command::kFirstImageTool, false)) imageButtons_.push_back(b);
  }
  setGeometry(kPalettePlace.x, kPalettePlace.y, kPaletteWidth, PaletteHeight(ToolSet::Camera));
  raise();
  return true;
}

ui::CSkinButton* CVyr3ToolsWnd::Button(int commandId) const {
  for (const auto* list : {&cameraButtons_, &imageButtons_}) {
    for (ui::CSkinButton* b : *list) {
      if (b->CommandId() == commandId) return b;
    }
  }
  return nullptr;
}

void CVyr3ToolsWnd::SetToolSet(ToolSet set) {
  if (set == set_) return;
  set_ = set;
  resize(kPaletteWidth, PaletteHeight(set));
  LayOutButtons();
}

void CVyr3ToolsWnd::LayOutButtons() {
  const bool camera = set_ == ToolSet::Camera;
  const std::size_t imageTools = set_ == ToolSet::Image ? imageButtons_.size()
                                 : camera             ? 0
                                                      : static_cast<std::size_t>(kLiveDrawingToolCount);
  for (std::size_t i = 0; i < cameraButtons_.size(); ++i) {
    cameraButtons_[i]->move(0, kPaletteGrip + 28 * static_cast<int>(i));
    cameraButtons_[i]->setVisible(camera);
  }
  for (std::size_t i = 0; i < imageButtons_.size(); ++i) {
    imageButtons_[i]->move(0, kPaletteGrip + 28 * static_cast<int>(i));
    imageButtons_[i]->setVisible(i < imageTools);
  }
}

void CVyr3ToolsWnd::RepaintButtons() {
  update();
  for (const auto* list : {&cameraButtons_, &imageButtons_}) {
    for (ui::CSkinButton* b : *list) b->update();
  }
}

win::HitTest CVyr3ToolsWnd::HitTestAt(const QPoint& point) const {
  const bool grip = height() > width() ? point.y() < kPaletteGrip : point.x() < kPaletteGrip;
  return grip ? win::HitTest::Caption : win::HitTest::Client;
}

gdi::Size CVyr3ToolsWnd::OwnerSize() const {
  const QWidget* owner = parentWidget();
  return owner ? gdi::Size{owner->width(), owner->height()} : gdi::Size{};
}

void CVyr3ToolsWnd::OnMoving(QRect& proposedGeometry) {
  if (!parentWidget()) return;
  proposedGeometry = win::ToQRect(PaletteWhileDragged(win::FromQRect(proposedGeometry), OwnerSize(), set_));
}

void CVyr3ToolsWnd::OnExitSizeMove() {
  if (!parentWidget()) return;
  setGeometry(win::ToQRect(PaletteAfterDrag(win::FromQRect(geometry()), OwnerSize(), set_)));
}

bool CVyr3ToolsWnd::OnCommand(int commandId) {
  auto* owner = qobject_cast<win::Window*>(parentWidget());
  if (IsPickerTool(commandId)) {
    OpenPicker(commandId);
    return true;
  }
  const bool cameraTool = commandId >= command::kCameraNegative && commandId <= command::kPictureInPicture;
  const bool imageTool = commandId >= command::kFirstImageTool && commandId <= command::kImageRotate;
  if (!cameraTool && !imageTool) return false;
  if (owner) owner->PostCommand(commandId);
  return true;
}

// The picker opens beside its button, 90 x 20 a row; the pen widths a
// little lower, level with their pictures.
void CVyr3ToolsWnd::OpenPicker(int commandId) {
  const ui::CSkinButton* button = Button(commandId);
  if (!button) return;
  int* entry = nullptr;
  ui::PickerKind kind = ui::PickerKind::Colour;
  switch (commandId) {
    case command::kColour: entry = &colourEntry_; kind = ui::PickerKind::Colour; break;
    case command::kPenType: entry = &penTypeEntry_; kind = ui::PickerKind::PenWidth; break;
    case command::kShapes: entry = &shapeEntry_; kind = ui::PickerKind::Shape; break;
    default: entry = &boardEntry_; kind = ui::PickerKind::Board; break;
  }
  const QPoint topRight = mapToGlobal(QPoint(button->geometry().right() + 1, button->geometry().top()));
  const int top = topRight.y() + (commandId == command::kPenType ? 25 : 0);
  const gdi::Rect firstRow{topRight.x() + 1, top, topRight.x() + 91, top + 20};
  int selected = *entry;
  if (ui::PickerRunner::Current().Run(this, kind, firstRow, selected) != win::kResultOk) return;
  *entry = selected;
  if (auto* owner = qobject_cast<win::Window*>(parentWidget())) {
    owner->SendMessage(message::kPickerChoice, static_cast<std::uintptr_t>(commandId - command::kFirstImageTool),
                       selected);
  }
}

void CVyr3ToolsWnd::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), QColor(57, 57, 57));
  for (const QImage& grip : grips_) {
    if (grip.isNull()) return;
  }
  if (height() > width()) {
    painter.drawImage(0, 0, grips_[0]);
    painter.drawImage(QRect(0, kPaletteGrip, width(), height() - kPaletteGrip), grips_[1]);
  } else {
    painter.drawImage(0, 0, grips_[2]);
    painter.drawImage(QRect(kPaletteGrip, 0, width() - kPaletteGrip, height()), grips_[3]);
  }
}

}  // namespace orvilo::shell

#include "ui/picker_popup.h"

#include <QMouseEvent>
#include <QPainter>
#include <QShowEvent>
#include <algorithm>

#include "ui/pen_palette.h"
#include "ui/skin/skin_table.h"
#include "ui/skin_resources.h"
#include "ui/touch_reach.h"
#include "platform/text/unicode.h"

namespace orvilo::ui {
namespace {

constexpr std::size_t kMaximumTextBytes = 259;

QColor FromColourRef(int value) { return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF); }

std::string Truncated(const std::string& text) {
  return text.substr(0, text::Utf8PrefixLength(text, kMaximumTextBytes));
}

PickerItem TextItem(int value, const char* text) { return PickerItem{QImage(), value, text}; }

// A shape or board entry: its picture and, from the same row of the skin
// table, its name in the language asked for.
PickerItem PictureItem(int pngId, int value, bool korean) {
  const skin::SkinEntry* entry = skin::FindSkinEntry(skin::SkinKind::Png, pngId);
  std::string name = entry == nullptr ? std::string() : korean ? entry->text : entry->englishText;
  return PickerItem{LoadPngResource(pngId), value, std::move(name)};
}

QFont PickerFont() {
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(11);
  font.setWeight(QFont::Normal);
  return font;
}

}  // namespace

std::vector<PickerItem> PickerEntries(PickerKind kind, bool korean) {
  std::vector<PickerItem> entries;
  switch (kind) {
    case PickerKind::SpeedFactor: {
      const char* const texts[11] = {"0.5 X", "0.6 X", "0.7 X", "0.8 X", "0.9 X", "1 X",
                                     "1.2 X", "1.4 X", "1.6 X", "1.8 X", "2.0 X"};
      const int percents[11] = {50, 60, 70, 80, 90, 100, 120, 140, 160, 180, 200};
      for (int i = 0; i < 11; ++i) entries.push_back(TextItem(percents[i], texts[i]));
      break;
    }
    case PickerKind::ZoomPercent: {
      const char* const texts[13] = {" 25%", " 50%", " 75%", "100%", "200%", "300%", "400%",
                                     "500%", "600%", "700%", "800%", "900%", "1000%"};
      const int percents[13] = {25, 50, 75, 100, 200, 300, 400, 500, 600, 700, 800, 900, 1000};
      for (int i = 0; i < 13; ++i) entries.push_back(TextItem(percents[i], texts[i]));
      break;
    }
    case PickerKind::Custom: break;
    case PickerKind::Colour:
      for (const std::uint32_t colour : PenPalette) entries.push_back(TextItem(static_cast<int>(colour), ""));
      break;
    case PickerKind::PenWidth:
      for (int width = 1; width <= 19; width += 2) entries.push_back(TextItem(width, ""));
      break;
    case PickerKind::Shape:
      for (int i = 0; i < skin::kShapePngCount; ++i) entries.push_back(PictureItem(skin::ShapePng(i), i, korean));
      break;
    case PickerKind::Board:
      for (int i = 0; i < skin::kBoardPngCount; ++i) entries.push_back(PictureItem(skin::BoardPng(i), i, korean));
      break;
  }
  return entries;
}

PickerColours PickerColoursFor(PickerKind kind) {
  if (kind == PickerKind::SpeedFactor || kind == PickerKind::ZoomPercent) {
    return {QColor(148, 148, 148), QColor(107, 107, 107), QColor(3, 3, 3), QColor(255, 255, 255)};
  }
  return {QColor(165, 165, 165), QColor(255, 255, 255), QColor(184, 222, 246), QColor(0, 0, 0)};
}

CCobboDlg::CCobboDlg(bool korean, QWidget* parent) : win::Dialog(parent), korean_(korean) {
  setWindowFlags(Qt::Popup | Qt::FramelessWindowHint);
  setMouseTracking(true);
  colours_ = {Qt::white, Qt::white, Qt::white, Qt::white};
}

CCobboDlg::~CCobboDlg() = default;

void CCobboDlg::AddItem(int pictureResourceId, int value, const std::string& text) {
  AddItem(PickerItem{pictureResourceId != 0 ? LoadPngResource(pictureResourceId) : QImage(), value, text});
}

void CCobboDlg::AddItem(PickerItem item) {
  item.text = Truncated(item.text);
  items_.push_back(std::move(item));
}

bool CCobboDlg::OnInitDialog() {
  colours_ = PickerColoursFor(kind);
  if (kind != PickerKind::Custom) items_ = PickerEntries(kind, korean_);
  const int rows = static_cast<int>(items_.size());
  setGeometry(firstRow.left, firstRow.top, std::max(firstRow.Width(), 0), std::max(RowHeight(), 0) * rows);
  inside_ = false;
  return true;
}

void CCobboDlg::OnOK() {
  // Enter takes the highlighted row, when there is one to take.
  const bool valid = selected >= 0 && selected < static_cast<int>(items_.size());
  Close(valid ? win::kResultOk : win::kResultClose);
}

void CCobboDlg::OnCancel() { Close(win::kResultClose); }

void CCobboDlg::Close(int result) {
  ReleaseCapture();
  EndDialog(result);
}

void CCobboDlg::showEvent(QShowEvent* event) {
  win::Dialog::showEvent(event);
  if (IsModalRunning()) SetCapture();
}

QImage CCobboDlg::Render() const {
  const int rw = width();
  const int rh = RowHeight();
  QImage canvas(size(), QImage::Format_RGB32);
  canvas.fill(colours_.background);
  QPainter painter(&canvas);
  painter.setPen(colours_.border);
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(0, 0, width() - 1, height() - 1);
  if (selected >= 0 && selected < static_cast<int>(items_.size())) {
    painter.fillRect(QRect(1, selected * rh + 1, rw - 2, rh - 2), colours_.highlight);
  }
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
  painter.setFont(PickerFont());
  painter.setPen(colours_.text);
  const int textFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
  for (int i = 0; i < static_cast<int>(items_.size()); ++i) {
    const PickerItem& item = items_[i];
    const int top = i * rh;
    const QString text = QString::fromStdString(item.text);
    switch (kind) {
      case PickerKind::SpeedFactor:
      case PickerKind::ZoomPercent:
      case PickerKind::Custom:
        painter.drawText(QRect(3, top + 2, rw - 6, rh - 2), textFlags, text);
        break;
      case PickerKind::Colour:
        painter.fillRect(QRect(10, top + 8, rw - 20, rh - 16), FromColourRef(item.value));
        break;
      case PickerKind::PenWidth:
        painter.fillRect(QRect(10, top + (rh - item.value) / 2, rw - 20, item.value), Qt::black);
        break;
      case PickerKind::Shape:
      case PickerKind::Board:
        if (!item.picture.isNull()) painter.drawImage(QPoint(2, top), item.picture);
        painter.drawText(QRect(24, top, rw - 26, rh - 2), textFlags, text);
        break;
    }
  }
  return canvas;
}

void CCobboDlg::paintEvent(QPaintEvent*) { QPainter(this).drawImage(0, 0, Render()); }

// The row under the mouse, or the row a finger means; -1 for none.
int CCobboDlg::RowAt(const QMouseEvent& event) const {
  const QPoint point = event.position().toPoint();
  const int rows = static_cast<int>(items_.size());
  if (RowHeight() <= 0 || rows == 0) return -1;
  if (!IsFromTouch(event)) return rect().contains(point) ? std::min(point.y() / RowHeight(), rows - 1) : -1;
  std::vector<gdi::Rect> places;
  for (int row = 0; row < rows; ++row) places.push_back(gdi::Rect::FromPositionAndSize(0, row * RowHeight(), width(), RowHeight()));
  return TouchTargetAt(places, gdi::Point{point.x(), point.y()});
}

void CCobboDlg::mouseMoveEvent(QMouseEvent* event) {
  const int row = RowAt(*event);
  if (row < 0) return;
  inside_ = true;
  if (row != selected) {
    selected = row;
    update();
  }
}

void CCobboDlg::mousePressEvent(QMouseEvent* event) {
  const int row = RowAt(*event);
  if (row < 0) {
    Close(win::kResultClose);
    return;
  }
  inside_ = true;
  // A finger that lands makes no move first: its row lights up now.
  if (IsFromTouch(*event) && row != selected) {
    selected = row;
    update();
  }
}

void CCobboDlg::mouseReleaseEvent(QMouseEvent* event) {
  if (!inside_) return;
  const int row = RowAt(*event);
  if (row >= 0 && IsFromTouch(*event)) selected = row;
  Close(row >= 0 ? win::kResultOk : win::kResultClose);
}

PickerRunner::~PickerRunner() = default;

namespace {
PickerRunner* installedRunner = nullptr;
}  // namespace

PickerRunner& PickerRunner::Current() {
  static PopupPickers popups;
  return installedRunner != nullptr ? *installedRunner : popups;
}

PickerRunner* PickerRunner::Install(PickerRunner* runner) {
  PickerRunner* previous = installedRunner;
  installedRunner = runner;
  return previous;
}

int PopupPickers::Run(QWidget* owner, PickerKind kind, const gdi::Rect& firstRow, int& selected,
                      std::vector<PickerItem> customItems) {
  CCobboDlg picker(korean, owner);
  picker.kind = kind;
  picker.selected = selected;
  picker.firstRow = firstRow;
  for (PickerItem& item : customItems) picker.AddItem(std::move(item));
  const int result = picker.DoModal(owner);
  if (result == win::kResultOk) selected = picker.selected;
  return result;
}

int ScriptedPickers::Run(QWidget*, PickerKind kind, const gdi::Rect& firstRow, int& selected,
                         std::vector<PickerItem> customItems) {
  requests.push_back(PickerRequest{kind, firstRow, selected, std::move(customItems)});
  const PickerAnswer answer = win::TakeScriptedAnswer(answers);
  if (answer.result == win::kResultOk) selected = answer.selected;
  return answer.result;
}

}  // namespace orvilo::ui

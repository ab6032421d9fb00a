#include "imageview/image_window.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cstdio>

#include "core/command_ids.h"
#include "core/settings/settings_keys.h"
#include "core/settings/settings_store.h"
#include "imageview/blind_geometry.h"
#include "imageview/blind_window.h"
#include "imageview/picture_transforms.h"
#include "drawing/stroke_renderer.h"
#include "imageview/view_geometry.h"
#include "platform/gdi/bitmap_file.h"
#include "platform/gdi/key_colour.h"
#include "platform/gdi/qimage_conversion.h"
#include "platform/gdi/rotate_flip.h"
#include "platform/sys/local_time.h"
#include "platform/sys/program_folder.h"
#include "platform/sys/ui_language.h"
#include "platform/win/geometry.h"
#include "ui/skin/skin_ids.h"
#include "ui/navigator_window.h"
#include "ui/skin_resources.h"

namespace orvilo::imageview {

namespace {

const QColor kBackground(57, 57, 57);
constexpr int kNavigatorId = 1329;
constexpr QSize kInsetSize(400, 305);
const QRect kInsetContent(5, 5, 390, 295);

bool AcceptableSize(int width, int height) {
  return width >= 1 && height >= 1 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
         static_cast<long long>(width) * height <= kMaxPicturePixels;
}

std::string ScratchName() {
  const sys::LocalTime t = sys::GetLocalTime();
  char name[32];
  std::snprintf(name, sizeof name, "%04d%02d%02d%02d%02d%02d.bmp", t.year, t.month, t.day, t.hour, t.minute, t.second);
  return name;
}

QImage PageOf(const gdi::PackedDib& picture) { return gdi::ToQImage(picture).convertToFormat(QImage::Format_RGB32); }

}  // namespace

CVyr3ImageWnd::CVyr3ImageWnd(QWidget* parent) : ImageView(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::ClickFocus);
  setAttribute(Qt::WA_AcceptTouchEvents);
  longPress_.setSingleShot(true);
  connect(&longPress_, &QTimer::timeout, this, [this] { OnLongPress(); });
  drawing_.SetReport([this](int id) { Report(id); });
  insetFrame_ = gdi::KeyColourToTransparent(ui::LoadSkinBitmap(skin::kInsetFrame));
  navigator_ = new ui::CNavigatorWnd(this);
  navigator_->setObjectName("IMAGENAVI");
  navigator_->SetControlId(kNavigatorId);
  navigator_->SetOwner(this);
  navigator_->hide();
}

CVyr3ImageWnd::~CVyr3ImageWnd() {
  renderState_ = RenderState::Closed;
  drawing_.SetReport({});
  ResetDrawing();
}

win::Window* CVyr3ImageWnd::Owner() const { return qobject_cast<win::Window*>(parentWidget()); }

void CVyr3ImageWnd::Report(int commandId) {
  if (win::Window* owner = Owner()) owner->SendCommand(commandId);
}

// ---- Pictures ---------------------------------------------------------------

bool CVyr3ImageWnd::SetImage(gdi::PackedDib picture) {
  if (picture.IsEmpty() || !AcceptableSize(picture.width(), picture.height())) return false;
  return TakeSourcePicture(std::move(picture));
}

// The new picture is shown as it is, whatever board is chosen; the next
// rebuild starts from the board again while one is chosen.
bool CVyr3ImageWnd::TakeSourcePicture(gdi::PackedDib picture) {
  gdi::PackedDib shown = picture.Clone();
  if (shown.IsEmpty()) return false;
  source_ = std::move(picture);
  rotation_ = 0;
  mirror_ = flip_ = negative_ = blackWhite_ = false;
  displayed_ = std::move(shown);
  page_ = PageOf(displayed_);
  PictureChanged();
  setFocus();
  return true;
}

bool CVyr3ImageWnd::LoadImageFile(const std::string& path) {
  if (path.empty()) return false;
  const QString name = QString::fromStdString(path);
  if (!QFileInfo(name).isFile()) return false;
  QImageReader reader(name);
  reader.setAutoTransform(true);
  // Refuse a huge picture from its header, before decoding allocates it.
  const QSize announced = reader.size();
  if (announced.isValid() && !AcceptableSize(announced.width(), announced.height())) return false;
  const QImage image = reader.read();
  if (image.isNull() || !AcceptableSize(image.width(), image.height())) return false;

  // The picture becomes a bitmap through a scratch file, as every picture
  // the program keeps is one; should the scratch folder fail, it is
  // converted in memory instead, so the source always is what is shown.
  gdi::PackedDib picture;
  const std::string folder =
      scratchFolder_.empty() ? core::SettingsStore(sys::ProgramFolder(), sys::SystemUiLanguage()).ScratchFolder()
                             : scratchFolder_;
  const std::string scratch = sys::JoinPath(folder, ScratchName());
  if (image.convertToFormat(QImage::Format_RGB888).save(QString::fromStdString(scratch), "BMP")) {
    picture = gdi::ReadBitmapFile(scratch);
    QFile::remove(QString::fromStdString(scratch));
  }
  if (picture.IsEmpty()) picture = gdi::FromQImage(image, 24);
  if (picture.IsEmpty()) return false;
  return TakeSourcePicture(std::move(picture));
}

bool CVyr3ImageWnd::RebuildPicture() {
  const gdi::PackedDib& from = boardKind_ == BoardKind::Capture ? source_ : board_;
  if (from.IsEmpty()) return false;
  gdi::PackedDib working = from.Clone();
  if (working.IsEmpty()) return false;
  ApplyColourTransforms(working, blackWhite_, negative_);
  const int code = gdi::RotateFlipCode(rotation_, mirror_, flip_);
  if (code != 0) working = gdi::RotateFlip(working, code);
  if (working.IsEmpty()) return false;
  displayed_ = std::move(working);
  page_ = PageOf(displayed_);
  PictureChanged();
  return true;
}

void CVyr3ImageWnd::PictureChanged() {
  renderState_ = RenderState::Dirty;
  UpdateSourceRectForZoom();
  RepaintAll();
  PlaceNavigator();
}

// While the teacher is zoomed in, a thumbnail of the page at the top right
// outlines the part shown; dragging the outline reports the new part (1328).
void CVyr3ImageWnd::PlaceNavigator() {
  if (navigator_ == nullptr) return;
  if (!navigatorShown_ || zoom_ <= 1.0f || fullScreen_ || page_.isNull()) {
    navigator_->hide();
    return;
  }
  navigator_->setGeometry(win::ToQRect(NavigatorRect(gdi::Size{width(), height()})));
  navigator_->SetZoom(zoom_);
  navigator_->SetPicture(zoom_, page_);
  navigator_->show();
  navigator_->raise();
}

void CVyr3ImageWnd::RepaintAll() {
  cleanValid_ = false;
  layersValid_ = false;
  update();
}

void CVyr3ImageWnd::RedrawStrokes() {
  layersValid_ = false;
  update();
}

void CVyr3ImageWnd::ToggleNegative() {
  negative_ = !negative_;
  RebuildPicture();
}
void CVyr3ImageWnd::ToggleBlackWhite() {
  blackWhite_ = !blackWhite_;
  RebuildPicture();
}
void CVyr3ImageWnd::ToggleMirror() {
  mirror_ = !mirror_;
  RebuildPicture();
}
void CVyr3ImageWnd::ToggleFlip() {
  flip_ = !flip_;
  RebuildPicture();
}
void CVyr3ImageWnd::RotateQuarter() {
  rotation_ = (rotation_ + 1) % 4;
  RebuildPicture();
}

void CVyr3ImageWnd::SetBoard(BoardKind board) {
  if (board == boardKind_) return;
  boardKind_ = board;
  if (board == BoardKind::Capture) {
    RebuildPicture();
    return;
  }
  board_ = gdi::PackedDib();
  const QImage picture = ui::LoadSkinBitmap(skin::BoardPicture(static_cast<int>(board)));
  if (picture.isNull()) return;  // no board picture: the display stays as it is
  board_ = gdi::FromQImage(picture, 24);
  RebuildPicture();
}

// ---- Zoom and geometry --------------------------------------------------------

void CVyr3ImageWnd::SetZoom(double factor) {
  const auto f = static_cast<float>(factor);
  if (f == zoom_ || !(f > 0)) return;
  zoom_ = f;
  UpdateSourceRectForZoom();
  RepaintAll();
  PlaceNavigator();
}

void CVyr3ImageWnd::ShowNavigator(bool show) {
  navigatorShown_ = show;
  PlaceNavigator();
}

// Until a navigator reports the visible region (message 1328), a zoom shows
// the region of the zoomed size that keeps the top-left corner it had, as
// the navigator's first layout does.
void CVyr3ImageWnd::UpdateSourceRectForZoom() {
  const gdi::Size picture = ImageSize();
  const gdi::Rect fresh = InitialSourceRect(picture, gdi::Size{width(), height()}, zoom_);
  const int left = std::clamp(sourceRect_.left, 0, std::max(picture.width - fresh.Width(), 0));
  const int top = std::clamp(sourceRect_.top, 0, std::max(picture.height - fresh.Height(), 0));
  sourceRect_ = fresh.Offset(left, top);
}

Placement CVyr3ImageWnd::CurrentPlacement() const {
  return PicturePlacement(ImageSize(), gdi::Size{width(), height()}, zoom_,
                          fullScreen_ || arrangement_ == Arrangement::ImageInset, sourceRect_);
}

QRect CVyr3ImageWnd::PictureTarget() const {
  const Placement placement = CurrentPlacement();
  return placement.draw ? win::ToQRect(placement.target) : QRect();
}

void CVyr3ImageWnd::SetMode(ViewMode mode) {
  if (mode == mode_) return;
  mode_ = mode;
  setMouseTracking(mode == ViewMode::Reading);
  update();
}

void CVyr3ImageWnd::SetArrangement(Arrangement arrangement) {
  if (arrangement == arrangement_) return;
  arrangement_ = arrangement;
  RepaintAll();
}

void CVyr3ImageWnd::SetFullScreenPicture(bool on) {
  if (on == fullScreen_) return;
  fullScreen_ = on;
  RepaintAll();
  PlaceNavigator();
}

std::intptr_t CVyr3ImageWnd::OnMessage(const win::Msg& message) {
  if (message.id == message::kNavigatorSelection) {
    if (message.wParam == 0 || message.lParam == 0) return 0;
    const auto* view = reinterpret_cast<const gdi::Rect*>(message.wParam);
    const auto* thumbnail = reinterpret_cast<const gdi::Rect*>(message.lParam);
    const gdi::Rect source = SourceFromNavigator(*view, *thumbnail, ImageSize());
    if (source == sourceRect_) return 0;
    sourceRect_ = source;
    RepaintAll();
    return 0;
  }
  if (message.id == static_cast<std::uint32_t>(kFirstBlindId)) {
    const auto it = std::find(blinds_.begin(), blinds_.end(), reinterpret_cast<CBlindWnd*>(message.wParam));
    if (message.wParam == 0 || it == blinds_.end()) return 0;
    CBlindWnd* blind = *it;
    blinds_.erase(it);
    delete blind;
    return 0;
  }
  return ImageView::OnMessage(message);
}

// ---- Layers and painting ------------------------------------------------------

void CVyr3ImageWnd::RebuildLayers() {
  layersValid_ = true;
  beforeStrokes_.clear();
  beforeStrokesBytes_ = 0;
  if (width() < 1 || height() < 1) {
    clean_ = committed_ = QImage();
    return;
  }
  if (!cleanValid_ || clean_.size() != size()) {
    cleanValid_ = true;
    clean_ = QImage(size(), QImage::Format_RGB32);
    clean_.fill(kBackground);
    const Placement placement = CurrentPlacement();
    if (placement.draw && !page_.isNull()) {
      QPainter painter(&clean_);
      // Smoothing costs once per change of picture, zoom or size, never per
      // pointer move: every paint copies this layer.
      painter.setRenderHint(QPainter::SmoothPixmapTransform);
      painter.drawImage(win::ToQRect(placement.target), page_, win::ToQRect(placement.source));
    }
  }
  committed_ = clean_.copy();
  // The latest strokes that fit the undo budget keep the pixels under them
  // as they are drawn again, so undo stays quick after a rebuild too.
  const std::vector<Stroke>& strokes = drawing_.Strokes();
  std::size_t firstKept = strokes.size();
  for (std::size_t bytes = 0; firstKept > 0; --firstKept) {
    const QRect box = StrokeBounds(strokes[firstKept - 1]).intersected(rect());
    bytes += static_cast<std::size_t>(box.width()) * static_cast<std::size_t>(box.height()) * 4;
    if (bytes > kUndoPixelsBudget) break;
  }
  for (std::size_t i = 0; i < strokes.size(); ++i) {
    if (i >= firstKept) KeepPixelsUnder(strokes[i], i + 1);
    RenderStroke(committed_, strokes[i], clean_);
  }
  if (!page_.isNull()) renderState_ = RenderState::Ready;
}

QImage CVyr3ImageWnd::RenderContent() {
  if (!layersValid_) RebuildLayers();
  return committed_.copy();
}

void CVyr3ImageWnd::paintEvent(QPaintEvent* event) {
  if (renderState_ == RenderState::Closed) return;
  if (!layersValid_ || committed_.size() != size()) RebuildLayers();
  QPainter painter(this);
  if (committed_.isNull()) {
    painter.fillRect(rect(), kBackground);
    return;
  }
  const QImage& content = mode_ == ViewMode::Image ? committed_ : clean_;
  if (arrangement_ == Arrangement::ImageInset) {
    // The inset: the content inside the frame picture, the whole stretched
    // to the window.
    QImage composed(kInsetSize, QImage::Format_RGB32);
    composed.fill(kBackground);
    {
      QPainter inset(&composed);
      inset.drawImage(0, 0, insetFrame_);
      inset.drawImage(kInsetContent, content);
    }
    painter.drawImage(rect(), composed);
    return;
  }
  const QRect area = event->rect();
  painter.drawImage(area.topLeft(), content, area);
  if (mode_ == ViewMode::Image) PaintStrokeInProgress(painter, area);
  if (mode_ == ViewMode::Reading) PaintSelection(painter);
}

void CVyr3ImageWnd::resizeEvent(QResizeEvent* event) {
  UpdateSourceRectForZoom();
  RepaintAll();
  PlaceNavigator();
  ImageView::resizeEvent(event);
}

win::HitTest CVyr3ImageWnd::HitTestAt(const QPoint& point) const {
  // The inset is moved by pressing anywhere on it, while no mouse tool owns
  // the button.
  if (arrangement_ == Arrangement::ImageInset && mode_ != ViewMode::Image && mode_ != ViewMode::Reading) {
    return win::HitTest::Caption;
  }
  return ImageView::HitTestAt(point);
}

// The wheel zooms through the main window: forward (also 0) zooms out,
// backward zooms in.
void CVyr3ImageWnd::wheelEvent(QWheelEvent* event) {
  if (win::Window* owner = Owner()) owner->PostCommand(event->angleDelta().y() >= 0 ? command::kZoomOut : command::kZoomIn);
  event->accept();
}

void CVyr3ImageWnd::mouseDoubleClickEvent(QMouseEvent* event) {
  if (arrangement_ == Arrangement::ImageInset && event->button() == Qt::LeftButton) {
    if (win::Window* owner = Owner()) owner->PostCommand(command::kSwapToCameraInset);
    return;
  }
  ImageView::mouseDoubleClickEvent(event);
}

// ---- Saving -------------------------------------------------------------------

bool CVyr3ImageWnd::SaveAnnotatedImageFile(const std::string& path) {
  if (path.empty() || width() < 1 || height() < 1) return false;
  const gdi::PackedDib picture = gdi::FromQImage(RenderContent(), 32);
  return !picture.IsEmpty() && gdi::WriteBitmapFile(path, picture);
}

// ---- Reading ------------------------------------------------------------------

ReadingSource CVyr3ImageWnd::GetReadingSource() const {
  ReadingSource source;
  source.picture = displayed_.IsEmpty() ? nullptr : &displayed_;
  source.selection = selection_;
  source.client = gdi::Size{width(), height()};
  source.zoom = zoom_;
  source.sourceRect = sourceRect_;
  source.fullScreenPicture = fullScreen_;
  return source;
}

}  // namespace orvilo::imageview

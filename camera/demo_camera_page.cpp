#include "camera/demo_camera_page.h"

#include <QPainter>
#include <mutex>

#include "demo/textbook_page.h"
#include "platform/media/demo_camera_src.h"

namespace orvilo::camera {
namespace {

// The book at 2048 × 1536, drawn once: rendering text is the slow part.
const QImage& Book() {
  static const QImage book = [] {
    QImage image(2048, 1536, QImage::Format_RGB32);
    image.fill(QColor(90, 84, 76));  // the desk around the book
    QPainter painter(&image);
    demo::PageLayoutChoice korean;
    korean.language = demo::Language::Korean;
    korean.bodyFont = "NanumGothic";
    korean.bodyPixelSize = 30;
    korean.figure = true;
    korean.seed = 7;
    korean.size = QSize(984, 1440);
    demo::PageLayoutChoice english = korean;
    english.language = demo::Language::English;
    english.bodyFont = "Liberation Sans";
    english.figure = false;
    english.seed = 11;
    painter.drawImage(40, 48, demo::RenderTextbookPage(korean).image);
    painter.drawImage(1024, 48, demo::RenderTextbookPage(english).image);
    painter.fillRect(QRect(1018, 48, 12, 1440), QColor(200, 196, 186));  // the fold
    return image;
  }();
  return book;
}

}  // namespace

QImage DemoTextbookPicture(int width, int height) {
  static std::mutex lock;
  std::lock_guard guard(lock);
  return Book().scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

void InstallDemoCameraPage() {
  static std::once_flag once;
  std::call_once(once, [] { media::SetDemoPagePainter(&DemoTextbookPicture); });
}

}  // namespace orvilo::camera

#include "reading/page_export.h"

#include <QAbstractTextDocumentLayout>
#include <QClipboard>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>

namespace orvilo::reading {
namespace {

constexpr int kResolution = 150;  // dots per inch of the PDF's page space
constexpr double kMarginMm = 12.0;

// A4 turned the way the page is: a wide picture on a landscape sheet.
QPageLayout LayoutFor(const QImage& page) {
  const bool landscape = !page.isNull() && page.width() > page.height();
  return QPageLayout(QPageSize(QPageSize::A4), landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                     QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm), QPageLayout::Millimeter);
}

void DrawPicture(QPainter& painter, const QRect& area, const QImage& page) {
  const QSize fitted = page.size().scaled(area.size(), Qt::KeepAspectRatio);
  const QRect target(area.left() + (area.width() - fitted.width()) / 2, area.top(), fitted.width(), fitted.height());
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(target, page);
}

// The text over as many pages as it needs, as text a reader can search and
// copy. Liberation Sans leads and NanumGothic gives the Hangul: with
// NanumGothic first, its spaces leave no trace in the PDF and every line
// reads back as one word.
void DrawText(QPdfWriter& writer, QPainter& painter, const QRect& area, const std::string& text, bool newPageFirst) {
  QTextDocument document;
  QFont font(QStringLiteral("Liberation Sans"));
  font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("NanumGothic")});
  font.setPointSizeF(12);
  document.setDefaultFont(font);
  document.documentLayout()->setPaintDevice(&writer);
  document.setPlainText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
  document.setTextWidth(area.width());
  document.setPageSize(area.size());
  const int pages = std::max(1, document.pageCount());
  for (int index = 0; index < pages; ++index) {
    if (index > 0 || newPageFirst) writer.newPage();
    painter.save();
    painter.translate(area.left(), area.top() - index * area.height());
    document.drawContents(&painter, QRectF(0, index * area.height(), area.width(), area.height()));
    painter.restore();
  }
}

}  // namespace

bool ExportPagePdf(const std::string& path, const QImage& page, const std::string& text) {
  if (path.empty() || (page.isNull() && text.empty())) return false;
  QSaveFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::WriteOnly)) return false;
  {
    QPdfWriter writer(&file);
    writer.setResolution(kResolution);
    writer.setCreator(QStringLiteral("Orvilo"));
    writer.setTitle(QStringLiteral("Orvilo page"));
    writer.setPageLayout(LayoutFor(page));
    QPainter painter;
    if (!painter.begin(&writer)) {
      file.cancelWriting();
      return false;
    }
    const QRect area = writer.pageLayout().paintRectPixels(kResolution);
    const QRect inside(0, 0, area.width(), area.height());
    if (!page.isNull()) DrawPicture(painter, inside, page);
    if (!text.empty()) DrawText(writer, painter, inside, text, !page.isNull());
    if (!painter.end()) {
      file.cancelWriting();
      return false;
    }
  }
  return file.commit();
}

bool WriteUtf8TextFile(const std::string& path, const std::string& text) {
  if (path.empty()) return false;
  QSaveFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::WriteOnly)) return false;
  if (file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size())) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

bool CopyTextToClipboard(const std::string& text) {
  if (text.empty()) return false;
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (clipboard == nullptr) return false;
  clipboard->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
  return true;
}

}  // namespace orvilo::reading

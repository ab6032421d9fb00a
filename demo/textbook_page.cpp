#include "demo/textbook_page.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QStringList>
#include <QVector>
#include <algorithm>
#include <numeric>
#include <random>

namespace orvilo::demo {
namespace {

const QColor kPaper(246, 242, 232);
const QColor kInk(35, 35, 40);
const QColor kTitleInk(25, 55, 120);
constexpr int kMarginX = 140;
constexpr int kMarginTop = 110;
constexpr int kMarginBottom = 90;

// Greedy wrapping at spaces only: Korean is set by words as well.
QStringList Wrap(const QString& text, const QFontMetrics& metrics, int width) {
  QStringList lines;
  QString line;
  for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
    const QString candidate = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
    if (!line.isEmpty() && metrics.horizontalAdvance(candidate) > width) {
      lines << line;
      line = word;
    } else {
      line = candidate;
    }
  }
  if (!line.isEmpty()) lines << line;
  return lines;
}

void DrawFigure(QPainter& painter, const QRect& box, std::mt19937& random) {
  painter.save();
  painter.setPen(QPen(QColor(90, 90, 90), 3));
  painter.setBrush(QColor(205, 228, 244));
  painter.drawRoundedRect(box, 18, 18);
  painter.setPen(Qt::NoPen);
  std::uniform_int_distribution<int> shade(60, 170);
  painter.setBrush(QColor(shade(random), 150, 70));
  painter.drawEllipse(QRect(box.left() + 60, box.top() + 40, box.width() / 3, box.height() - 80));
  painter.setBrush(QColor(230, 180, shade(random)));
  painter.drawEllipse(QRect(box.right() - 200, box.top() + 30, 120, 120));
  QPainterPath hill;
  hill.moveTo(box.left() + box.width() / 2, box.bottom() - 10);
  hill.quadTo(box.left() + box.width() * 3 / 4, box.top() + 60, box.right() - 10, box.bottom() - 10);
  painter.setBrush(QColor(120, 170, 90));
  painter.drawPath(hill);
  painter.restore();
}

}  // namespace

RenderedPage RenderTextbookPage(const PageLayoutChoice& conditions) {
  std::mt19937 random(conditions.seed);
  RenderedPage page;
  page.image = QImage(conditions.size, QImage::Format_RGB32);
  page.image.fill(kPaper);
  QPainter painter(&page.image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);

  const int width = conditions.size.width() - 2 * kMarginX;
  const int bottomLimit = conditions.size.height() - kMarginBottom;
  QStringList truth;

  QFont titleFont(conditions.bodyFont);
  titleFont.setPixelSize(conditions.bodyPixelSize * 8 / 5);
  titleFont.setBold(true);
  const QString title = Titles(conditions.language)[static_cast<int>(random() % Titles(conditions.language).size())];
  // A long title is set smaller rather than cut off at the page edge: what
  // the page says must be on the page, for readers and for the truth below.
  while (titleFont.pixelSize() > conditions.bodyPixelSize && QFontMetrics(titleFont).horizontalAdvance(title) > width) {
    titleFont.setPixelSize(titleFont.pixelSize() - 1);
  }
  const QFontMetrics titleMetrics(titleFont);
  int y = kMarginTop;
  painter.setFont(titleFont);
  painter.setPen(kTitleInk);
  painter.drawText(kMarginX, y + titleMetrics.ascent(), title);
  truth << title;
  y += titleMetrics.height() + conditions.bodyPixelSize;

  QFont bodyFont(conditions.bodyFont);
  bodyFont.setPixelSize(conditions.bodyPixelSize);
  const QFontMetrics metrics(bodyFont);
  const int lineHeight = conditions.bodyPixelSize * 3 / 2;
  const int paragraphGap = conditions.bodyPixelSize;
  painter.setFont(bodyFont);

  QVector<int> order(Sentences(conditions.language).size());
  std::iota(order.begin(), order.end(), 0);
  std::shuffle(order.begin(), order.end(), random);
  int nextSentence = 0;
  QVector<QRect> paragraphBoxes;
  QStringList paragraphTexts;
  for (int paragraph = 0;; ++paragraph) {
    if (conditions.figure && paragraph == 2) {
      const QRect figure(kMarginX + 40, y, width / 2, conditions.bodyPixelSize * 7);
      const QString caption = Captions(conditions.language)[static_cast<int>(random() % Captions(conditions.language).size())];
      QFont captionFont(conditions.bodyFont);
      captionFont.setPixelSize(conditions.bodyPixelSize * 4 / 5);
      const QFontMetrics captionMetrics(captionFont);
      const int captionBottom = figure.bottom() + conditions.bodyPixelSize / 2 + captionMetrics.height();
      if (captionBottom > bottomLimit) break;
      DrawFigure(painter, figure, random);
      painter.setFont(captionFont);
      painter.setPen(kInk);
      painter.drawText(figure.left(), figure.bottom() + conditions.bodyPixelSize / 2 + captionMetrics.ascent(), caption);
      painter.setFont(bodyFont);
      truth << caption;
      y = captionBottom + paragraphGap;
    }
    const int sentences = 2 + static_cast<int>(random() % 2);
    if (nextSentence + sentences > order.size()) break;
    QStringList chosen;
    for (int s = 0; s < sentences; ++s) chosen << Sentences(conditions.language)[order[nextSentence + s]];
    const QString text = chosen.join(QLatin1Char(' '));
    const QStringList lines = Wrap(text, metrics, width);
    if (y + lines.size() * lineHeight > bottomLimit) break;
    nextSentence += sentences;
    painter.setPen(kInk);
    int widest = 0;
    for (int l = 0; l < lines.size(); ++l) {
      painter.drawText(kMarginX, y + l * lineHeight + metrics.ascent(), lines[l]);
      widest = std::max(widest, metrics.horizontalAdvance(lines[l]));
    }
    paragraphBoxes << QRect(kMarginX, y, widest, (lines.size() - 1) * lineHeight + metrics.height());
    paragraphTexts << text;
    truth << text;
    y += lines.size() * lineHeight + paragraphGap;
  }
  painter.end();

  const int marked = paragraphTexts.isEmpty() ? -1 : static_cast<int>(random() % paragraphTexts.size());
  if (marked >= 0) {
    page.markedParagraph = paragraphBoxes[marked];
    page.markedText = paragraphTexts[marked];
  }
  page.wholeText = truth.join(QLatin1Char('\n'));
  return page;
}

}  // namespace orvilo::demo

// A textbook-like page, drawn flat and sharp: a title, paragraphs of body
// text and sometimes a figure with its caption; with the text a reader
// should get back, in reading order.
#pragma once

#include <QImage>
#include <QRect>
#include <QString>

#include "demo/text_corpus.h"

namespace orvilo::demo {

struct PageLayoutChoice {
  Language language = Language::English;
  QString bodyFont;  // family
  int bodyPixelSize = 36;
  bool figure = false;
  unsigned seed = 1;
  QSize size{2048, 1536};
};

struct RenderedPage {
  QImage image;  // RGB32
  QString wholeText;
  QRect markedParagraph;  // one body paragraph, in page pixels
  QString markedText;
};

RenderedPage RenderTextbookPage(const PageLayoutChoice& conditions);

}  // namespace orvilo::demo

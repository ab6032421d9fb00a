#include "shell/help_overlay.h"

#include <QPainter>
#include <algorithm>

#include "shell/key_map.h"

namespace orvilo::shell {

namespace {
constexpr int kLineHeight = 30;
constexpr int kKeysColumn = 170;
constexpr int kPanelWidth = 720;
constexpr int kMargin = 24;
}  // namespace

HelpOverlay::HelpOverlay(bool korean, QWidget* parent) : QWidget(parent), korean_(korean) {
  setAttribute(Qt::WA_NoSystemBackground);
}

void HelpOverlay::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), QColor(0, 0, 0, 170));
  const std::vector<KeyHelpLine> lines = KeyHelp(korean_);
  const int height = kMargin * 2 + kLineHeight * (static_cast<int>(lines.size()) + 1);
  const int width = std::min(kPanelWidth, this->width() - 2 * kMargin);
  const QRect panel((this->width() - width) / 2, std::max((this->height() - height) / 2, 0), width, height);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QColor(236, 128, 32));
  painter.setBrush(QColor(40, 40, 40));
  painter.drawRoundedRect(panel, 8, 8);

  QFont font(korean_ ? "NanumGothic" : "Arial");
  font.setPixelSize(15);
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(QColor(236, 128, 32));
  int y = panel.top() + kMargin;
  painter.drawText(QRect(panel.left() + kMargin, y, width - 2 * kMargin, kLineHeight), Qt::AlignLeft | Qt::AlignVCenter,
                   korean_ ? QStringLiteral("단축키 (F1)") : QStringLiteral("Keys (F1)"));
  for (const KeyHelpLine& line : lines) {
    y += kLineHeight;
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(panel.left() + kMargin, y, kKeysColumn, kLineHeight), Qt::AlignLeft | Qt::AlignVCenter,
                     QString::fromUtf8(line.keys));
    font.setBold(false);
    painter.setFont(font);
    painter.setPen(QColor(220, 220, 220));
    painter.drawText(QRect(panel.left() + kMargin + kKeysColumn, y, width - 2 * kMargin - kKeysColumn, kLineHeight),
                     Qt::AlignLeft | Qt::AlignVCenter, QString::fromUtf8(line.action));
  }
}

void HelpOverlay::mousePressEvent(QMouseEvent*) { hide(); }

}  // namespace orvilo::shell

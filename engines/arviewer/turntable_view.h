// The sample viewer's window: the unit's picture standing on a turntable,
// zoomed and turned as the ViewerState says.
#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

#include "engines/arviewer/viewer_state.h"

namespace orvilo::arviewer {

class TurntableView : public QWidget {
  Q_OBJECT
 public:
  // `picture` may be null: a card with `title` stands in for it.
  TurntableView(QImage picture, QString title, const ViewerState& state);

  // The scene as painted into a picture of `size` (for tests too).
  QImage Render(const QSize& size) const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void Paint(QPainter& painter, const QSize& size) const;

  QImage picture_;
  QString title_;
  const ViewerState& state_;
};

// The picture shown when a unit folder has none: a card with its title.
QImage PlaceholderCard(const QString& title);

}  // namespace orvilo::arviewer

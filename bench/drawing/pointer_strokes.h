// What both drawing benchmarks share: mouse events sent straight to a view,
// hand-like stroke paths, and the median of timing samples.
#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QRect>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <random>
#include <vector>

namespace orvilo::bench {

using Clock = std::chrono::steady_clock;

inline void Send(QWidget* view, QEvent::Type type, QPoint at, Qt::MouseButtons held) {
  QMouseEvent event(type, QPointF(at), QPointF(at), Qt::LeftButton, held, Qt::NoModifier);
  QApplication::sendEvent(view, &event);
}

inline double Median(std::vector<double> samples) {
  std::sort(samples.begin(), samples.end());
  return samples[samples.size() / 2];
}

inline double Ms(Clock::duration duration) { return std::chrono::duration<double, std::milli>(duration).count(); }

// A hand-like stroke: 60 points along a wavy line 600 pixels long, starting
// somewhere in `starts`.
inline std::vector<QPoint> StrokePath(std::mt19937& random, const QRect& starts) {
  std::uniform_int_distribution<int> x(starts.left(), starts.right()), y(starts.top(), starts.bottom());
  const QPoint start(x(random), y(random));
  std::vector<QPoint> path;
  for (int i = 0; i < 60; ++i) {
    path.emplace_back(start.x() + 10 * i, start.y() + static_cast<int>(60 * std::sin(i / 6.0)));
  }
  return path;
}

// The whole stroke at once: press, every move, release.
inline void DrawStroke(QWidget* view, const std::vector<QPoint>& path) {
  Send(view, QEvent::MouseButtonPress, path.front(), Qt::LeftButton);
  for (std::size_t i = 1; i < path.size(); ++i) Send(view, QEvent::MouseMove, path[i], Qt::LeftButton);
  Send(view, QEvent::MouseButtonRelease, path.back(), Qt::NoButton);
  QApplication::processEvents();
}

}  // namespace orvilo::bench

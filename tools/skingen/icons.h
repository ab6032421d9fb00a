// Monochrome icons by name: vendored open-licence SVG icons (ICONS.md) and
// a few drawn here with paths where no fitting icon exists.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <string>

namespace orvilo::skingen {

// True when `name` is a known icon.
bool HasIcon(const std::string& name);

// The icon `name` in `colour`, `size` x `size` pixels, on transparency;
// null for an unknown name.
QImage RenderIcon(const std::string& name, int size, const QColor& colour);

// Draws the icon centred in `box` (its size the smaller side of the box).
void DrawIcon(QPainter& painter, const std::string& name, const QRectF& box, const QColor& colour);

}  // namespace orvilo::skingen

#include "demo/camera_effects.h"

#include <QPainter>
#include <QPolygonF>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace orvilo::demo {
namespace {

const QColor kDesk(92, 72, 54);

QTransform TurnAboutCentre(const QSize& size, double degrees) {
  QTransform transform;
  transform.translate(size.width() / 2.0, size.height() / 2.0);
  transform.rotate(degrees);
  transform.translate(-size.width() / 2.0, -size.height() / 2.0);
  return transform;
}

void Light(QImage& picture, const CameraConditions& conditions, std::mt19937& random) {
  const double width = picture.width(), height = picture.height();
  const double dx = std::cos(conditions.lightAngle), dy = std::sin(conditions.lightAngle);
  // Projection of the corners on the fall-off direction, to span 0..1.
  const double low = std::min({0.0, dx * width, dy * height, dx * width + dy * height});
  const double high = std::max({0.0, dx * width, dy * height, dx * width + dy * height});
  std::uniform_real_distribution<double> place(0.2, 0.8);
  const double shadowX = place(random) * width, shadowY = place(random) * height;
  const double shadowRadius = 0.18 * width;
  for (int y = 0; y < picture.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
    for (int x = 0; x < picture.width(); ++x) {
      const double along = (dx * x + dy * y - low) / (high - low);
      double gain = 1.0 - (1.0 - conditions.darkestLight) * along;
      const double cx = (x - width / 2) / (width / 2), cy = (y - height / 2) / (height / 2);
      gain *= 1.0 - 0.12 * (cx * cx + cy * cy) / 2;
      if (conditions.shadow) {
        const double distance2 = (x - shadowX) * (x - shadowX) + (y - shadowY) * (y - shadowY);
        gain *= 1.0 - 0.3 * std::exp(-distance2 / (2 * shadowRadius * shadowRadius));
      }
      const QRgb pixel = line[x];
      line[x] = qRgb(static_cast<int>(qRed(pixel) * gain), static_cast<int>(qGreen(pixel) * gain),
                     static_cast<int>(qBlue(pixel) * gain));
    }
  }
}

// Separable Gaussian blur of the three channels.
void Blur(QImage& picture, double sigma) {
  if (sigma <= 0) return;
  const int radius = static_cast<int>(std::ceil(3 * sigma));
  std::vector<double> weights(2 * radius + 1);
  double sum = 0;
  for (int i = -radius; i <= radius; ++i) sum += weights[i + radius] = std::exp(-i * i / (2 * sigma * sigma));
  for (double& weight : weights) weight /= sum;
  const int width = picture.width(), height = picture.height();
  std::vector<float> channels(static_cast<std::size_t>(width) * height * 3), scratch(channels.size());
  for (int y = 0; y < height; ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
    for (int x = 0; x < width; ++x) {
      float* c = &channels[(static_cast<std::size_t>(y) * width + x) * 3];
      c[0] = qRed(line[x]);
      c[1] = qGreen(line[x]);
      c[2] = qBlue(line[x]);
    }
  }
  const auto pass = [&](const std::vector<float>& from, std::vector<float>& to, bool horizontal) {
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        float total[3] = {0, 0, 0};
        for (int i = -radius; i <= radius; ++i) {
          const int sx = horizontal ? std::clamp(x + i, 0, width - 1) : x;
          const int sy = horizontal ? y : std::clamp(y + i, 0, height - 1);
          const float* c = &from[(static_cast<std::size_t>(sy) * width + sx) * 3];
          const auto weight = static_cast<float>(weights[i + radius]);
          total[0] += weight * c[0];
          total[1] += weight * c[1];
          total[2] += weight * c[2];
        }
        float* out = &to[(static_cast<std::size_t>(y) * width + x) * 3];
        out[0] = total[0];
        out[1] = total[1];
        out[2] = total[2];
      }
    }
  };
  pass(channels, scratch, true);
  pass(scratch, channels, false);
  for (int y = 0; y < height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
    for (int x = 0; x < width; ++x) {
      const float* c = &channels[(static_cast<std::size_t>(y) * width + x) * 3];
      line[x] = qRgb(static_cast<int>(c[0] + 0.5f), static_cast<int>(c[1] + 0.5f), static_cast<int>(c[2] + 0.5f));
    }
  }
}

void AddNoise(QImage& picture, double sigma, std::mt19937& random) {
  std::normal_distribution<double> noise(0.0, sigma);
  const auto add = [&](int value) { return std::clamp(static_cast<int>(std::lround(value + noise(random))), 0, 255); };
  for (int y = 0; y < picture.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
    for (int x = 0; x < picture.width(); ++x) {
      line[x] = qRgb(add(qRed(line[x])), add(qGreen(line[x])), add(qBlue(line[x])));
    }
  }
}

}  // namespace

QImage ShootWithCamera(const QImage& page, const CameraConditions& conditions) {
  std::mt19937 random(conditions.seed);
  QImage picture(page.size(), QImage::Format_RGB32);
  picture.fill(kDesk);
  {
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setTransform(TurnAboutCentre(page.size(), conditions.tiltDegrees));
    painter.drawImage(0, 0, page);
  }
  Light(picture, conditions, random);
  Blur(picture, conditions.blurSigma);
  AddNoise(picture, conditions.noiseSigma, random);
  return picture;
}

QRect TurnedBoundingBox(const QRect& box, const QSize& pageSize, double degrees) {
  const QPolygonF turned = TurnAboutCentre(pageSize, degrees).map(QPolygonF(QRectF(box)));
  return turned.boundingRect().toAlignedRect();
}

bool SaveJpeg(const QImage& picture, const QString& path, int quality) { return picture.save(path, "JPG", quality); }

}  // namespace orvilo::demo

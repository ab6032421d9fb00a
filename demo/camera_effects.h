// What a document camera does to a page: it lies a little turned on the
// desk, the classroom light falls unevenly, the lens softens it, the sensor
// adds noise and the picture is stored as a JPEG.
#pragma once

#include <QImage>
#include <QRect>
#include <QString>

namespace orvilo::demo {

struct CameraConditions {
  double tiltDegrees = 0;   // clockwise on screen
  double darkestLight = 0.6;  // gain at the dim side of the page (1 = even light)
  double lightAngle = 0;      // direction the light falls off towards, radians
  bool shadow = false;        // a soft shadow of the camera arm
  double blurSigma = 0.8;     // pixels
  double noiseSigma = 5.0;    // grey levels per channel
  unsigned seed = 1;
};

QImage ShootWithCamera(const QImage& page, const CameraConditions& conditions);

// Bounding box of `box` once the page is turned by `degrees` about its centre.
QRect TurnedBoundingBox(const QRect& box, const QSize& pageSize, double degrees);

bool SaveJpeg(const QImage& picture, const QString& path, int quality);

}  // namespace orvilo::demo

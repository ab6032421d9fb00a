#include "recorder.h"

#include <QWidget>
#include <sstream>

namespace orvilo::shell::testing {

std::string Text(bool value) { return value ? "1" : "0"; }
std::string Text(int value) { return std::to_string(value); }
std::string Text(double value) {
  std::ostringstream out;
  out << value;
  return out.str();
}
std::string Text(const std::string& value) { return value; }
std::string Text(const char* value) { return value; }

std::string Text(ViewMode mode) {
  switch (mode) {
    case ViewMode::Camera: return "Camera";
    case ViewMode::Image: return "Image";
    case ViewMode::Reading: return "Reading";
    case ViewMode::Movie: return "Movie";
    case ViewMode::AR: return "AR";
  }
  return "?";
}

std::string Text(Arrangement arrangement) {
  switch (arrangement) {
    case Arrangement::Normal: return "Normal";
    case Arrangement::Split: return "Split";
    case Arrangement::CameraInset: return "CameraInset";
    case Arrangement::ImageInset: return "ImageInset";
  }
  return "?";
}

std::string Text(ToolSet set) {
  return set == ToolSet::Camera ? "Camera" : set == ToolSet::Image ? "Image" : "LiveDrawing";
}

std::string Text(const gdi::PackedDib& picture) {
  if (picture.IsEmpty()) return "none";
  return std::to_string(picture.width()) + "x" + std::to_string(picture.height());
}

std::string Text(const media::CaptureDevice& device) { return device.path; }
std::string Text(const media::CaptureDevice* device) { return device ? device->path : "none"; }
std::string Text(const QWidget* widget) { return widget ? widget->objectName().toStdString() : "none"; }

}  // namespace orvilo::shell::testing

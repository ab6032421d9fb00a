// Element orvilodemocamsrc: the built-in demo camera, a live source that sends
// a document page the way a USB document camera sends it (see the .cpp).
#pragma once

#include <gst/base/gstpushsrc.h>

#include <QImage>
#include <functional>

// Plugged in or out (demo_camera_plug.h): unplugged, a running demo camera
// fails at its next frame like a pulled USB camera and a new one fails to
// start, until it is plugged in again.
#include "platform/media/demo_camera_plug.h"

G_BEGIN_DECLS

#define GST_TYPE_DEMO_CAMERA_SRC (gst_demo_camera_src_get_type())
G_DECLARE_FINAL_TYPE(GstDemoCameraSrc, gst_demo_camera_src, GST, DEMO_CAMERA_SRC, GstPushSrc)

G_END_DECLS

namespace orvilo::media {

inline constexpr const char* kDemoCameraElement = "orvilodemocamsrc";

// What the demo camera films: a picture of exactly the asked size (RGB32).
// Called on the streaming thread once per negotiated size. Without one the
// camera films a plain test card.
using DemoPagePainter = std::function<QImage(int width, int height)>;
void SetDemoPagePainter(DemoPagePainter painter);

// Registers the element in the running process (no plug-in file); true when
// it is available afterwards.
bool RegisterDemoCameraElement();

}  // namespace orvilo::media

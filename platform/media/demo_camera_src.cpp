/**
 * Element orvilodemocamsrc: the built-in demo camera. A live source that films a
 * document page (painted by the program, see SetDemoPagePainter) with a pointer
 * moving slowly over it, and sends it as a USB document camera does: Motion-JPEG
 * frames without Huffman tables, or packed YUY2, at the negotiated size and rate.
 *
 *   gst-launch-1.0 orvilodemocamsrc ! image/jpeg,width=1280,height=720,framerate=20/1 ! jpegdec ! autovideosink
 *
 * Sizes 16..4096 (even widths for YUY2), 1..60 frames a second; 1280 x 720 at 20
 * unless asked otherwise. Frames are paced by the pipeline clock and stamped with
 * their running time. Property fail-after (0 = never) makes the camera fail after
 * that many frames, as an unplugged camera does: an error on the bus and the end
 * of its stream. Property max-width (default 4096) makes it a camera without the
 * larger sizes, which refuses to be asked for them. Properties brightness
 * (-128..127, default 0, added to every colour value) and contrast (0..200 per
 * cent, default 100, around mid-grey) stand for a camera's picture controls:
 *
 *   gst-launch-1.0 orvilodemocamsrc brightness=60 contrast=150 ! jpegdec ! autovideosink
 */
#include "platform/media/demo_camera_src.h"

#include <QPainter>
#include <algorithm>
#include <atomic>
#include <mutex>
#include <vector>

#include "platform/media/demo_camera_frames.h"
#include "platform/media/demo_camera_plug.h"

GST_DEBUG_CATEGORY_STATIC(demo_camera_src_debug);
#define GST_CAT_DEFAULT demo_camera_src_debug

struct _GstDemoCameraSrc {
  GstPushSrc parent;
  guint failAfter;  // property; 0 = never
  gint maxWidth;    // property
  gint brightness;  // property, -128..127
  gint contrast;    // property, per cent 0..200
  // Negotiated format.
  int width;
  int height;
  int fpsN;
  int fpsD;
  bool yuy2;
  QImage* page;  // painted for the negotiated size on the first frame
  guint64 frames;
  GstClockTime firstRunningTime;
  GstClockID waiting;  // the clock wait create() is in, under the object lock
  bool flushing;
};

namespace {

enum { PROP_0, PROP_FAIL_AFTER, PROP_MAX_WIDTH, PROP_BRIGHTNESS, PROP_CONTRAST };

GstStaticPadTemplate srcTemplate = GST_STATIC_PAD_TEMPLATE(
    "src", GST_PAD_SRC, GST_PAD_ALWAYS,
    GST_STATIC_CAPS("image/jpeg, width = (int) [ 16, 4096 ], height = (int) [ 16, 4096 ], "
                    "framerate = (fraction) [ 1/1, 60/1 ]; "
                    "video/x-raw, format = (string) YUY2, width = (int) [ 16, 4096 ], height = (int) [ 16, 4096 ], "
                    "framerate = (fraction) [ 1/1, 60/1 ]"));

std::mutex painterLock;

orvilo::media::DemoPagePainter& PagePainter() {
  static orvilo::media::DemoPagePainter painter;
  return painter;
}

// Without a page painter: a grey card with a grid, so that the picture still
// shows scale and movement.
QImage TestCard(int width, int height) {
  QImage card(width, height, QImage::Format_RGB32);
  card.fill(QColor(236, 232, 222));
  QPainter painter(&card);
  painter.setPen(QColor(170, 170, 170));
  const int step = std::max(8, width / 16);
  for (int x = 0; x < width; x += step) painter.drawLine(x, 0, x, height);
  for (int y = 0; y < height; y += step) painter.drawLine(0, y, width, y);
  return card;
}

QImage PaintPage(int width, int height) {
  std::lock_guard lock(painterLock);
  QImage page = PagePainter() ? PagePainter()(width, height) : QImage();
  if (page.size() != QSize(width, height)) page = TestCard(width, height);
  return page.convertToFormat(QImage::Format_RGB32);
}

}  // namespace

G_DEFINE_TYPE(GstDemoCameraSrc, gst_demo_camera_src, GST_TYPE_PUSH_SRC)

namespace {

void SetProperty(GObject* object, guint id, const GValue* value, GParamSpec* spec) {
  auto* self = GST_DEMO_CAMERA_SRC(object);
  if (id == PROP_FAIL_AFTER) {
    GST_OBJECT_LOCK(self);
    self->failAfter = g_value_get_uint(value);
    GST_OBJECT_UNLOCK(self);
  } else if (id == PROP_MAX_WIDTH) {
    GST_OBJECT_LOCK(self);
    self->maxWidth = g_value_get_int(value);
    GST_OBJECT_UNLOCK(self);
  } else if (id == PROP_BRIGHTNESS) {
    GST_OBJECT_LOCK(self);
    self->brightness = g_value_get_int(value);
    GST_OBJECT_UNLOCK(self);
  } else if (id == PROP_CONTRAST) {
    GST_OBJECT_LOCK(self);
    self->contrast = g_value_get_int(value);
    GST_OBJECT_UNLOCK(self);
  } else {
    G_OBJECT_WARN_INVALID_PROPERTY_ID(object, id, spec);
  }
}

void GetProperty(GObject* object, guint id, GValue* value, GParamSpec* spec) {
  auto* self = GST_DEMO_CAMERA_SRC(object);
  if (id == PROP_FAIL_AFTER) {
    GST_OBJECT_LOCK(self);
    g_value_set_uint(value, self->failAfter);
    GST_OBJECT_UNLOCK(self);
  } else if (id == PROP_MAX_WIDTH) {
    GST_OBJECT_LOCK(self);
    g_value_set_int(value, self->maxWidth);
    GST_OBJECT_UNLOCK(self);
  } else if (id == PROP_BRIGHTNESS) {
    GST_OBJECT_LOCK(self);
    g_value_set_int(value, self->brightness);
    GST_OBJECT_UNLOCK(self);
  } else if (id == PROP_CONTRAST) {
    GST_OBJECT_LOCK(self);
    g_value_set_int(value, self->contrast);
    GST_OBJECT_UNLOCK(self);
  } else {
    G_OBJECT_WARN_INVALID_PROPERTY_ID(object, id, spec);
  }
}

void Finalize(GObject* object) {
  auto* self = GST_DEMO_CAMERA_SRC(object);
  delete self->page;
  self->page = nullptr;
  G_OBJECT_CLASS(gst_demo_camera_src_parent_class)->finalize(object);
}

// The template, with widths up to max-width once the camera is open (from
// READY on): like a V4L2 source, a closed camera offers every size, so a
// graph asking too much is built and fails when it negotiates.
GstCaps* GetCaps(GstBaseSrc* base, GstCaps* filter) {
  auto* self = GST_DEMO_CAMERA_SRC(base);
  GST_OBJECT_LOCK(self);
  const gint maxWidth = GST_STATE(self) == GST_STATE_NULL ? 4096 : self->maxWidth;
  GST_OBJECT_UNLOCK(self);
  GstCaps* caps = gst_caps_make_writable(gst_pad_get_pad_template_caps(GST_BASE_SRC_PAD(base)));
  for (guint i = 0; i < gst_caps_get_size(caps); ++i) {
    gst_structure_set(gst_caps_get_structure(caps, i), "width", GST_TYPE_INT_RANGE, 16, maxWidth, nullptr);
  }
  if (filter != nullptr) {
    GstCaps* filtered = gst_caps_intersect_full(filter, caps, GST_CAPS_INTERSECT_FIRST);
    gst_caps_unref(caps);
    caps = filtered;
  }
  return caps;
}

GstCaps* Fixate(GstBaseSrc* base, GstCaps* caps) {
  caps = gst_caps_truncate(gst_caps_make_writable(caps));
  GstStructure* structure = gst_caps_get_structure(caps, 0);
  gst_structure_fixate_field_nearest_int(structure, "width", 1280);
  gst_structure_fixate_field_nearest_int(structure, "height", 720);
  gst_structure_fixate_field_nearest_fraction(structure, "framerate", 20, 1);
  return GST_BASE_SRC_CLASS(gst_demo_camera_src_parent_class)->fixate(base, caps);
}

gboolean SetCaps(GstBaseSrc* base, GstCaps* caps) {
  auto* self = GST_DEMO_CAMERA_SRC(base);
  const GstStructure* structure = gst_caps_get_structure(caps, 0);
  int width = 0, height = 0, fpsN = 0, fpsD = 1;
  if (!gst_structure_get_int(structure, "width", &width) || !gst_structure_get_int(structure, "height", &height) ||
      !gst_structure_get_fraction(structure, "framerate", &fpsN, &fpsD) || fpsN < 1 || fpsD < 1) {
    GST_WARNING_OBJECT(self, "refusing caps %" GST_PTR_FORMAT, caps);
    return FALSE;
  }
  const bool yuy2 = gst_structure_has_name(structure, "video/x-raw");
  if (yuy2 && (width % 2) != 0) return FALSE;
  GST_OBJECT_LOCK(self);
  if (width != self->width || height != self->height) {
    delete self->page;
    self->page = nullptr;
  }
  self->width = width;
  self->height = height;
  self->fpsN = fpsN;
  self->fpsD = fpsD;
  self->yuy2 = yuy2;
  GST_OBJECT_UNLOCK(self);
  return TRUE;
}

gboolean Start(GstBaseSrc* base) {
  auto* self = GST_DEMO_CAMERA_SRC(base);
  if (!orvilo::media::DemoCameraPlugged()) {
    GST_ELEMENT_ERROR(self, RESOURCE, OPEN_READ, ("The camera is not connected."), ("demo camera unplugged"));
    return FALSE;
  }
  GST_OBJECT_LOCK(self);
  self->frames = 0;
  self->firstRunningTime = GST_CLOCK_TIME_NONE;
  self->flushing = false;
  GST_OBJECT_UNLOCK(self);
  return TRUE;
}

gboolean Unlock(GstBaseSrc* base) {
  auto* self = GST_DEMO_CAMERA_SRC(base);
  GST_OBJECT_LOCK(self);
  self->flushing = true;
  if (self->waiting != nullptr) gst_clock_id_unschedule(self->waiting);
  GST_OBJECT_UNLOCK(self);
  return TRUE;
}

gboolean UnlockStop(GstBaseSrc* base) {
  auto* self = GST_DEMO_CAMERA_SRC(base);
  GST_OBJECT_LOCK(self);
  self->flushing = false;
  GST_OBJECT_UNLOCK(self);
  return TRUE;
}

// Waits until the running time of frame `frames` has come; false when
// flushing.
bool WaitForFrameTime(GstDemoCameraSrc* self, GstClockTime duration, GstClockTime& runningTime) {
  GstClock* clock = gst_element_get_clock(GST_ELEMENT(self));
  if (clock == nullptr) {
    runningTime = self->frames * duration;
    return true;
  }
  const GstClockTime base = gst_element_get_base_time(GST_ELEMENT(self));
  const GstClockTime now = gst_clock_get_time(clock);
  const GstClockTime nowRunning = now > base ? now - base : 0;
  GST_OBJECT_LOCK(self);
  if (!GST_CLOCK_TIME_IS_VALID(self->firstRunningTime)) self->firstRunningTime = nowRunning;
  runningTime = self->firstRunningTime + self->frames * duration;
  bool go = !self->flushing;
  if (go && runningTime > nowRunning) {
    self->waiting = gst_clock_new_single_shot_id(clock, base + runningTime);
    GST_OBJECT_UNLOCK(self);
    gst_clock_id_wait(self->waiting, nullptr);
    GST_OBJECT_LOCK(self);
    gst_clock_id_unref(self->waiting);
    self->waiting = nullptr;
    go = !self->flushing;
  }
  GST_OBJECT_UNLOCK(self);
  gst_object_unref(clock);
  return go;
}

// Brightness and contrast through one table of the 256 colour values: the
// camera's own processing, before the frame is encoded.
void ApplyPictureControls(QImage& frame, int brightness, int contrast) {
  if (brightness == 0 && contrast == 100) return;
  std::uint8_t table[256];
  for (int v = 0; v < 256; ++v) table[v] = static_cast<std::uint8_t>(std::clamp((v - 128) * contrast / 100 + 128 + brightness, 0, 255));
  for (int y = 0; y < frame.height(); ++y) {
    auto* pixel = reinterpret_cast<QRgb*>(frame.scanLine(y));
    for (int x = 0; x < frame.width(); ++x) {
      const QRgb p = pixel[x];
      pixel[x] = qRgb(table[qRed(p)], table[qGreen(p)], table[qBlue(p)]);
    }
  }
}

void FreeBytes(gpointer bytes) { delete static_cast<std::vector<std::uint8_t>*>(bytes); }

GstFlowReturn Create(GstPushSrc* push, GstBuffer** out) {
  auto* self = GST_DEMO_CAMERA_SRC(push);
  if (self->width < 1 || self->fpsN < 1) {
    GST_ELEMENT_ERROR(self, CORE, NEGOTIATION, (nullptr), ("no format negotiated"));
    return GST_FLOW_NOT_NEGOTIATED;
  }
  const GstClockTime duration = gst_util_uint64_scale_int(GST_SECOND, self->fpsD, self->fpsN);
  GstClockTime runningTime = 0;
  if (!WaitForFrameTime(self, duration, runningTime)) return GST_FLOW_FLUSHING;

  GST_OBJECT_LOCK(self);
  const guint failAfter = self->failAfter;
  const int brightness = self->brightness;
  const int contrast = self->contrast;
  GST_OBJECT_UNLOCK(self);
  if (!orvilo::media::DemoCameraPlugged()) {
    GST_ELEMENT_ERROR(self, RESOURCE, READ, ("The camera stopped sending pictures."), ("demo camera unplugged"));
    return GST_FLOW_ERROR;
  }
  if (failAfter > 0 && self->frames >= failAfter) {
    GST_ELEMENT_ERROR(self, RESOURCE, READ, ("The camera stopped sending pictures."),
                      ("demo camera failing on purpose after %u frames", failAfter));
    return GST_FLOW_ERROR;
  }
  if (self->page == nullptr) self->page = new QImage(PaintPage(self->width, self->height));
  const double seconds = static_cast<double>(self->frames * duration) / GST_SECOND;
  QImage frame = orvilo::media::DemoFrameAt(*self->page, seconds);
  ApplyPictureControls(frame, brightness, contrast);
  auto* bytes = new std::vector<std::uint8_t>(self->yuy2 ? orvilo::media::ToYuy2(frame)
                                                          : orvilo::media::EncodeCameraJpeg(frame));
  if (bytes->empty()) {
    delete bytes;
    GST_ELEMENT_ERROR(self, RESOURCE, FAILED, ("The demo camera could not make a picture."), ("encoding failed"));
    return GST_FLOW_ERROR;
  }
  GstBuffer* buffer = gst_buffer_new_wrapped_full(GST_MEMORY_FLAG_READONLY, bytes->data(), bytes->size(), 0,
                                                  bytes->size(), bytes, FreeBytes);
  GST_BUFFER_PTS(buffer) = runningTime;
  GST_BUFFER_DURATION(buffer) = duration;
  GST_BUFFER_OFFSET(buffer) = self->frames;
  ++self->frames;
  *out = buffer;
  return GST_FLOW_OK;
}

}  // namespace

static void gst_demo_camera_src_class_init(GstDemoCameraSrcClass* klass) {
  auto* objectClass = G_OBJECT_CLASS(klass);
  auto* elementClass = GST_ELEMENT_CLASS(klass);
  auto* baseClass = GST_BASE_SRC_CLASS(klass);
  auto* pushClass = GST_PUSH_SRC_CLASS(klass);
  objectClass->set_property = SetProperty;
  objectClass->get_property = GetProperty;
  objectClass->finalize = Finalize;
  g_object_class_install_property(
      objectClass, PROP_FAIL_AFTER,
      g_param_spec_uint("fail-after", "Fail after", "Fail like an unplugged camera after this many frames (0 = never)",
                        0, G_MAXUINT, 0, static_cast<GParamFlags>(G_PARAM_READWRITE | G_PARAM_STATIC_STRINGS)));
  g_object_class_install_property(
      objectClass, PROP_MAX_WIDTH,
      g_param_spec_int("max-width", "Largest width", "The largest picture width the camera offers", 16, 4096, 4096,
                       static_cast<GParamFlags>(G_PARAM_READWRITE | G_PARAM_STATIC_STRINGS)));
  g_object_class_install_property(
      objectClass, PROP_BRIGHTNESS,
      g_param_spec_int("brightness", "Brightness", "Added to every colour value", -128, 127, 0,
                       static_cast<GParamFlags>(G_PARAM_READWRITE | G_PARAM_STATIC_STRINGS)));
  g_object_class_install_property(
      objectClass, PROP_CONTRAST,
      g_param_spec_int("contrast", "Contrast", "Contrast around mid-grey, per cent", 0, 200, 100,
                       static_cast<GParamFlags>(G_PARAM_READWRITE | G_PARAM_STATIC_STRINGS)));
  gst_element_class_add_static_pad_template(elementClass, &srcTemplate);
  gst_element_class_set_static_metadata(elementClass, "Orvilo demo camera", "Source/Video",
                                        "A document camera filming a textbook page, without hardware", "Orvilo");
  baseClass->get_caps = GetCaps;
  baseClass->fixate = Fixate;
  baseClass->set_caps = SetCaps;
  baseClass->start = Start;
  baseClass->unlock = Unlock;
  baseClass->unlock_stop = UnlockStop;
  pushClass->create = Create;
  GST_DEBUG_CATEGORY_INIT(demo_camera_src_debug, "orvilodemocamsrc", 0, "Orvilo demo camera");
}

static void gst_demo_camera_src_init(GstDemoCameraSrc* self) {
  self->failAfter = 0;
  self->maxWidth = 4096;
  self->brightness = 0;
  self->contrast = 100;
  self->width = 0;
  self->height = 0;
  self->fpsN = 0;
  self->fpsD = 1;
  self->yuy2 = false;
  self->page = nullptr;
  self->frames = 0;
  self->firstRunningTime = GST_CLOCK_TIME_NONE;
  self->waiting = nullptr;
  self->flushing = false;
  gst_base_src_set_live(GST_BASE_SRC(self), TRUE);
  gst_base_src_set_format(GST_BASE_SRC(self), GST_FORMAT_TIME);
}

namespace orvilo::media {

void SetDemoPagePainter(DemoPagePainter painter) {
  std::lock_guard lock(painterLock);
  PagePainter() = std::move(painter);
}

bool RegisterDemoCameraElement() {
  return gst_element_register(nullptr, kDemoCameraElement, GST_RANK_NONE, GST_TYPE_DEMO_CAMERA_SRC) == TRUE;
}

}  // namespace orvilo::media

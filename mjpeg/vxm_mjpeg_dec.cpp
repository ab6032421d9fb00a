/**
 * Element vxmmjpegdec: decodes Motion-JPEG camera frames (4:2:2 or 4:2:0, with or
 * without Huffman tables) to BGRx pictures of the same size.
 *
 *   gst-launch-1.0 v4l2src ! image/jpeg,width=1920,height=1080 ! vxmmjpegdec ! videoconvert ! autovideosink
 *
 * Input caps must carry the picture's width and height; the output has exactly that
 * size, format BGRx, top-down. Frames that fail to decode, that end early or whose size
 * differs from the negotiated one are dropped, and the stream goes on. The module's
 * black-and-white switch (SetBW in VxmMjpeg.h) turns every later picture grey.
 */
#include "mjpeg/vxm_mjpeg_dec.h"

#include "mjpeg/black_white_switch.h"
#include "mjpeg/colour_conversion.h"

GST_DEBUG_CATEGORY_STATIC(vxm_mjpeg_dec_debug);
#define GST_CAT_DEFAULT vxm_mjpeg_dec_debug

namespace {

constexpr const char* kClassId = "{EA997654-B9EB-4DC5-8E2D-A1FFAF5A0C77}";

GstStaticPadTemplate sinkTemplate = GST_STATIC_PAD_TEMPLATE(
    "sink", GST_PAD_SINK, GST_PAD_ALWAYS,
    GST_STATIC_CAPS("image/jpeg, width = (int) [ 1, 16384 ], height = (int) [ 1, 16384 ]"));

GstStaticPadTemplate srcTemplate = GST_STATIC_PAD_TEMPLATE(
    "src", GST_PAD_SRC, GST_PAD_ALWAYS,
    GST_STATIC_CAPS("video/x-raw, format = (string) BGRx, width = (int) [ 1, 16384 ], height = (int) [ 1, 16384 ], "
                    "framerate = (fraction) [ 0/1, MAX ]"));

}  // namespace

G_DEFINE_TYPE(GstVxmMjpegDec, gst_vxm_mjpeg_dec, GST_TYPE_BASE_TRANSFORM)

namespace {

// Image size, frame rate and pixel shape carry over; everything else is per format.
GstCaps* MapCaps(GstCaps* caps, bool toRaw) {
  GstCaps* result = gst_caps_new_empty();
  for (guint i = 0; i < gst_caps_get_size(caps); ++i) {
    const GstStructure* from = gst_caps_get_structure(caps, i);
    GstStructure* to = gst_structure_new_empty(toRaw ? "video/x-raw" : "image/jpeg");
    for (const char* field : {"width", "height", "framerate", "pixel-aspect-ratio"}) {
      if (const GValue* value = gst_structure_get_value(from, field)) gst_structure_set_value(to, field, value);
    }
    if (toRaw) gst_structure_set(to, "format", G_TYPE_STRING, "BGRx", nullptr);
    result = gst_caps_merge_structure(result, to);
  }
  return result;
}

GstCaps* TransformCaps(GstBaseTransform* base, GstPadDirection direction, GstCaps* caps, GstCaps* filter) {
  GstCaps* mapped = MapCaps(caps, direction == GST_PAD_SINK);
  GstPad* other = direction == GST_PAD_SINK ? GST_BASE_TRANSFORM_SRC_PAD(base) : GST_BASE_TRANSFORM_SINK_PAD(base);
  GstCaps* templ = gst_pad_get_pad_template_caps(other);
  GstCaps* result = gst_caps_intersect(mapped, templ);
  gst_caps_unref(templ);
  gst_caps_unref(mapped);
  if (filter != nullptr) {
    GstCaps* filtered = gst_caps_intersect_full(filter, result, GST_CAPS_INTERSECT_FIRST);
    gst_caps_unref(result);
    result = filtered;
  }
  GST_DEBUG_OBJECT(base, "transformed %" GST_PTR_FORMAT " into %" GST_PTR_FORMAT, caps, result);
  return result;
}

// Input: JPEG with a fixed size. Output: BGRx of exactly that size.
gboolean SetCaps(GstBaseTransform* base, GstCaps* incaps, GstCaps* outcaps) {
  auto* self = GST_VXM_MJPEG_DEC(base);
  const GstStructure* in = gst_caps_get_structure(incaps, 0);
  gint width = 0, height = 0;
  if (!gst_structure_has_name(in, "image/jpeg") || !gst_structure_get_int(in, "width", &width) ||
      !gst_structure_get_int(in, "height", &height) || width < 1 || height < 1) {
    GST_WARNING_OBJECT(self, "refusing input %" GST_PTR_FORMAT, incaps);
    return FALSE;
  }
  GstVideoInfo info;
  if (!gst_video_info_from_caps(&info, outcaps) || GST_VIDEO_INFO_FORMAT(&info) != GST_VIDEO_FORMAT_BGRx ||
      GST_VIDEO_INFO_WIDTH(&info) != width || GST_VIDEO_INFO_HEIGHT(&info) != height) {
    GST_WARNING_OBJECT(self, "refusing output %" GST_PTR_FORMAT, outcaps);
    return FALSE;
  }
  self->outputInfo = info;
  return TRUE;
}

gboolean TransformSize(GstBaseTransform*, GstPadDirection direction, GstCaps*, gsize, GstCaps* othercaps,
                       gsize* othersize) {
  if (direction != GST_PAD_SINK) return FALSE;
  GstVideoInfo info;
  if (!gst_video_info_from_caps(&info, othercaps)) return FALSE;
  *othersize = GST_VIDEO_INFO_SIZE(&info);
  return TRUE;
}

gboolean Start(GstBaseTransform* base) {
  auto* self = GST_VXM_MJPEG_DEC(base);
  if (self->decoder == nullptr) {
    GST_ELEMENT_ERROR(self, RESOURCE, NO_SPACE_LEFT, ("Out of memory for the MJPEG decoder."),
                      ("the decoder context could not be created"));
    return FALSE;
  }
  return TRUE;
}

GstFlowReturn Transform(GstBaseTransform* base, GstBuffer* inbuf, GstBuffer* outbuf) {
  auto* self = GST_VXM_MJPEG_DEC(base);
  GstMapInfo in;
  if (gst_buffer_get_size(inbuf) == 0 || !gst_buffer_map(inbuf, &in, GST_MAP_READ)) {
    return GST_BASE_TRANSFORM_FLOW_DROPPED;
  }
  orvilo::mjpeg::PlaneSet planes;
  g_mutex_lock(&self->decoderLock);
  const long consumed = orvilo::mjpeg::DecodeFrame(self->decoder, &planes, in.data, in.size);
  g_mutex_unlock(&self->decoderLock);
  gst_buffer_unmap(inbuf, &in);
  if (consumed <= 0 || planes.y == nullptr || planes.width != GST_VIDEO_INFO_WIDTH(&self->outputInfo) ||
      planes.height != GST_VIDEO_INFO_HEIGHT(&self->outputInfo)) {
    GST_DEBUG_OBJECT(self, "dropping a frame (result %ld, %dx%d)", consumed, planes.width, planes.height);
    return GST_BASE_TRANSFORM_FLOW_DROPPED;
  }
  GstVideoFrame frame;
  if (!gst_video_frame_map(&frame, &self->outputInfo, outbuf, GST_MAP_WRITE)) return GST_BASE_TRANSFORM_FLOW_DROPPED;
  // The planes are only touched by this streaming thread until its next frame.
  orvilo::mjpeg::ConvertToBgrx(static_cast<uint8_t*>(GST_VIDEO_FRAME_PLANE_DATA(&frame, 0)),
                               GST_VIDEO_FRAME_PLANE_STRIDE(&frame, 0), planes, false,
                               orvilo::mjpeg::BlackWhiteSwitch() != 0);
  gst_video_frame_unmap(&frame);
  if (self->firstSample) {
    GST_BUFFER_FLAG_UNSET(outbuf, GST_BUFFER_FLAG_DELTA_UNIT);
    self->firstSample = FALSE;
  }
  return GST_FLOW_OK;
}

void Finalize(GObject* object) {
  auto* self = GST_VXM_MJPEG_DEC(object);
  orvilo::mjpeg::DestroyContext(self->decoder);
  self->decoder = nullptr;
  g_mutex_clear(&self->decoderLock);
  G_OBJECT_CLASS(gst_vxm_mjpeg_dec_parent_class)->finalize(object);
}

}  // namespace

static void gst_vxm_mjpeg_dec_class_init(GstVxmMjpegDecClass* klass) {
  GST_DEBUG_CATEGORY_INIT(vxm_mjpeg_dec_debug, "vxmmjpegdec", 0, "Vexmar MJPEG Decoder");
  auto* objectClass = G_OBJECT_CLASS(klass);
  auto* elementClass = GST_ELEMENT_CLASS(klass);
  auto* transformClass = GST_BASE_TRANSFORM_CLASS(klass);

  objectClass->finalize = Finalize;

  gst_element_class_add_static_pad_template(elementClass, &sinkTemplate);
  gst_element_class_add_static_pad_template(elementClass, &srcTemplate);
  gst_element_class_set_static_metadata(elementClass, "Vexmar MJPEG Decoder", "Codec/Decoder/Video",
                                        "Decodes Motion-JPEG camera frames to BGRx pictures", "Orvilo");
  gst_element_class_add_static_metadata(elementClass, "class-id", kClassId);

  transformClass->transform_caps = TransformCaps;
  transformClass->set_caps = SetCaps;
  transformClass->transform_size = TransformSize;
  transformClass->start = Start;
  transformClass->transform = Transform;
  transformClass->passthrough_on_same_caps = FALSE;
}

static void gst_vxm_mjpeg_dec_init(GstVxmMjpegDec* self) {
  g_mutex_init(&self->decoderLock);
  self->decoder = orvilo::mjpeg::CreateContext();
  gst_video_info_init(&self->outputInfo);
  self->firstSample = TRUE;
}

// The element "vxmmjpegdec": Motion-JPEG camera frames in, BGRx pictures out.
#pragma once

#include <gst/base/gstbasetransform.h>
#include <gst/gst.h>
#include <gst/video/video.h>

#include "mjpeg/decoder.h"

G_BEGIN_DECLS

#define GST_TYPE_VXM_MJPEG_DEC (gst_vxm_mjpeg_dec_get_type())
G_DECLARE_FINAL_TYPE(GstVxmMjpegDec, gst_vxm_mjpeg_dec, GST, VXM_MJPEG_DEC, GstBaseTransform)

struct _GstVxmMjpegDec {
  GstBaseTransform parent;

  // The negotiated output: the input's picture size, BGRx.
  GstVideoInfo outputInfo;

  // Decoding is serialised by this lock; conversion runs outside it.
  GMutex decoderLock;
  orvilo::mjpeg::DecoderContext* decoder;

  gboolean firstSample;  // the next output is the first of the element's life
};

G_END_DECLS

// The plug-in module VxmMjpeg.so: registers the decoder element.
#include <gst/gst.h>

#include "mjpeg/vxm_mjpeg_dec.h"

#ifndef PACKAGE
#define PACKAGE "orvilo"
#endif

namespace {

gboolean PluginInit(GstPlugin* plugin) {
  // Never picked by auto-plugging: programs ask for it by name.
  return gst_element_register(plugin, "vxmmjpegdec", GST_RANK_NONE, GST_TYPE_VXM_MJPEG_DEC);
}

}  // namespace

// The module file is VxmMjpeg.so, so GStreamer looks for gst_plugin_VxmMjpeg_get_desc.
GST_PLUGIN_DEFINE(GST_VERSION_MAJOR, GST_VERSION_MINOR, VxmMjpeg, "Vexmar Motion-JPEG decoder", PluginInit, "0.1",
                  "Proprietary", "Orvilo", "https://orvilo.invalid/")

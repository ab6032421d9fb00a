#include "platform/media/gstreamer_runtime.h"

#include <gst/gst.h>

#include <mutex>

#include "platform/media/demo_camera_src.h"

namespace orvilo::media {

bool EnsureGstreamer() {
  static std::once_flag once;
  static bool ready = false;
  std::call_once(once, [] {
    GError* error = nullptr;
    if (!gst_init_check(nullptr, nullptr, &error)) {
      g_printerr("GStreamer cannot start: %s\n", error != nullptr ? error->message : "unknown reason");
      if (error != nullptr) g_error_free(error);
      return;
    }
    ready = RegisterDemoCameraElement();
  });
  return ready;
}

std::string ElementModuleFile(const char* factoryName) {
  if (!EnsureGstreamer()) return "";
  GstPluginFeature* feature = gst_registry_lookup_feature(gst_registry_get(), factoryName);
  if (feature == nullptr) return "";
  std::string file;
  if (GstPlugin* plugin = gst_plugin_feature_get_plugin(feature)) {
    if (const gchar* name = gst_plugin_get_filename(plugin)) file = name;
    gst_object_unref(plugin);
  }
  gst_object_unref(feature);
  return file;
}

}  // namespace orvilo::media

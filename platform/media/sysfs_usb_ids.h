// The USB identifiers of a V4L2 device node as the kernel shows them in sysfs.
#pragma once

#include <string>
#include <vector>

namespace orvilo::media {

// "vid_xxxx&pid_xxxx" (lower-case hexadecimal) of the USB device behind a
// node such as /dev/video0; empty when it is not a USB device.
std::string UsbIdsOfVideoNode(const std::string& devicePath);

// The V4L2 nodes sysfs lists ("/dev/videoN", sorted) with their names.
struct SysfsVideoNode {
  std::string path;
  std::string name;
};
std::vector<SysfsVideoNode> SysfsVideoNodes();

}  // namespace orvilo::media

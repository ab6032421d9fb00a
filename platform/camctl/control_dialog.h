// The camera's own settings: a dialog listing every control the device has
// (a check box for on/off controls, a slider for the others), each change
// written to the device at once. Nothing is shown for a device without
// controls.
#pragma once

#include <string>

class QWidget;

namespace orvilo::camctl {

void ShowControlDialog(const std::string& devicePath, const std::string& title, QWidget* owner);

}  // namespace orvilo::camctl

// What the demo camera films: an open textbook, a Korean page with a figure
// beside an English page, rendered by demo/ once and scaled to the size the
// camera is asked for.
#pragma once

#include <QImage>

namespace orvilo::camera {

QImage DemoTextbookPicture(int width, int height);

// Makes the demo camera film DemoTextbookPicture (once per process).
void InstallDemoCameraPage();

}  // namespace orvilo::camera

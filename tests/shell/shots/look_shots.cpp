// Pictures of the program's smaller windows for the documentation.
//   look_shots windows <folder>            settings pages (Korean and English),
//                                          tools palette, pickers
//   look_shots shrink <in.png> <out.png> <max width>
//                                          a smaller palette PNG of a grab
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTimer>
#include <cstdio>
#include <functional>

#include "platform/gdi/key_colour.h"
#include "shell/resolution_dialog.h"
#include "shell/tools_window.h"
#include "ui/picker_popup.h"

namespace {

using namespace orvilo;

// Palette PNGs keep the set to a few hundred kilobytes.
bool SaveSmall(QImage picture, const QString& path, int maxWidth = 0) {
  if (picture.isNull()) return false;
  if (maxWidth > 0 && picture.width() > maxWidth) {
    picture = picture.scaledToWidth(maxWidth, Qt::SmoothTransformation);
  }
  const QImage::Format format = picture.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32;
  return picture.convertToFormat(format).convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither).save(path, "PNG");
}

// The widget as shown; where `shape` is magenta, transparent.
QImage Grab(QWidget& widget, const QImage& shape = {}) {
  QImage picture = widget.grab().toImage().convertToFormat(QImage::Format_ARGB32);
  if (shape.size() == picture.size()) {
    for (int y = 0; y < picture.height(); ++y) {
      for (int x = 0; x < picture.width(); ++x) {
        if ((shape.pixel(x, y) & 0xFFFFFF) == (gdi::kKeyColour & 0xFFFFFF)) picture.setPixel(x, y, 0);
      }
    }
  }
  return picture;
}

// Runs `dialog` modally, grabs it once it is shown and closes it.
QImage GrabModal(win::Dialog& dialog, const std::function<QImage()>& grab) {
  QImage picture;
  QTimer::singleShot(50, &dialog, [&] {
    picture = grab();
    dialog.EndDialog(win::kResultCancel);
  });
  dialog.DoModal();
  return picture;
}

int Windows(const QString& folder) {
  QDir().mkpath(folder);
  const QString dictionary = folder + "/.sample.dic";
  {
    QFile file(dictionary);
    if (file.open(QIODevice::WriteOnly)) file.write("photosynthesis  광합성\nequator  적도\nfraction  분수\n");
  }
  struct Page {
    shell::SettingsPage page;
    const char* name;
  };
  const Page pages[] = {{shell::SettingsPage::Resolution, "0-resolution"},  {shell::SettingsPage::ResolutionGroupB, "1-resolution"},
                        {shell::SettingsPage::Settings, "2-settings"},      {shell::SettingsPage::About, "3-about"},
                        {shell::SettingsPage::Dictionary, "5-dictionary"},  {shell::SettingsPage::NoCamera, "6-no-camera"},
                        {shell::SettingsPage::Rename, "8-rename"},          {shell::SettingsPage::ResolutionGroupC, "9-resolution"}};
  int failures = 0;
  for (const bool korean : {true, false}) {
    for (const Page& page : pages) {
      shell::SettingsDialogState state;
      state.page = page.page;
      state.resolutionIndex = 2;
      if (page.page == shell::SettingsPage::Settings) {
        state.text1 = "/home/teacher/Pictures/Orvilo";
        state.text2 = "/home/teacher/Videos/Orvilo";
      } else if (page.page == shell::SettingsPage::Dictionary) {
        state.text1 = dictionary.toStdString();
        state.text2 = dictionary.toStdString();
      } else if (page.page == shell::SettingsPage::Rename) {
        state.text1 = "Science 3-1";
      }
      shell::CVyrResolutionDLG dialog(state, korean, nullptr);
      const QImage picture = GrabModal(dialog, [&] { return Grab(dialog, dialog.RenderPage()); });
      const QString path = QString("%1/settings-%2-%3.png").arg(folder, page.name, korean ? "ko" : "en");
      if (!SaveSmall(picture, path)) ++failures;
    }
  }
  QFile::remove(dictionary);

  for (const bool korean : {true, false}) {
    for (const auto set : {shell::ToolSet::Camera, shell::ToolSet::Image}) {
      win::Window owner;
      owner.resize(400, 700);
      shell::CVyr3ToolsWnd palette(korean);
      if (!palette.Create(&owner, "tools", 7, QRect())) {
        ++failures;
        continue;
      }
      palette.SetToolSet(set);
      palette.show();
      const QString path = QString("%1/palette-%2-%3.png")
                               .arg(folder, set == shell::ToolSet::Camera ? "camera" : "image", korean ? "ko" : "en");
      if (!SaveSmall(Grab(palette), path)) ++failures;
    }
  }

  struct Picker {
    ui::PickerKind kind;
    const char* name;
    int width, height;
  };
  const Picker pickers[] = {{ui::PickerKind::Colour, "colour", 90, 20},   {ui::PickerKind::PenWidth, "pen-width", 90, 20},
                            {ui::PickerKind::Shape, "shape", 90, 20},     {ui::PickerKind::Board, "board", 90, 20},
                            {ui::PickerKind::ZoomPercent, "zoom", 50, 18}, {ui::PickerKind::SpeedFactor, "speed", 50, 18}};
  for (const bool korean : {true, false}) {
    for (const Picker& picker : pickers) {
      ui::CCobboDlg popup(korean);
      popup.kind = picker.kind;
      popup.selected = 2;
      popup.firstRow = gdi::Rect{100, 100, 100 + picker.width, 100 + picker.height};
      const QImage picture = GrabModal(popup, [&] { return Grab(popup); });
      const QString path = QString("%1/picker-%2-%3.png").arg(folder, picker.name, korean ? "ko" : "en");
      if (!SaveSmall(picture, path)) ++failures;
    }
  }
  return failures == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() == 3 && args[1] == "windows") return Windows(args[2]);
  if (args.size() == 5 && args[1] == "shrink") return SaveSmall(QImage(args[2]), args[3], args[4].toInt()) ? 0 : 1;
  std::fprintf(stderr, "usage: look_shots windows <folder> | shrink <in.png> <out.png> <max width>\n");
  return 2;
}

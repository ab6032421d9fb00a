#include "platform/camctl/control_dialog.h"

#include <linux/videodev2.h>

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSlider>
#include <memory>

#include "platform/camctl/camera_controls.h"

namespace orvilo::camctl {

void ShowControlDialog(const std::string& devicePath, const std::string& title, QWidget* owner) {
  auto controls = std::make_shared<CameraControls>(devicePath);
  const auto list = controls->List();
  if (list.empty()) return;
  QDialog dialog(owner);
  dialog.setWindowTitle(QString::fromStdString(title));
  auto* form = new QFormLayout(&dialog);
  for (const auto& control : list) {
    const auto value = controls->Get(control.id).value_or(control.defaultValue);
    const QString name = QString::fromStdString(control.name);
    const std::uint32_t id = control.id;
    if (control.type == V4L2_CTRL_TYPE_BOOLEAN) {
      auto* box = new QCheckBox(&dialog);
      box->setChecked(value != 0);
      QObject::connect(box, &QCheckBox::toggled, &dialog, [controls, id](bool on) { controls->Set(id, on ? 1 : 0); });
      form->addRow(name, box);
    } else if (control.type == V4L2_CTRL_TYPE_INTEGER || control.type == V4L2_CTRL_TYPE_MENU) {
      auto* slider = new QSlider(Qt::Horizontal, &dialog);
      slider->setRange(control.minimum, control.maximum);
      slider->setSingleStep(std::max(1, control.step));
      slider->setValue(value);
      QObject::connect(slider, &QSlider::valueChanged, &dialog, [controls, id](int v) { controls->Set(id, v); });
      form->addRow(name, slider);
    }
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  form->addRow(buttons);
  dialog.exec();
}

}  // namespace orvilo::camctl

// CSkinRadioButton: a radio button in the dialogs' look — a grey ring that
// fills with the accent blue when checked, black text, and no background of
// its own, so the dialog's painted page shows through around it.
#pragma once

#include <QRadioButton>

namespace orvilo::ui {

class CSkinRadioButton : public QRadioButton {
  Q_OBJECT
 public:
  explicit CSkinRadioButton(const QString& text, QWidget* parent = nullptr);

  // The ring's size and the gap before the text.
  static constexpr int kIndicator = 13;
  static constexpr int kTextLeft = 19;
  static constexpr QRgb kAccent = 0xFF1E88E5;  // RGB 30, 136, 229

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool hitButton(const QPoint& pos) const override;
};

}  // namespace orvilo::ui

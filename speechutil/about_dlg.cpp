#include "speechutil/about_dlg.h"

#include <QLabel>
#include <QPushButton>

#include "engines/sonara/sonara_m.h"
#include "speechutil/editor_texts.h"
#include "speechutil/speech_pictures.h"

namespace orvilo::speechutil {

CAboutDlg::CAboutDlg(QWidget* parent) : win::Dialog(parent) {
  setWindowTitle("Sonara-PC Speech Generator Ver2.0");
  setFixedSize(560, 200);
  auto* picture = new QLabel(this);
  picture->setPixmap(QPixmap::fromImage(AboutPicture()));
  picture->setGeometry(12, 12, 120, 120);
  for (int language = 0; language < 4; ++language) {
    EngineInfo info{};
    STTS_GetEngineInfo(language, &info);
    // A static whose background colour is set (the dialog face of the original).
    auto* line = new QLabel(QString::fromStdString(EngineInfoLine(info)), this);
    line->setProperty("controlId", 1021 + language);
    line->setAutoFillBackground(true);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, QColor(212, 208, 200));
    palette.setColor(QPalette::WindowText, Qt::black);
    line->setPalette(palette);
    line->setGeometry(144, 12 + 30 * language, 404, 24);
    lines_[static_cast<std::size_t>(language)] = line;
  }
  auto* close = new QPushButton("Close", this);
  close->setGeometry(448, 160, 100, 28);
  connect(close, &QPushButton::clicked, this, [this] {
    EndDialog(win::kResultOk);
    if (!IsModalRunning()) hide();
  });
}

std::array<std::string, 4> CAboutDlg::Lines() const {
  std::array<std::string, 4> lines;
  for (std::size_t i = 0; i < lines.size(); ++i) lines[i] = lines_[i]->text().toStdString();
  return lines;
}

}  // namespace orvilo::speechutil

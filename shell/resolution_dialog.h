// CVyrResolutionDLG, the settings dialog: one modal dialog of several pages
// (resolution, folders, about, user dictionary, no camera, AR chapter,
// rename). It paints its own skinned frame (shaped by the frame's magenta
// corners), has skinned buttons and radio buttons, and is dragged by its top
// strip. Without its frame pictures it paints a white page with a thin grey
// border; a button without its picture gets a plain drawn one.
//
// The "Searching for Camera" page (6) runs the state's camera search while
// it shows and ends with OK when a supported camera is listed; its close
// button ends it with Close.
//
// The AR chapter picker (page 7) takes the program folder as text 1 (the
// AR content is read from its folder AR), the grade as the AR grade and the
// preset unit as the AR semester and unit; on OK the semester and unit are
// the chosen unit.
#pragma once

#include <QButtonGroup>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <array>

#include "ar/chapter_picker.h"
#include "platform/win/dialog.h"
#include "shell/settings_dialog.h"
#include "ui/skin_button.h"

namespace orvilo::shell {

class CVyrResolutionDLG : public win::Dialog {
  Q_OBJECT
 public:
  // `korean` from the component language rule at construction.
  CVyrResolutionDLG(SettingsDialogState& state, bool korean, QWidget* owner);
  // Stops the no-camera page's search, whatever ended the page.
  ~CVyrResolutionDLG() override;

  // Control identifiers of the dialog.
  static constexpr int kClose = 1625;
  static constexpr int kOk = 1626;
  static constexpr int kCancel = 1627;
  static constexpr int kBrowseImageFolder = 1628;
  static constexpr int kBrowseMovieFolder = 1629;
  static constexpr int kCameraSettings = 1630;
  static constexpr int kNameEdit = 1010;
  static constexpr int kDictionaryEdit = 1013;
  static constexpr int kKoreanDictionary = 1014;
  static constexpr int kEnglishDictionary = 1015;
  static constexpr int kFirstSemesterLabel = 1016;  // 1016, 1017
  static constexpr int kFirstUnitButton = 1018;     // 1018..1029
  // The AR picker is never smaller than this, so that its buttons stay
  // within reach when "AR.ini" gives no (or an absurd) size.
  static constexpr QSize kMinimumArPickerSize{240, 110};

  QSize PageSize() const;
  QString Title() const;
  // The page as painted, before the window's shape is applied: magenta
  // where the frame leaves the window out.
  QImage RenderPage() const;
  // A plain button strip of four looks (normal, hover, pressed, disabled)
  // for a button whose picture is missing.
  static QImage PlainButtonStrip(QSize look, const QString& text);

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id) override;
  void OnOK() override { OnCommand(kOk); }
  void OnCancel() override { OnCommand(kCancel); }
  win::HitTest HitTestAt(const QPoint& point) const override;
  void paintEvent(QPaintEvent* event) override;

 private:
  ui::CSkinButton* MakeButton(int id, int bitmapId, int x, int y, const QString& fallbackText);
  void LoadFramePictures();
  void PaintFrame(QPainter& painter) const;
  void PaintPageTexts(QPainter& painter) const;
  QFont DialogFont(int pixelHeight) const;
  void CollectPageValues();
  void ShowDictionaryOf(int language);
  void BrowseFolder(QLineEdit* edit, const QString& title);
  ar::PickerLayout ArPickerLayout() const;
  void CreateArPickerControls();

  SettingsDialogState& state_;
  bool korean_;
  QWidget* owner_;
  std::array<QImage, 8> frame_;  // raw pictures, magenta kept for the shape
  QImage about_;
  bool shaped_ = false;
  std::array<QRadioButton*, 7> resolutionButtons_{};
  QButtonGroup* resolutionGroup_ = nullptr;
  QLineEdit* imageFolderEdit_ = nullptr;
  QLineEdit* videoFolderEdit_ = nullptr;
  QLineEdit* nameEdit_ = nullptr;
  QPlainTextEdit* dictionaryEdit_ = nullptr;
  std::array<QRadioButton*, ar::kUnitButtonCount> unitButtons_{};
  int semester1Units_ = 0;  // the first unit button of semester 2
};

// Runs CVyrResolutionDLG, with the language of components read afresh.
class ResolutionDialogRunner : public SettingsDialogRunner {
 public:
  explicit ResolutionDialogRunner(std::function<bool()> koreanComponents) : korean_(std::move(koreanComponents)) {}
  int Run(QWidget* owner, SettingsDialogState& state) override;

 private:
  std::function<bool()> korean_;
};

}  // namespace orvilo::shell

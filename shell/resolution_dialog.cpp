#include "shell/resolution_dialog.h"

#include <QPainter>
#include <algorithm>

#include "ar/ar_content.h"
#include "core/camera_model.h"
#include "platform/sys/program_folder.h"
#include "platform/sys/file_io.h"
#include "platform/text/legacy_text.h"
#include "platform/win/common_dialogs.h"
#include "platform/gdi/key_colour.h"
#include "platform/win/geometry.h"
#include "platform/win/window_shape.h"
#include "shell/camera_search.h"
#include "ui/skin/skin_ids.h"
#include "ui/skin_radio_button.h"
#include "ui/skin_resources.h"

namespace orvilo::shell {

namespace {

// Dictionaries are small text files; anything larger is not one.
constexpr std::size_t kDictionaryLimit = 8u << 20;

// A camera model of the group each resolution page is for.
core::CameraModel ModelOfPage(SettingsPage page) {
  if (page == SettingsPage::ResolutionGroupB) return 5;
  if (page == SettingsPage::ResolutionGroupC) return 7;
  return 1;
}

bool IsResolutionPage(SettingsPage page) {
  return page == SettingsPage::Resolution || page == SettingsPage::ResolutionGroupB ||
         page == SettingsPage::ResolutionGroupC;
}

constexpr QColor kEditBackground(237, 237, 237);
constexpr QColor kBoxGrey(204, 204, 204);
constexpr QColor kAccent(30, 136, 229);

// Edit boxes: light grey, no frame of their own (the page draws a grey box
// around them).
QPlainTextEdit* StyleEdit(QPlainTextEdit* edit) {
  QPalette palette = edit->palette();
  palette.setColor(QPalette::Base, kEditBackground);
  palette.setColor(QPalette::Text, Qt::black);
  edit->setPalette(palette);
  edit->setFrameStyle(0);
  return edit;
}

QLineEdit* StyleEdit(QLineEdit* edit) {
  QPalette palette = edit->palette();
  palette.setColor(QPalette::Base, kEditBackground);
  palette.setColor(QPalette::Text, Qt::black);
  edit->setPalette(palette);
  edit->setFrame(false);
  return edit;
}

bool HasOkAndCancel(SettingsPage page) { return page != SettingsPage::About && page != SettingsPage::NoCamera; }
bool HasShortBottom(SettingsPage page) { return page == SettingsPage::About || page == SettingsPage::NoCamera; }

QString ReadDictionary(const std::string& path) {
  const sys::FileBytes file = sys::ReadFileBytes(path, kDictionaryLimit);
  if (file.status != sys::FileBytes::Status::Ok) return {};
  return QString::fromStdString(text::DecodeLegacyText(file.bytes));
}

}  // namespace

CVyrResolutionDLG::CVyrResolutionDLG(SettingsDialogState& state, bool korean, QWidget* owner)
    : state_(state), korean_(korean), owner_(owner) {
  setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
}

CVyrResolutionDLG::~CVyrResolutionDLG() {
  if (state_.page == SettingsPage::NoCamera && state_.cameraSearch != nullptr) state_.cameraSearch->Stop();
}

QSize CVyrResolutionDLG::PageSize() const {
  switch (state_.page) {
    case SettingsPage::Resolution: return {350, 300};
    case SettingsPage::ResolutionGroupB:
    case SettingsPage::ResolutionGroupC: return {350, 274};
    case SettingsPage::Settings: return {350, 300};
    case SettingsPage::About: return {280, 220};
    case SettingsPage::Dictionary: return {525, 450};
    case SettingsPage::NoCamera: return {280, 110};
    case SettingsPage::Rename: return {350, 150};
    case SettingsPage::ArChapter: {
      const gdi::Size size = ArPickerLayout().size;
      return QSize(size.width, size.height).expandedTo(kMinimumArPickerSize);
    }
  }
  return {350, 300};
}

QString CVyrResolutionDLG::Title() const {
  switch (state_.page) {
    case SettingsPage::Resolution:
    case SettingsPage::ResolutionGroupB:
    case SettingsPage::ResolutionGroupC: return korean_ ? "해상도변경" : "Resolution";
    case SettingsPage::Settings: return korean_ ? "환경설정" : "Settings";
    case SettingsPage::About: return "About Vexmar";
    case SettingsPage::Dictionary: return "My Dictionary";
    case SettingsPage::NoCamera: return "Searching for Camera";
    case SettingsPage::ArChapter: return "증강현실";
    case SettingsPage::Rename: return "Voice Book";
  }
  return {};
}

QFont CVyrResolutionDLG::DialogFont(int pixelHeight) const {
  // Korean texts need a face with Hangul; NanumGothic stands in for the
  // Korean system face.
  QFont font(korean_ ? "NanumGothic" : "Arial");
  font.setPixelSize(pixelHeight);
  font.setBold(true);
  return font;
}

QImage CVyrResolutionDLG::PlainButtonStrip(QSize look, const QString& text) {
  if (look.isEmpty()) return {};
  QImage strip(look.width() * 4, look.height(), QImage::Format_RGB32);
  strip.fill(gdi::kKeyColour);
  QPainter painter(&strip);
  const QColor faces[4] = {QColor(245, 245, 245), QColor(225, 238, 250), kAccent, QColor(230, 230, 230)};
  const QColor texts[4] = {Qt::black, Qt::black, Qt::white, QColor(160, 160, 160)};
  QFont font("Arial");
  font.setPixelSize(std::max(8, look.height() / 2));
  painter.setFont(font);
  for (int i = 0; i < 4; ++i) {
    const QRect face(i * look.width(), 0, look.width(), look.height());
    painter.fillRect(face, faces[i]);
    painter.setPen(QColor(170, 170, 170));
    painter.drawRect(face.adjusted(0, 0, -1, -1));
    painter.setPen(texts[i]);
    painter.drawText(face, Qt::AlignCenter | Qt::TextSingleLine, text);
  }
  return strip;
}

ui::CSkinButton* CVyrResolutionDLG::MakeButton(int id, int bitmapId, int x, int y, const QString& fallbackText) {
  auto* button = new ui::CSkinButton(this);
  if (!button->Create(id, this, bitmapId, x, y, korean_)) {
    const QSize look = id == kClose ? QSize(15, 15) : id == kCancel && !korean_ ? QSize(67, 26)
                       : id == kOk || id == kCancel                       ? QSize(54, 26)
                       : id == kCameraSettings                            ? QSize(85, 22)
                                                                          : QSize(38, 22);
    button->CreateFromStrip(PlainButtonStrip(look, fallbackText), id, 4, this, x, y);
  }
  button->show();
  return button;
}

void CVyrResolutionDLG::LoadFramePictures() {
  const bool shortBottom = HasShortBottom(state_.page);
  for (int piece = 0; piece < 8; ++piece) {
    const int id = shortBottom && piece >= 5 ? skin::DialogShortBottomPiece(piece - 5) : skin::DialogFramePiece(piece);
    frame_[piece] = ui::LoadSkinBitmap(id).convertToFormat(QImage::Format_RGB32);
  }
  if (state_.page == SettingsPage::About) about_ = ui::LoadSkinBitmap(skin::kDialogAboutPicture);
}

bool CVyrResolutionDLG::OnInitDialog() {
  const QSize size = PageSize();
  resize(size);
  if (owner_ != nullptr) {
    const QRect main = owner_->frameGeometry();
    move(main.left() + (main.width() - size.width()) / 2, main.top() + (main.height() - size.height()) / 2);
  }
  const int w = size.width();
  const int h = size.height();
  LoadFramePictures();
  MakeButton(kClose, skin::kDialogClose, w - 25, 15, "x");
  if (HasOkAndCancel(state_.page)) {
    // The English Cancel picture is wider, so the English OK stands further left.
    const int okX = korean_ ? w - 118 : w - 131;
    MakeButton(kOk, skin::kDialogOk, okX, h - 34, korean_ ? "확인" : "OK");
    MakeButton(kCancel, skin::kDialogCancel, okX + 57, h - 34, korean_ ? "취소" : "Cancel");
  }

  if (IsResolutionPage(state_.page)) {
    // The choices are the model group's resolution labels: seven on the
    // first page, six on the others.
    const core::CameraModel model = ModelOfPage(state_.page);
    const int choices = state_.page == SettingsPage::Resolution ? 7 : 6;
    resolutionGroup_ = new QButtonGroup(this);
    for (int i = 0; i < choices; ++i) {
      const std::string_view label = core::ResolutionLabel(model, i);
      auto* radio =
          new ui::CSkinRadioButton(QString::fromUtf8(label.data(), static_cast<qsizetype>(label.size())), this);
      radio->setProperty("controlId", 1000 + i);
      radio->setFont(DialogFont(12));
      radio->setGeometry(40, 55 + 26 * i, 200, 22);
      resolutionGroup_->addButton(radio, i);
      resolutionButtons_[i] = radio;
    }
    if (state_.resolutionIndex >= 0 && state_.resolutionIndex < 7 && resolutionButtons_[state_.resolutionIndex]) {
      resolutionButtons_[state_.resolutionIndex]->setChecked(true);
    }
  } else if (state_.page == SettingsPage::Settings) {
    imageFolderEdit_ = StyleEdit(new QLineEdit(QString::fromStdString(state_.text1), this));
    imageFolderEdit_->setProperty("controlId", 1008);
    imageFolderEdit_->setGeometry(24, 71, 256, 17);
    videoFolderEdit_ = StyleEdit(new QLineEdit(QString::fromStdString(state_.text2), this));
    videoFolderEdit_->setProperty("controlId", 1009);
    videoFolderEdit_->setGeometry(24, 128, 256, 17);
    const QString browse = korean_ ? "찾기" : "Browse";
    MakeButton(kBrowseImageFolder, skin::kDialogBrowse, 288, 69, browse);
    MakeButton(kBrowseMovieFolder, skin::kDialogBrowse, 288, 126, browse);
    MakeButton(kCameraSettings, skin::kDialogCameraSettings, 22, 188, korean_ ? "카메라 속성" : "Properties");
  } else if (state_.page == SettingsPage::Dictionary) {
    state_.dictionaryText.clear();
    dictionaryEdit_ = StyleEdit(new QPlainTextEdit(this));
    dictionaryEdit_->setProperty("controlId", kDictionaryEdit);
    dictionaryEdit_->setGeometry(22, 44, 481, 316);
    auto* koreanChoice = new ui::CSkinRadioButton("Korean", this);
    koreanChoice->setProperty("controlId", kKoreanDictionary);
    koreanChoice->setFont(DialogFont(12));
    koreanChoice->setGeometry(100, 370, 120, 20);
    auto* englishChoice = new ui::CSkinRadioButton("English", this);
    englishChoice->setProperty("controlId", kEnglishDictionary);
    englishChoice->setFont(DialogFont(12));
    englishChoice->setGeometry(320, 370, 120, 20);
    (state_.dictionaryLanguage == 1 ? englishChoice : koreanChoice)->setChecked(true);
    connect(koreanChoice, &QRadioButton::clicked, this, [this] { OnCommand(kKoreanDictionary); });
    connect(englishChoice, &QRadioButton::clicked, this, [this] { OnCommand(kEnglishDictionary); });
    dictionaryEdit_->setPlainText(ReadDictionary(state_.dictionaryLanguage == 1 ? state_.text2 : state_.text1));
  } else if (state_.page == SettingsPage::Rename) {
    nameEdit_ = StyleEdit(new QLineEdit(QString::fromStdString(state_.text1), this));
    nameEdit_->setProperty("controlId", kNameEdit);
    nameEdit_->setGeometry(20, 61, 310, 24);
  } else if (state_.page == SettingsPage::ArChapter) {
    CreateArPickerControls();
  } else if (state_.page == SettingsPage::NoCamera && state_.cameraSearch != nullptr) {
    state_.cameraSearch->Start([this] { EndDialog(win::kResultOk); });
  }
  // Named like its page, so that the page can be told apart on the desktop.
  setWindowTitle(Title());
  return true;
}

ar::PickerLayout CVyrResolutionDLG::ArPickerLayout() const {
  const ar::ArContent content(state_.text1.empty() ? sys::ProgramFolder() : state_.text1);
  const int grade = state_.arGrade;
  return ar::LayOutChapterPicker(content.Picker(grade), ar::Chapter{state_.arSemester, state_.arUnit},
                                 [&](const ar::Chapter& c) { return content.UnitHasContent(grade, c.semester, c.unit); });
}

// The semester labels and the unit buttons of the grade, placed, captioned,
// enabled and checked as the picker layout says.
void CVyrResolutionDLG::CreateArPickerControls() {
  const ar::PickerLayout layout = ArPickerLayout();
  semester1Units_ = layout.semester1Units;
  const QFont font = DialogFont(12);
  for (int semester = 0; semester < 2; ++semester) {
    auto* label = new QLabel(semester == 0 ? "1 학기" : "2 학기", this);
    label->setProperty("controlId", kFirstSemesterLabel + semester);
    label->setFont(font);
    label->setGeometry(win::ToQRect(layout.labels[semester].place));
    label->setVisible(layout.labels[semester].shown);
  }
  for (int i = 0; i < ar::kUnitButtonCount; ++i) {
    const ar::UnitButton& place = layout.buttons[i];
    auto* button = new ui::CSkinRadioButton(QString::fromStdString(place.caption), this);
    button->setProperty("controlId", kFirstUnitButton + i);
    button->setFont(font);
    button->setGeometry(win::ToQRect(place.place));
    button->setEnabled(place.enabled);
    button->setChecked(place.checked);
    button->setVisible(place.shown);
    unitButtons_[i] = button;
  }
}

void CVyrResolutionDLG::ShowDictionaryOf(int language) {
  if (language == state_.dictionaryLanguage) return;
  state_.dictionaryLanguage = language;
  state_.dictionaryText.clear();
  if (dictionaryEdit_) dictionaryEdit_->setPlainText(ReadDictionary(language == 1 ? state_.text2 : state_.text1));
}

void CVyrResolutionDLG::BrowseFolder(QLineEdit* edit, const QString& title) {
  win::FolderDialogRequest request{title.toStdString(), edit->text().toStdString()};
  if (const auto folder = win::CommonDialogs::Current().RunFolderDialog(this, request)) {
    edit->setText(QString::fromStdString(*folder));
  }
}

void CVyrResolutionDLG::CollectPageValues() {
  if (resolutionGroup_ != nullptr) {
    for (int i = 0; i < 7; ++i) {
      if (resolutionButtons_[i] && resolutionButtons_[i]->isChecked()) {
        state_.resolutionIndex = i;
        break;
      }
    }
  } else if (imageFolderEdit_ != nullptr) {
    state_.text1 = imageFolderEdit_->text().toStdString();
    state_.text2 = videoFolderEdit_->text().toStdString();
  } else if (dictionaryEdit_ != nullptr) {
    state_.dictionaryText = dictionaryEdit_->toPlainText().toStdString();
  } else if (nameEdit_ != nullptr) {
    state_.text1 = nameEdit_->text().toStdString();
  } else if (state_.page == SettingsPage::ArChapter) {
    int checked = -1;
    for (int i = 0; i < ar::kUnitButtonCount && checked < 0; ++i) {
      if (unitButtons_[i] && unitButtons_[i]->isChecked()) checked = i;
    }
    const ar::Chapter chapter = ar::ChapterOfButton(checked, semester1Units_);
    state_.arSemester = chapter.semester;
    state_.arUnit = chapter.unit;
  }
}

bool CVyrResolutionDLG::OnCommand(int id) {
  switch (id) {
    case kClose: EndDialog(win::kResultClose); return true;
    case kOk:
      CollectPageValues();
      EndDialog(win::kResultOk);
      return true;
    case kCancel: EndDialog(win::kResultCancel); return true;
    case kBrowseImageFolder:
      if (imageFolderEdit_) BrowseFolder(imageFolderEdit_, korean_ ? "이미지 폴더 설정" : "Select Image folder");
      return true;
    case kBrowseMovieFolder:
      if (videoFolderEdit_) BrowseFolder(videoFolderEdit_, korean_ ? "동영상 폴더 설정" : "Select Movie folder");
      return true;
    case kCameraSettings:
      if (auto* owner = qobject_cast<win::Window*>(owner_)) owner->PostMessage(1630, Handle()->id, 0);
      return true;
    case kKoreanDictionary: ShowDictionaryOf(0); return true;
    case kEnglishDictionary: ShowDictionaryOf(1); return true;
    default: return false;
  }
}

win::HitTest CVyrResolutionDLG::HitTestAt(const QPoint& point) const {
  return point.y() < 35 && point.x() < width() - 25 ? win::HitTest::Caption : win::HitTest::Client;
}

void CVyrResolutionDLG::PaintFrame(QPainter& painter) const {
  const int w = width();
  const int h = height();
  const bool framed = std::all_of(frame_.begin(), frame_.end(), [](const QImage& p) { return !p.isNull(); });
  if (!framed) {
    painter.setPen(QColor(57, 57, 57));
    painter.drawRect(0, 0, w - 1, h - 1);
    return;
  }
  // Corners at their size, edges stretched between them; drawn as they
  // are, magenta included, so the shape can be taken from the result.
  const int top = frame_[0].height();
  const int bottom = frame_[5].height();
  painter.drawImage(0, 0, frame_[0]);
  painter.drawImage(QRect(frame_[0].width(), 0, w - frame_[0].width() - frame_[2].width(), top), frame_[1]);
  painter.drawImage(w - frame_[2].width(), 0, frame_[2]);
  painter.drawImage(QRect(0, top, frame_[3].width(), h - top - bottom), frame_[3]);
  painter.drawImage(QRect(w - frame_[4].width(), top, frame_[4].width(), h - top - bottom), frame_[4]);
  painter.drawImage(0, h - bottom, frame_[5]);
  painter.drawImage(QRect(frame_[5].width(), h - bottom, w - frame_[5].width() - frame_[7].width(), bottom), frame_[6]);
  painter.drawImage(w - frame_[7].width(), h - bottom, frame_[7]);
}

void CVyrResolutionDLG::PaintPageTexts(QPainter& painter) const {
  const int w = width();
  painter.setPen(Qt::black);
  painter.setFont(DialogFont(12));
  const int titleRight = state_.page == SettingsPage::NoCamera ? 186 : 126;
  painter.drawText(QRect(26, 14, titleRight - 26, 40), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, Title());
  switch (state_.page) {
    case SettingsPage::Settings:
      painter.setFont(DialogFont(11));
      painter.drawText(QRect(22, 51, 150, 15), Qt::TextSingleLine, korean_ ? "이미지 저장 폴더" : "Image Saving Folder");
      painter.drawText(QRect(22, 109, 150, 15), Qt::TextSingleLine, korean_ ? "동영상 저장 폴더" : "Movie Saving Folder");
      painter.drawText(QRect(22, 166, 150, 15), Qt::TextSingleLine, korean_ ? "카메라 설정" : "Camera Settings");
      painter.setPen(kBoxGrey);
      painter.drawRect(23, 70, 281 - 23 - 1, 89 - 70 - 1);
      painter.drawRect(23, 127, 281 - 23 - 1, 146 - 127 - 1);
      break;
    case SettingsPage::About: {
      QFont font = DialogFont(11);
      font.setBold(false);
      painter.setFont(font);
      painter.drawText(QRect(0, 160, w, 20), Qt::AlignCenter | Qt::TextSingleLine, "Orvilo classroom camera software");
      painter.drawText(QRect(0, 180, w, 20), Qt::AlignCenter | Qt::TextSingleLine, "Free software for teachers");
      break;
    }
    case SettingsPage::Dictionary:
      painter.setPen(QPen(kBoxGrey, 2));
      painter.setBrush(Qt::NoBrush);
      painter.drawRect(QRectF(21, 43, 505 - 20 - 2, 362 - 42 - 2));
      break;
    case SettingsPage::NoCamera:
      painter.setFont(DialogFont(16));
      painter.drawText(QRect(0, 60, w, 20), Qt::AlignCenter | Qt::TextSingleLine,
                       korean_ ? "오르빌로을 연결해 주세요." : "Please connect the Orvilo!");
      break;
    case SettingsPage::Rename:
      painter.setPen(kBoxGrey);
      painter.drawRect(19, 60, 331 - 19 - 1, 86 - 60 - 1);
      break;
    default: break;
  }
}

QImage CVyrResolutionDLG::RenderPage() const {
  QImage page(size(), QImage::Format_RGB32);
  page.fill(Qt::white);
  QPainter painter(&page);
  PaintFrame(painter);
  if (!about_.isNull()) {
    painter.drawImage((width() - about_.width()) / 2, 50, gdi::KeyColourToTransparent(about_));
  }
  PaintPageTexts(painter);
  return page;
}

void CVyrResolutionDLG::paintEvent(QPaintEvent*) {
  const QImage page = RenderPage();
  if (!shaped_) {
    // The shape is taken once, from the first painted page.
    shaped_ = true;
    const QRegion shape = win::RegionFromKeyColour(page);
    if (!shape.isEmpty() && shape != QRegion(rect())) setMask(shape);
  }
  QPainter painter(this);
  painter.drawImage(0, 0, gdi::KeyColourToTransparent(page));
}

int ResolutionDialogRunner::Run(QWidget* owner, SettingsDialogState& state) {
  CVyrResolutionDLG dialog(state, korean_ ? korean_() : false, owner);
  return dialog.DoModal(owner);
}

}  // namespace orvilo::shell

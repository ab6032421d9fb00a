#include "shell/resolution_dialog.h"

#include <QPainter>

#include "ar/ar_content.h"
#include "core/camera_model.h"
#include "platform/sys/program_folder.h"
#include "platform/sys/file_io.h"
#include "platform/text/legacy_text.h"
#include "platform/win/common_dialogs.h"
#include "platform/win/geometry.h"

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

QPushButton* CVyrResolutionDLG::MakeButton(int id, const QString& text, const QRect& place) {
  auto* button = new QPushButton(text, this);
  button->setProperty("controlId", id);
  button->setGeometry(place);
  button->setFocusPolicy(Qt::NoFocus);
  connect(button, &QPushButton::clicked, this, [this, id] { OnCommand(id); });
  return button;
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
  MakeButton(kClose, "X", QRect(w - 25, 15, 15, 15));
  const bool okCancel = state_.page != SettingsPage::About && state_.page != SettingsPage::NoCamera;
  if (okCancel) {
    const int okX = korean_ ? w - 118 : w - 131;
    MakeButton(kOk, korean_ ? "확인" : "OK", QRect(okX, h - 34, 54, 26));
    MakeButton(kCancel, korean_ ? "취소" : "Cancel", QRect(okX + 57, h - 34, korean_ ? 54 : 67, 26));
  }

  if (IsResolutionPage(state_.page)) {
    // The choices are the model group's resolution labels: seven on the
    // first page, six on the others.
    const core::CameraModel model = ModelOfPage(state_.page);
    const int choices = state_.page == SettingsPage::Resolution ? 7 : 6;
    resolutionGroup_ = new QButtonGroup(this);
    for (int i = 0; i < choices; ++i) {
      const std::string_view label = core::ResolutionLabel(model, i);
      auto* radio = new QRadioButton(QString::fromUtf8(label.data(), static_cast<qsizetype>(label.size())), this);
      radio->setProperty("controlId", 1000 + i);
      radio->setGeometry(40, 55 + 26 * i, 200, 22);
      resolutionGroup_->addButton(radio, i);
      resolutionButtons_[i] = radio;
    }
    if (state_.resolutionIndex >= 0 && state_.resolutionIndex < 7 && resolutionButtons_[state_.resolutionIndex]) {
      resolutionButtons_[state_.resolutionIndex]->setChecked(true);
    }
  } else if (state_.page == SettingsPage::Settings) {
    imageFolderEdit_ = new QLineEdit(QString::fromStdString(state_.text1), this);
    imageFolderEdit_->setGeometry(24, 71, 256, 17);
    videoFolderEdit_ = new QLineEdit(QString::fromStdString(state_.text2), this);
    videoFolderEdit_->setGeometry(24, 128, 256, 17);
    MakeButton(kBrowseImageFolder, "...", QRect(288, 69, 38, 22));
    MakeButton(kBrowseMovieFolder, "...", QRect(288, 126, 38, 22));
    MakeButton(kCameraSettings, korean_ ? "카메라 설정" : "Camera", QRect(22, 188, 85, 22));
  } else if (state_.page == SettingsPage::Dictionary) {
    state_.dictionaryText.clear();
    dictionaryEdit_ = new QPlainTextEdit(this);
    dictionaryEdit_->setProperty("controlId", kDictionaryEdit);
    dictionaryEdit_->setGeometry(22, 44, 481, 316);
    auto* koreanChoice = new QRadioButton("Korean", this);
    koreanChoice->setProperty("controlId", kKoreanDictionary);
    koreanChoice->setGeometry(100, 370, 120, 20);
    auto* englishChoice = new QRadioButton("English", this);
    englishChoice->setProperty("controlId", kEnglishDictionary);
    englishChoice->setGeometry(320, 370, 120, 20);
    (state_.dictionaryLanguage == 1 ? englishChoice : koreanChoice)->setChecked(true);
    connect(koreanChoice, &QRadioButton::clicked, this, [this] { OnCommand(kKoreanDictionary); });
    connect(englishChoice, &QRadioButton::clicked, this, [this] { OnCommand(kEnglishDictionary); });
    dictionaryEdit_->setPlainText(ReadDictionary(state_.dictionaryLanguage == 1 ? state_.text2 : state_.text1));
  } else if (state_.page == SettingsPage::Rename) {
    nameEdit_ = new QLineEdit(QString::fromStdString(state_.text1), this);
    nameEdit_->setProperty("controlId", kNameEdit);
    nameEdit_->setGeometry(20, 61, 310, 24);
  } else if (state_.page == SettingsPage::ArChapter) {
    CreateArPickerControls();
  }
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
  QFont font = this->font();
  font.setFamily(korean_ ? "NanumGothic" : "Arial");
  font.setPixelSize(12);
  font.setBold(true);
  for (int semester = 0; semester < 2; ++semester) {
    auto* label = new QLabel(semester == 0 ? "1 학기" : "2 학기", this);
    label->setProperty("controlId", kFirstSemesterLabel + semester);
    label->setFont(font);
    label->setGeometry(win::ToQRect(layout.labels[semester].place));
    label->setVisible(layout.labels[semester].shown);
  }
  for (int i = 0; i < ar::kUnitButtonCount; ++i) {
    const ar::UnitButton& place = layout.buttons[i];
    auto* button = new QRadioButton(QString::fromStdString(place.caption), this);
    button->setProperty("controlId", kFirstUnitButton + i);
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

void CVyrResolutionDLG::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  painter.setPen(QColor(57, 57, 57));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
  QFont font(korean_ ? "NanumGothic" : "Arial");
  font.setPixelSize(12);
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(Qt::black);
  painter.drawText(QRect(26, 14, state_.page == SettingsPage::NoCamera ? 160 : 100, 40), Qt::AlignLeft | Qt::AlignVCenter,
                   Title());
  if (state_.page == SettingsPage::Settings) {
    font.setPixelSize(11);
    painter.setFont(font);
    painter.drawText(QRect(22, 51, 150, 15), korean_ ? "이미지 저장 폴더" : "Image Saving Folder");
    painter.drawText(QRect(22, 109, 150, 15), korean_ ? "동영상 저장 폴더" : "Movie Saving Folder");
    painter.drawText(QRect(22, 166, 150, 15), korean_ ? "카메라 설정" : "Camera Settings");
  } else if (state_.page == SettingsPage::NoCamera) {
    font.setPixelSize(16);
    painter.setFont(font);
    painter.drawText(QRect(0, 60, width(), 20), Qt::AlignCenter,
                     korean_ ? "오르빌로을 연결해 주세요." : "Please connect the Orvilo!");
  } else if (state_.page == SettingsPage::About) {
    font.setPixelSize(11);
    font.setBold(false);
    painter.setFont(font);
    painter.drawText(QRect(0, 160, width(), 20), Qt::AlignCenter, "Orvilo classroom camera software");
    painter.drawText(QRect(0, 180, width(), 20), Qt::AlignCenter, "Free software for teachers");
  }
}

int ResolutionDialogRunner::Run(QWidget* owner, SettingsDialogState& state) {
  CVyrResolutionDLG dialog(state, korean_ ? korean_() : false, owner);
  return dialog.DoModal(owner);
}

}  // namespace orvilo::shell

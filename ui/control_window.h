// CVyr3ControlWnd, a playback control bar floating over the bottom of the
// main window: the reading bar (Reading, Pause, Stop, Repeat) or the movie
// bar (play/pause, stop, skip, position slider, speed), both with a volume
// slider on the system's master volume. Its shape is its face picture less
// the magenta pixels. Clicks become commands posted to the main window; the
// bar hides itself half a second after the pointer leaves it.
#pragma once

#include <QImage>
#include <optional>

#include "platform/audio/master_volume.h"
#include "ui/control_bar.h"

namespace orvilo::ui {

class CSkinButton;
class CSkinPrograssBar;

inline constexpr int kControlBarButtonCount = 9;  // commands 1625..1633
inline constexpr int kPositionSliderId = 1275;
inline constexpr int kVolumeSliderId = 1276;
inline constexpr int kSpeedButtonId = 1634;

class CVyr3ControlWnd : public ControlBar {
  Q_OBJECT
 public:
  // `korean`: tooltips in Korean; empty: the interface language of the
  // settings file. `volume`: the master volume (not owned); null: the system's.
  explicit CVyr3ControlWnd(bool readingBar, QWidget* parent = nullptr, std::optional<bool> korean = std::nullopt,
                           audio::MasterVolume* volume = nullptr);
  ~CVyr3ControlWnd() override;

  void ShowBar() override;
  void SetPosition(int position, int range, const std::string& text) override;
  void ShowPlaying(bool playing) override;

  bool IsReadingBar() const { return readingBar_; }
  const std::string& PositionText() const { return positionText_; }
  int SpeedIndex() const { return speedIndex_; }
  int LastVolume() const { return lastVolume_; }
  CSkinButton* Button(int commandId) const;
  CSkinPrograssBar* PositionSlider() const { return positionSlider_; }
  CSkinPrograssBar* VolumeSlider() const { return volumeSlider_; }
  CSkinButton* SpeedButton() const { return speedButton_; }

  // The slider's percent to the master volume; a run of equal percents
  // (a drag) reaches the mixer once.
  void SetMasterVolume(int percent);

 protected:
  bool OnCreate() override;
  std::intptr_t OnMessage(const win::Msg& message) override;
  bool OnCommand(int commandId) override;
  void OnTimer(int id) override;
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  void PostToOwner(std::uint32_t id, std::uintptr_t wParam = 0, std::intptr_t lParam = 0);
  void PickSpeed();

  bool readingBar_;
  bool korean_;
  audio::MasterVolume* volume_;
  audio::SystemMasterVolume systemVolume_;
  QImage face_;
  CSkinButton* buttons_[kControlBarButtonCount] = {};
  CSkinPrograssBar* positionSlider_ = nullptr;
  CSkinPrograssBar* volumeSlider_ = nullptr;
  CSkinButton* speedButton_ = nullptr;
  int speedIndex_ = 5;
  std::string positionText_;
  int lastVolume_ = 0;
};

}  // namespace orvilo::ui

// Picture controls over a recording double of the V4L2 layer, the popup
// driven by the mouse, and the values kept per camera model.
#include "camera/picture_controls.h"

#include <gtest/gtest.h>
#include <linux/videodev2.h>

#include <QTemporaryDir>
#include <QTest>
#include <map>
#include <vector>

#include "camera/interval_capture.h"
#include "camera/picture_popup.h"
#include "platform/profile/private_profile.h"

namespace orvilo::camera {
namespace {

// A camera's controls as the V4L2 layer answers: a table of controls and
// their values; every write is recorded, refused ones too.
class RecordingControls : public camctl::ControlDevice {
 public:
  struct Control {
    camctl::ControlInfo info;
    std::int32_t value;
  };
  std::map<std::uint32_t, Control> controls;
  mutable std::vector<std::pair<std::uint32_t, std::int32_t>> writes;
  std::vector<std::int32_t> refusedExposureModes;  // menu entries the camera lacks

  void Add(std::uint32_t id, int type, std::int32_t minimum, std::int32_t maximum, std::int32_t value,
           bool disabled = false) {
    camctl::ControlInfo info;
    info.id = id;
    info.type = type;
    info.minimum = minimum;
    info.maximum = maximum;
    info.defaultValue = value;
    info.disabled = disabled;
    controls[id] = {info, value};
  }
  // A typical UVC document camera.
  static RecordingControls FullCamera() {
    RecordingControls camera;
    camera.Add(V4L2_CID_BRIGHTNESS, V4L2_CTRL_TYPE_INTEGER, -64, 64, 0);
    camera.Add(V4L2_CID_CONTRAST, V4L2_CTRL_TYPE_INTEGER, 0, 95, 32);
    camera.Add(V4L2_CID_EXPOSURE_AUTO, V4L2_CTRL_TYPE_MENU, 0, 3, V4L2_EXPOSURE_APERTURE_PRIORITY);
    camera.refusedExposureModes = {V4L2_EXPOSURE_AUTO, V4L2_EXPOSURE_SHUTTER_PRIORITY};
    camera.Add(V4L2_CID_EXPOSURE_ABSOLUTE, V4L2_CTRL_TYPE_INTEGER, 1, 5000, 156);
    camera.Add(V4L2_CID_AUTO_WHITE_BALANCE, V4L2_CTRL_TYPE_BOOLEAN, 0, 1, 1);
    camera.Add(V4L2_CID_WHITE_BALANCE_TEMPERATURE, V4L2_CTRL_TYPE_INTEGER, 2800, 6500, 4600);
    camera.Add(V4L2_CID_POWER_LINE_FREQUENCY, V4L2_CTRL_TYPE_MENU, 0, 2, 1);
    return camera;
  }

  std::optional<camctl::ControlInfo> Query(std::uint32_t id) const override {
    const auto found = controls.find(id);
    if (found == controls.end()) return std::nullopt;
    return found->second.info;
  }
  std::optional<std::int32_t> Get(std::uint32_t id) const override {
    const auto found = controls.find(id);
    if (found == controls.end()) return std::nullopt;
    return found->second.value;
  }
  bool Set(std::uint32_t id, std::int32_t value) const override {
    writes.emplace_back(id, value);
    auto found = const_cast<RecordingControls*>(this)->controls.find(id);
    if (found == controls.end() || value < found->second.info.minimum || value > found->second.info.maximum) return false;
    if (id == V4L2_CID_EXPOSURE_AUTO &&
        std::find(refusedExposureModes.begin(), refusedExposureModes.end(), value) != refusedExposureModes.end()) {
      return false;
    }
    found->second.value = value;
    return true;
  }
};

std::vector<PictureControl> ControlsOf(const std::vector<PictureControlState>& states) {
  std::vector<PictureControl> list;
  for (const auto& state : states) list.push_back(state.control);
  return list;
}

TEST(PictureControls, AFullCameraShowsEveryControlWithTheAutomaticModesAsSwitches) {
  const RecordingControls camera = RecordingControls::FullCamera();
  const auto states = PictureControls(camera).Read();
  EXPECT_EQ(ControlsOf(states),
            (std::vector<PictureControl>{PictureControl::Brightness, PictureControl::Contrast,
                                         PictureControl::AutoExposure, PictureControl::Exposure,
                                         PictureControl::AutoWhiteBalance, PictureControl::WhiteBalance,
                                         PictureControl::PowerLine}));
  EXPECT_EQ(states[2].value, 1);  // aperture priority is the camera's automatic exposure
  EXPECT_EQ(states[2].maximum, 1);
  EXPECT_EQ(states[3].minimum, 1);
  EXPECT_EQ(states[3].maximum, 5000);
  EXPECT_EQ(states[6].value, 1);  // 50 Hz
  EXPECT_TRUE(camera.writes.empty());
}

TEST(PictureControls, ControlsTheCameraLacksOrDisablesAreHidden) {
  RecordingControls camera;
  camera.Add(V4L2_CID_BRIGHTNESS, V4L2_CTRL_TYPE_INTEGER, 0, 255, 128);
  camera.Add(V4L2_CID_CONTRAST, V4L2_CTRL_TYPE_INTEGER, 0, 255, 128, /*disabled=*/true);
  camera.Add(V4L2_CID_WHITE_BALANCE_TEMPERATURE, V4L2_CTRL_TYPE_INTEGER, 2800, 6500, 4600);
  EXPECT_EQ(ControlsOf(PictureControls(camera).Read()),
            (std::vector<PictureControl>{PictureControl::Brightness, PictureControl::WhiteBalance}));
  EXPECT_TRUE(PictureControls(RecordingControls()).Read().empty());
}

TEST(PictureControls, AutomaticExposureTakesTheModeTheCameraAccepts) {
  RecordingControls camera = RecordingControls::FullCamera();
  const PictureControls controls(camera);
  ASSERT_TRUE(controls.Set(PictureControl::AutoExposure, 0));
  EXPECT_EQ(camera.controls[V4L2_CID_EXPOSURE_AUTO].value, V4L2_EXPOSURE_MANUAL);
  ASSERT_TRUE(controls.Set(PictureControl::AutoExposure, 1));
  EXPECT_EQ(camera.controls[V4L2_CID_EXPOSURE_AUTO].value, V4L2_EXPOSURE_APERTURE_PRIORITY);
  // A driver with plain "auto" only.
  camera.refusedExposureModes = {V4L2_EXPOSURE_APERTURE_PRIORITY};
  controls.Set(PictureControl::AutoExposure, 0);
  ASSERT_TRUE(controls.Set(PictureControl::AutoExposure, 1));
  EXPECT_EQ(camera.controls[V4L2_CID_EXPOSURE_AUTO].value, V4L2_EXPOSURE_AUTO);
}

TEST(PictureControls, ValuesAreClampedAndMissingControlsRefused) {
  RecordingControls camera = RecordingControls::FullCamera();
  const PictureControls controls(camera);
  EXPECT_TRUE(controls.Set(PictureControl::Brightness, 500));
  EXPECT_EQ(camera.controls[V4L2_CID_BRIGHTNESS].value, 64);
  camera.controls.erase(V4L2_CID_CONTRAST);
  EXPECT_FALSE(controls.Set(PictureControl::Contrast, 10));
}

// Saved values go to the camera switches first, and a value by hand only
// where its switch is off: the camera would refuse or undo it otherwise.
TEST(PictureControls, SavedValuesAreAppliedSwitchesFirstAndManualValuesOnlyWhenManual) {
  RecordingControls camera = RecordingControls::FullCamera();
  const PictureValues saved = {{PictureControl::Brightness, 20},     {PictureControl::Exposure, 300},
                               {PictureControl::AutoExposure, 0},    {PictureControl::WhiteBalance, 3000},
                               {PictureControl::AutoWhiteBalance, 1}, {PictureControl::PowerLine, 2}};
  EXPECT_EQ(PictureControls(camera).Apply(saved), 5);
  const std::vector<std::pair<std::uint32_t, std::int32_t>> expected = {
      {V4L2_CID_EXPOSURE_AUTO, V4L2_EXPOSURE_MANUAL}, {V4L2_CID_AUTO_WHITE_BALANCE, 1}, {V4L2_CID_BRIGHTNESS, 20},
      {V4L2_CID_EXPOSURE_ABSOLUTE, 300},             {V4L2_CID_POWER_LINE_FREQUENCY, 2}};
  EXPECT_EQ(camera.writes, expected);
}

TEST(PictureControls, ValuesAreKeptPerCameraModelInTheSettingsFile) {
  QTemporaryDir folder;
  const std::string path = folder.filePath("QEL-3.ini").toStdString();
  ASSERT_TRUE(SavePictureValue(path, 8, PictureControl::Brightness, -40));
  ASSERT_TRUE(SavePictureValue(path, 8, PictureControl::AutoExposure, 0));
  ASSERT_TRUE(SavePictureValue(path, 3, PictureControl::Brightness, 12));
  EXPECT_EQ(profile::ReadProfileString(path, "PICTURE8", "BRIGHTNESS"), "-40");
  EXPECT_EQ(ReadSavedPictureValues(path, 8),
            (PictureValues{{PictureControl::Brightness, -40}, {PictureControl::AutoExposure, 0}}));
  EXPECT_EQ(ReadSavedPictureValues(path, 3), (PictureValues{{PictureControl::Brightness, 12}}));
  // A value edited into words is left out rather than read as 0.
  ASSERT_TRUE(profile::WriteProfileString(path, "PICTURE3", "CONTRAST", "bright"));
  EXPECT_EQ(ReadSavedPictureValues(path, 3).count(PictureControl::Contrast), 0u);
  EXPECT_TRUE(ReadSavedPictureValues(path, 5).empty());
  EXPECT_FALSE(SavePictureValue("", 8, PictureControl::Brightness, 1));
}

// --- the popup -------------------------------------------------------------

struct Popup {
  std::vector<std::tuple<PictureControl, std::int32_t, bool>> sent;
  CVyrPictureWnd window;
  explicit Popup(const std::vector<PictureControlState>& states) {
    window.SetSetter([this](PictureControl c, std::int32_t v, bool f) { sent.emplace_back(c, v, f); });
    window.SetControls(states);
    window.show();
  }
};

TEST(CVyrPictureWnd, RowsFollowTheCameraAndTheSliderSendsWhileDraggingAndOnRelease) {
  RecordingControls camera = RecordingControls::FullCamera();
  camera.controls.erase(V4L2_CID_CONTRAST);
  Popup popup(PictureControls(camera).Read());
  ASSERT_EQ(popup.window.RowCount(), 4);  // brightness, exposure, white balance, power line
  EXPECT_EQ(popup.window.RowOf(PictureControl::Contrast), -1);
  EXPECT_EQ(popup.window.RowOf(PictureControl::AutoExposure), popup.window.RowOf(PictureControl::Exposure));
  EXPECT_EQ(popup.window.height(), 2 * CVyrPictureWnd::kMargin + 4 * CVyrPictureWnd::kRowHeight);

  const QRect track = popup.window.TrackRect(popup.window.RowOf(PictureControl::Brightness));
  QTest::mousePress(&popup.window, Qt::LeftButton, {}, QPoint(track.left(), track.center().y()));
  QTest::mouseMove(&popup.window, QPoint(track.right() + 1, track.center().y()));
  QTest::mouseRelease(&popup.window, Qt::LeftButton, {}, QPoint(track.right() + 1, track.center().y()));
  const decltype(popup.sent) expected = {{PictureControl::Brightness, -64, false},
                                         {PictureControl::Brightness, 64, false},
                                         {PictureControl::Brightness, 64, true}};
  EXPECT_EQ(popup.sent, expected);
}

TEST(CVyrPictureWnd, TheSliderIsLockedWhileAutomaticAndTheAutoBoxTogglesIt) {
  Popup popup(PictureControls(RecordingControls::FullCamera()).Read());
  const int row = popup.window.RowOf(PictureControl::Exposure);
  const QRect track = popup.window.TrackRect(row);
  QTest::mouseClick(&popup.window, Qt::LeftButton, {}, track.center());
  EXPECT_TRUE(popup.sent.empty());  // automatic: the value by hand cannot be dragged
  QTest::mouseClick(&popup.window, Qt::LeftButton, {}, popup.window.AutoBoxRect(row).center());
  ASSERT_EQ(popup.sent.size(), 1u);
  EXPECT_EQ(popup.sent[0], std::make_tuple(PictureControl::AutoExposure, 0, true));
  QTest::mouseClick(&popup.window, Qt::LeftButton, {}, track.center());
  EXPECT_EQ(std::get<0>(popup.sent.back()), PictureControl::Exposure);
  // Power line: the third choice is 60 Hz.
  const int power = popup.window.RowOf(PictureControl::PowerLine);
  QTest::mouseClick(&popup.window, Qt::LeftButton, {}, popup.window.ChoiceRect(power, 2).center());
  EXPECT_EQ(popup.sent.back(), std::make_tuple(PictureControl::PowerLine, 2, true));
  EXPECT_EQ(popup.window.ValueOf(PictureControl::PowerLine), 2);
}

// --- interval capture schedule ----------------------------------------------

TEST(IntervalCapture, IntervalsAreClampedToOneSecondToOneHourAndStillsNumbered) {
  EXPECT_EQ(ClampInterval(0), 1);
  EXPECT_EQ(ClampInterval(-5), 1);
  EXPECT_EQ(ClampInterval(90), 90);
  EXPECT_EQ(ClampInterval(7200), 3600);
  IntervalCapture capture;
  capture.Start("/pictures", 0);
  EXPECT_EQ(capture.Seconds(), 1);
  const sys::LocalTime time{2026, 12, 10, 4, 14, 30, 5, 0};
  EXPECT_EQ(capture.NextPath(time), "/pictures/20261210143005-0001.bmp");
  capture.Written();
  EXPECT_EQ(capture.NextPath(time), "/pictures/20261210143005-0002.bmp");
  EXPECT_EQ(capture.OverlayText(), "Interval 1 s \xC2\xB7 1");
  capture.Start("/pictures", 600);
  EXPECT_EQ(capture.Count(), 0);
  EXPECT_EQ(capture.OverlayText(), "Interval 10 min \xC2\xB7 0");
}

}  // namespace
}  // namespace orvilo::camera

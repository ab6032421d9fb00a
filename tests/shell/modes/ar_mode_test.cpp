#include "shell/modes/ar_mode.h"

#include "core/command_ids.h"
#include "mode_fixture.h"

namespace orvilo::shell::testing {
namespace {

class ArModeTest : public ModeTest {
 protected:
  ArMode mode{Context()};
};

TEST_F(ArModeTest, LeavingClosesTheViewerAndSaysWhetherOneRan) {
  auto* ar = Give<RecordingArView>(children.ar);
  ar->viewerRunning = true;
  EXPECT_TRUE(mode.Leave(ViewMode::Camera, Entry::ByTab).arViewerClosed);
  EXPECT_FALSE(mode.Leave(ViewMode::Camera, Entry::ByTab).arViewerClosed);
  EXPECT_EQ(mode.Marker(), 0);
  EXPECT_TRUE(mode.Caption().empty());
}

TEST_F(ArModeTest, OnlyTheArBarsCommandsAreItsOwn) {
  Give<RecordingArView>(children.ar);
  EXPECT_TRUE(mode.OnCommand(1095));
  EXPECT_TRUE(mode.OnCommand(1110));
  EXPECT_FALSE(mode.OnCommand(1094));
  EXPECT_FALSE(mode.OnCommand(1111));
  EXPECT_EQ(log, (CallLog{"ar.OnBarCommand(1095)", "ar.OnBarCommand(1110)"}));
}

TEST_F(ArModeTest, EnteringShowsOnlyTheArView) {
  auto* ar = Give<RecordingArView>(children.ar);
  auto* camera = Give<RecordingCameraView>(children.camera);
  mode.Enter({});
  EXPECT_TRUE(ar->isVisible());
  EXPECT_FALSE(camera->isVisible());
  EXPECT_EQ(ar->geometry(), QRect(7, 85, 1024, 768));
}

}  // namespace
}  // namespace orvilo::shell::testing

#include "shell/modes/image_mode.h"

#include "core/command_ids.h"
#include "mode_fixture.h"

namespace orvilo::shell::testing {
namespace {

class ImageModeTest : public ModeTest {
 protected:
  ImageMode mode{Context()};
};

TEST_F(ImageModeTest, EnteringShowsTheHandedOverPictureWithTheImageTools) {
  auto* image = Give<RecordingImageView>(children.image);
  auto* tools = Give<RecordingToolsPalette>(children.tools);
  host.current = ViewMode::Image;
  Handover handover;
  handover.picture = TestPicture(32, 24);
  mode.Enter(std::move(handover));
  EXPECT_TRUE(HasInOrder(log, {"image.SetImage(32x24)", "host.ShowCommandBar(Image)", "tools.SetToolSet(Image)",
                               "image.SetMode(Image)"}));
  EXPECT_EQ(image->geometry(), QRect(7, 85, 1024, 768));
  EXPECT_TRUE(tools->isVisible());

  // Nothing handed over: the view keeps its picture.
  log.clear();
  mode.Enter({});
  EXPECT_FALSE(Contains(log, "image.SetImage(none)"));
  EXPECT_EQ(Text(image->source), "32x24");
}

TEST_F(ImageModeTest, OpenLoadsIntoTheViewAndFailsWithoutIt) {
  EXPECT_FALSE(mode.Open("/x/a.jpg").has_value());
  auto* image = Give<RecordingImageView>(children.image);
  EXPECT_TRUE(mode.Open("/x/a.jpg").has_value());
  image->loadResult = false;
  EXPECT_FALSE(mode.Open("/x/b.jpg").has_value());
  EXPECT_EQ(log, (CallLog{"image.LoadImageFile(/x/a.jpg)", "image.LoadImageFile(/x/b.jpg)"}));
}

TEST_F(ImageModeTest, LeavingResetsTheDrawing) {
  Give<RecordingImageView>(children.image);
  EXPECT_TRUE(mode.Leave(ViewMode::Camera, Entry::ByTab).picture.IsEmpty());
  EXPECT_EQ(log, (CallLog{"image.ResetDrawing"}));
}

TEST_F(ImageModeTest, PickerChoicesByTool) {
  Give<RecordingImageView>(children.image);
  const std::pair<int, int> choices[] = {{command::kColour - command::kFirstImageTool, 4},
                                         {command::kPenType - command::kFirstImageTool, 2},
                                         {command::kShapes - command::kFirstImageTool, 0},
                                         {command::kBoard - command::kFirstImageTool, 3},
                                         {command::kEraser - command::kFirstImageTool, 1}};
  for (const auto& [tool, entry] : choices) mode.OnPickerChoice(tool, entry);
  EXPECT_EQ(log, (CallLog{"image.SetPenColour(4)", "image.SetPenWidth(5)", "image.SetCurrentTool(3)", "image.SetBoard(3)"}));
}

}  // namespace
}  // namespace orvilo::shell::testing

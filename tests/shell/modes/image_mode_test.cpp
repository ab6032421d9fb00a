#include "shell/modes/image_mode.h"

#include <QFile>
#include <QTemporaryDir>

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

// The next / previous keys step through the pictures of the shown file's
// folder in name order, and stop at either end.
TEST_F(ImageModeTest, NextAndPreviousStepThroughThePicturesOfTheFolder) {
  Give<RecordingImageView>(children.image);
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const std::string dir = folder.path().toStdString();
  for (const char* name : {"b.jpg", "a.bmp", "notes.txt", "c.JPG", "clip.mp4"}) {
    QFile file(QString::fromStdString(dir + "/" + name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  }
  ASSERT_TRUE(mode.Open(dir + "/a.bmp").has_value());
  log.clear();
  for (int id : {command::kNextItem, command::kNextItem, command::kNextItem, command::kPreviousItem}) {
    EXPECT_TRUE(mode.OnCommandWhileCurrent(id));
  }
  EXPECT_EQ(log, (CallLog{"image.LoadImageFile(" + dir + "/b.jpg)", "image.LoadImageFile(" + dir + "/c.JPG)",
                          "image.LoadImageFile(" + dir + "/b.jpg)"}));

  // A picture that is no file (a camera snapshot) has no folder to step through.
  Handover snapshot;
  snapshot.picture = TestPicture(8, 8);
  mode.Enter(std::move(snapshot));
  log.clear();
  mode.OnCommandWhileCurrent(command::kNextItem);
  EXPECT_TRUE(log.empty());
}

// A long press on the picture sends the tool's picker command; the palette
// opens that picker beside its button.
TEST_F(ImageModeTest, PickerCommandsFromTheViewOpenThePalettesPicker) {
  Give<RecordingImageView>(children.image);
  Give<RecordingToolsPalette>(children.tools);
  for (int id : {command::kColour, command::kPenType, command::kShapes, command::kBoard}) EXPECT_TRUE(mode.OnCommand(id));
  EXPECT_EQ(log, (CallLog{"tools.OpenPicker(1536)", "tools.OpenPicker(1537)", "tools.OpenPicker(1540)",
                          "tools.OpenPicker(1541)"}));
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

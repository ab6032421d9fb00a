#include "reading/voice_book_list.h"

#include <gtest/gtest.h>

#include <fstream>

#include "tests/platform/sys/temporary_folder.h"

using namespace orvilo;
using namespace orvilo::reading;
using orvilo::testing::TemporaryFolder;

namespace {

std::string Touch(const TemporaryFolder& folder, const std::string& name, const std::string& content = "VX") {
  const std::string path = folder / name;
  std::ofstream(path) << content;
  return path;
}

std::vector<std::string> Names(const VoiceBookList& list) {
  std::vector<std::string> names;
  for (const auto& item : list.Items()) names.push_back(item.name);
  return names;
}

VoiceBookList ListOf(const TemporaryFolder& folder, std::initializer_list<const char*> names) {
  VoiceBookList list;
  for (const char* name : names) list.Add(Touch(folder, std::string(name) + ".qel"));
  return list;
}

TEST(VoiceBookListTest, NamesComeFromTheFileName) {
  const std::pair<const char*, const char*> cases[] = {
      {"/home/t/lesson.1.qel", "lesson.1"}, {"/home/t/notes", "Unknown"}, {"/home/t/.qel", "Unknown"},
      {"/home/t.d/page", "Unknown"},        {"plain.qel", "plain"},       {"/a/한글 수업.qel", "한글 수업"},
  };
  for (const auto& [path, name] : cases) EXPECT_EQ(VoiceBookName(path), name) << path;
}

TEST(VoiceBookListTest, OnlyExistingFilesAreAddedAndUnchecked) {
  TemporaryFolder folder;
  VoiceBookList list;
  EXPECT_FALSE(list.Add(folder / "gone.qel"));
  EXPECT_FALSE(list.Add(folder.path()));
  EXPECT_TRUE(list.Add(Touch(folder, "a.qel")));
  EXPECT_TRUE(list.Add(folder / "a.qel"));  // the same path twice is allowed
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Items()[0], (VoiceBookItem{false, "a", folder / "a.qel"}));
}

TEST(VoiceBookListTest, DraggingMovesOneItemAndShiftsTheOthers) {
  TemporaryFolder folder;
  struct Case {
    int from, to;
    std::vector<std::string> result;
    int selected;
  };
  const Case cases[] = {
      {0, 2, {"b", "c", "a"}, 2}, {2, 0, {"c", "a", "b"}, 0}, {1, 9, {"a", "c", "b"}, 2}, {1, -3, {"b", "a", "c"}, 0},
  };
  for (const Case& c : cases) {
    VoiceBookList list = ListOf(folder, {"a", "b", "c"});
    EXPECT_TRUE(list.Move(c.from, c.to));
    EXPECT_EQ(Names(list), c.result) << c.from << "→" << c.to;
    EXPECT_EQ(list.Selected(), c.selected);
  }
  VoiceBookList list = ListOf(folder, {"a", "b", "c"});
  EXPECT_FALSE(list.Move(1, 1));
  EXPECT_FALSE(list.Move(5, 0));
}

TEST(VoiceBookListTest, RemoveTakesTheCheckedItemsElseTheSelectedOne) {
  TemporaryFolder folder;
  VoiceBookList list = ListOf(folder, {"a", "b", "c", "d"});
  list.RemoveCheckedOrSelected();  // nothing checked, nothing selected
  EXPECT_EQ(list.Count(), 4);
  list.ToggleChecked(1);
  list.ToggleChecked(3);
  list.Select(0);
  list.RemoveCheckedOrSelected();
  EXPECT_EQ(Names(list), (std::vector<std::string>{"a", "c"}));
  EXPECT_EQ(list.Selected(), -1);
  list.Select(1);
  list.RemoveCheckedOrSelected();
  EXPECT_EQ(Names(list), (std::vector<std::string>{"a"}));
  EXPECT_TRUE(std::ifstream(folder / "b.qel").good()) << "the files stay on disk";
}

TEST(VoiceBookListTest, ReadingPlaysTheCheckedBooksInOrderAndRepeatWraps) {
  TemporaryFolder folder;
  VoiceBookList list = ListOf(folder, {"a", "b", "c", "d"});
  for (int row : {0, 2, 3}) list.ToggleChecked(row);
  std::vector<int> played;
  for (auto book = list.ChooseBookToRead(); book && played.size() < 7; book = list.NextBookToRead(true)) {
    played.push_back(*book);
  }
  EXPECT_EQ(played, (std::vector<int>{0, 2, 3, 0, 2, 3, 0}));
  // Without repeat, reading ends after the last checked book.
  list.Select(-1);
  played.clear();
  for (auto book = list.ChooseBookToRead(); book; book = list.NextBookToRead(false)) played.push_back(*book);
  EXPECT_EQ(played, (std::vector<int>{0, 2, 3}));
}

TEST(VoiceBookListTest, ReadingStartsAtTheSelectedRowOrWrapsToTheTop) {
  TemporaryFolder folder;
  VoiceBookList list = ListOf(folder, {"a", "b", "c"});
  EXPECT_FALSE(list.ChooseBookToRead().has_value());  // nothing checked
  list.ToggleChecked(0);
  list.Select(1);
  EXPECT_EQ(list.ChooseBookToRead(), 0);
  list.ToggleChecked(2);
  list.Select(1);
  EXPECT_EQ(list.ChooseBookToRead(), 2);
  EXPECT_EQ(list.Selected(), 2);
}

// The remote steps through the checked books, or the whole list while none
// is checked, and stops at either end.
TEST(VoiceBookListTest, TheRemoteStepsThroughTheCheckedBooksElseTheWholeList) {
  TemporaryFolder folder;
  VoiceBookList none = ListOf(folder, {"a", "b", "c", "d", "e"});
  VoiceBookList some = ListOf(folder, {"a", "b", "c", "d", "e"});
  for (int row : {1, 3}) some.ToggleChecked(row);
  struct Case {
    const VoiceBookList* list;
    int from, direction;
    std::optional<int> want;
  };
  const Case cases[] = {
      {&none, -1, 1, 0}, {&none, -1, -1, 0},           // nothing selected: the first, either way
      {&none, 1, 1, 2},  {&none, 1, -1, 0},            // the neighbours
      {&none, 4, 1, std::nullopt}, {&none, 0, -1, std::nullopt},  // the ends stop
      {&some, -1, 1, 1}, {&some, -1, -1, 1},           // the first checked
      {&some, 1, 1, 3},  {&some, 3, -1, 1},            // checked to checked, passing the others
      {&some, 2, 1, 3},  {&some, 2, -1, 1},            // from an unchecked row
      {&some, 3, 1, std::nullopt}, {&some, 1, -1, std::nullopt},
      {&some, 1, 0, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.list->StepFrom(c.from, c.direction), c.want)
        << (c.list == &none ? "none" : "some") << " checked, from " << c.from << " by " << c.direction;
  }
  EXPECT_FALSE(VoiceBookList().StepFrom(-1, 1).has_value());
  EXPECT_EQ(some.Selected(), -1);  // stepping selects nothing by itself
}

TEST(VoiceBookListTest, RenameMovesTheFileButNeverOverAnother) {
  TemporaryFolder folder;
  VoiceBookList list = ListOf(folder, {"a", "b"});
  EXPECT_FALSE(list.RenameSelected("x"));  // nothing selected
  list.Select(0);
  EXPECT_TRUE(list.RenameSelected("fractions"));
  EXPECT_EQ(list.Items()[0], (VoiceBookItem{false, "fractions", folder / "fractions.qel"}));
  EXPECT_TRUE(std::ifstream(folder / "fractions.qel").good());
  EXPECT_FALSE(std::ifstream(folder / "a.qel").good());
  // Onto an existing file: the name changes, the file and path stay.
  list.Select(1);
  EXPECT_TRUE(list.RenameSelected("fractions"));
  EXPECT_EQ(list.Items()[1], (VoiceBookItem{false, "fractions", folder / "b.qel"}));
  EXPECT_FALSE(list.RenameSelected("../escape"));
}

TEST(VoiceBookListTest, TheSectionKeepsPathsInOrderAndDropsFilesThatAreGone) {
  TemporaryFolder folder;
  const std::string a = Touch(folder, "a.qel");
  const std::string b = Touch(folder, "b.qel");
  profile::ProfileFile settings = profile::ProfileFile::Parse(folder / "QEL-3.ini",
      "[VOICEBOOK]\r\nVoiceBook001=" + a + "\r\nVoiceBook002=" + folder / "gone.qel" + "\r\nVoiceBook003=" + b +
      "\r\nVoiceBook004=END\r\nVoiceBook005=" + a + "\r\n");
  VoiceBookList list;
  list.ReadSection(settings);
  EXPECT_EQ(Names(list), (std::vector<std::string>{"a", "b"}));

  list.WriteSection(settings);
  EXPECT_EQ(settings.Read("VOICEBOOK", "VoiceBook001"), a);
  EXPECT_EQ(settings.Read("VOICEBOOK", "VoiceBook002"), b);
  EXPECT_EQ(settings.Read("VOICEBOOK", "VoiceBook003"), "END");
  // Keys beyond it from an earlier, longer list stay unread.
  VoiceBookList again;
  again.ReadSection(settings);
  EXPECT_EQ(again.Count(), 2);
}

}  // namespace

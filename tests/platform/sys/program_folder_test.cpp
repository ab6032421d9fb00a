#include "platform/sys/program_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace orvilo::sys;

TEST(ProgramFolder, IsTheFolderOfThisExecutable) {
  const std::string folder = ProgramFolder();
  EXPECT_TRUE(std::filesystem::exists(folder + "/platform_sys_test"));
  EXPECT_NE(folder.back(), '/');
  EXPECT_EQ(ModuleFolder(reinterpret_cast<const void*>(&ProgramFolder)), folder);
}

TEST(ProgramFolder, JoinPathUsesOneSeparator) {
  EXPECT_EQ(JoinPath("/a/b", "QEL-3.ini"), "/a/b/QEL-3.ini");
  EXPECT_EQ(JoinPath("/a/b/", "x"), "/a/b/x");
  EXPECT_EQ(JoinPath("", "x"), "x");
}

TEST(ProgramFolder, ParentFolderIsThePartBeforeTheLastSeparator) {
  EXPECT_EQ(ParentFolder("/a/b/QEL-3.ini"), "/a/b");
  EXPECT_EQ(ParentFolder("/QEL-3.ini"), "/");
  EXPECT_EQ(ParentFolder("QEL-3.ini"), ".");
  EXPECT_EQ(ParentFolder("/a/교사/x.bmp"), "/a/교사");
}

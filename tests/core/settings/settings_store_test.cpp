#include "core/settings/settings_store.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "platform/profile/private_profile.h"
#include "platform/sys/file_io.h"
#include "platform/sys/ui_language.h"
#include "platform/text/code_page.h"
#include "tests/platform/sys/child_process.h"
#include "tests/platform/sys/temporary_folder.h"
#include "tests/platform/sys/test_label.h"

using namespace orvilo::core;
using orvilo::profile::ReadProfileString;
using orvilo::sys::kLanguageEnglishUs;
using orvilo::sys::kLanguageKorean;
using orvilo::sys::ReadFileBytes;
using orvilo::sys::SaveFileAtomically;
using orvilo::testing::Restriction;
using orvilo::testing::RunInChild;
using orvilo::testing::TemporaryFolder;
using orvilo::testing::TestLabel;
using orvilo::text::CodePage;
using orvilo::text::Conversion;
using orvilo::text::ConvertCodePage;
namespace fs = std::filesystem;

namespace {

// A program folder of its own, with a Korean name as teachers' machines have.
class ProgramFolder : public ::testing::Test {
 protected:
  void SetUp() override { fs::create_directory(folder_); }

  SettingsStore Store(int systemLanguage = kLanguageEnglishUs) const { return SettingsStore(folder_, systemLanguage); }
  std::string SettingsFile() const { return folder_ + "/QEL-3.ini"; }
  std::string Contents() const { return ReadFileBytes(SettingsFile(), 1 << 20).bytes; }
  void WriteSettings(const std::string& bytes) const { ASSERT_TRUE(SaveFileAtomically(SettingsFile(), bytes)); }
  std::string Value(const char* key) const { return ReadProfileString(SettingsFile(), "QEL-3", key); }
  std::string In(const std::string& name) const { return folder_ + "/" + name; }

  TemporaryFolder root_;
  const std::string folder_ = root_ / "교사 프로그램";
};

ino_t Inode(const std::string& path) {
  struct stat info{};
  stat(path.c_str(), &info);
  return info.st_ino;
}

}  // namespace

// ---- First start in an empty program folder --------------------------------

struct FirstStartKey {
  const char* key;
  const char* value;  // "<>" stands for the program folder; nullptr: not written
  friend void PrintTo(const FirstStartKey& c, std::ostream* out) { *out << c.key; }
};

class FirstStart : public ProgramFolder, public ::testing::WithParamInterface<FirstStartKey> {};

TEST_P(FirstStart, WritesEveryDefault) {
  Store().ReadAtStart();
  std::string expected = GetParam().value ? GetParam().value : "";
  if (expected.rfind("<>", 0) == 0) expected = folder_ + expected.substr(2);
  EXPECT_EQ(Value(GetParam().key), expected);
}

INSTANTIATE_TEST_SUITE_P(Keys, FirstStart,
                         ::testing::Values(FirstStartKey{"TempFolder", "<>/STRQelOutput"},
                                           FirstStartKey{"ImageFolder", "<>/Image"},
                                           FirstStartKey{"UserDicPath", "<>/user.dic"},
                                           FirstStartKey{"UserEDicPath", "<>/userE.dic"},
                                           FirstStartKey{"VideoFolder", "<>/Video"},
                                           FirstStartKey{"RESOLUTION", "2"}, FirstStartKey{"ROTATE", "0"},
                                           FirstStartKey{"FULLSCREEN", "FALSE"},
                                           // Set by whoever installs the program, never by it.
                                           FirstStartKey{"TITLE", nullptr}, FirstStartKey{"LANGUAGE", nullptr},
                                           FirstStartKey{"LOGOPOPUP", nullptr}, FirstStartKey{"GRADE", nullptr},
                                           FirstStartKey{"ARINFO", nullptr}));

TEST_F(ProgramFolder, FirstStartGivesTheFileTheRecordAndTheFolders) {
  const MainWindowSettings settings = Store().ReadAtStart();
  EXPECT_EQ(Contents(), "[QEL-3]\r\n"
                        "TempFolder=" + In("STRQelOutput") + "\r\n"
                        "ImageFolder=" + In("Image") + "\r\n"
                        "UserDicPath=" + In("user.dic") + "\r\n"
                        "UserEDicPath=" + In("userE.dic") + "\r\n"
                        "VideoFolder=" + In("Video") + "\r\n"
                        "RESOLUTION=2\r\nROTATE=0\r\nFULLSCREEN=FALSE\r\n");
  EXPECT_EQ(settings.tempFolder, In("STRQelOutput"));
  EXPECT_EQ(settings.imageFolder, In("Image"));
  EXPECT_EQ(settings.userDicPath, In("user.dic"));
  EXPECT_EQ(settings.userEDicPath, In("userE.dic"));
  EXPECT_EQ(settings.videoFolder, In("Video"));
  EXPECT_EQ(settings.resolutionIndex, 2);
  EXPECT_EQ(settings.rotation, 0);
  EXPECT_FALSE(settings.fullScreen);
  EXPECT_EQ(settings.title, "");
  for (const char* name : {"Image", "Video", "STRQelOutput"}) EXPECT_TRUE(fs::is_directory(In(name))) << name;
  EXPECT_FALSE(fs::exists(In("user.dic")));
  EXPECT_FALSE(fs::exists(In("userE.dic")));
  EXPECT_EQ(Store().ScratchFolder(), In("STRQelOutput"));
  EXPECT_EQ(Store().settingsPath(), SettingsFile());
}

TEST_F(ProgramFolder, ASecondStartChangesNothing) {
  Store().ReadAtStart();
  const std::string before = Contents();
  const ino_t inode = Inode(SettingsFile());
  const MainWindowSettings settings = Store().ReadAtStart();
  EXPECT_EQ(Contents(), before);
  EXPECT_EQ(Inode(SettingsFile()), inode);  // not even rewritten
  EXPECT_EQ(settings.imageFolder, In("Image"));
}

// ---- FULLSCREEN, ROTATE, RESOLUTION ---------------------------------------

struct StartCase {
  const char* key;
  const char* stored;  // nullptr: key missing
  int atStart;         // flag (0/1), rotation or resolution index
  const char* afterStart;
  const char* afterShutdown;  // the run changed nothing
  friend void PrintTo(const StartCase& c, std::ostream* out) {
    *out << c.key << "_" << (c.stored ? TestLabel(c.stored) : "missing");
  }
};

class StartAndShutdown : public ProgramFolder, public ::testing::WithParamInterface<StartCase> {};

TEST_P(StartAndShutdown, ReadsAndWritesBack) {
  const StartCase& c = GetParam();
  if (c.stored) WriteSettings("[QEL-3]\r\n" + std::string(c.key) + "=" + c.stored + "\r\n");
  const SettingsStore store = Store();
  const MainWindowSettings settings = store.ReadAtStart();
  const std::string key = c.key;
  const int read = key == "FULLSCREEN" ? settings.fullScreen : key == "ROTATE" ? settings.rotation : settings.resolutionIndex;
  EXPECT_EQ(read, c.atStart);
  EXPECT_EQ(Value(c.key), c.afterStart);
  store.WriteAtShutdown(CameraViewState{settings.resolutionIndex, settings.rotation}, settings.fullScreen);
  EXPECT_EQ(Value(c.key), c.afterShutdown);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StartAndShutdown,
    ::testing::Values(StartCase{"FULLSCREEN", nullptr, 0, "FALSE", "FALSE"},
                      StartCase{"FULLSCREEN", "TRUE", 1, "TRUE", "TRUE"},
                      StartCase{"FULLSCREEN", "true", 0, "true", "FALSE"},  // case-sensitive
                      StartCase{"FULLSCREEN", "1", 0, "1", "FALSE"},
                      StartCase{"FULLSCREEN", "FALSE", 0, "FALSE", "FALSE"},
                      StartCase{"FULLSCREEN", "  TRUE\t", 1, "TRUE", "TRUE"},  // trimmed by the reader
                      StartCase{"ROTATE", nullptr, 0, "0", "0"},
                      StartCase{"ROTATE", "3", 3, "3", "3"},
                      StartCase{"ROTATE", "5", 1, "5", "1"},
                      StartCase{"ROTATE", "-1", 3, "-1", "3"},  // negative counts turn back
                      StartCase{"ROTATE", "-6", 2, "-6", "2"},
                      StartCase{"ROTATE", "abc", 0, "abc", "0"},
                      StartCase{"ROTATE", "99999999999", 3, "99999999999", "3"},  // clamped to INT_MAX, then mod 4
                      StartCase{"RESOLUTION", nullptr, 2, "2", "2"},
                      StartCase{"RESOLUTION", "4", 4, "4", "4"},
                      StartCase{"RESOLUTION", "abc", 0, "abc", "0"},
                      StartCase{"RESOLUTION", "1x", 1, "1x", "1"}));

TEST_F(ProgramFolder, ShutdownWithoutACameraViewWritesOnlyFullScreen) {
  WriteSettings("[QEL-3]\r\nRESOLUTION=4\r\nROTATE=1\r\nFULLSCREEN=FALSE\r\n");
  EXPECT_TRUE(Store().WriteAtShutdown(std::nullopt, true));
  EXPECT_EQ(Contents(), "[QEL-3]\r\nRESOLUTION=4\r\nROTATE=1\r\nFULLSCREEN=TRUE\r\n");
  EXPECT_TRUE(Store().WriteAtShutdown(CameraViewState{0, 7}, false));
  EXPECT_EQ(Contents(), "[QEL-3]\r\nRESOLUTION=0\r\nROTATE=3\r\nFULLSCREEN=FALSE\r\n");
}

// ---- Language, logo and AR keys, read afresh --------------------------------

TEST_F(ProgramFolder, LanguageIsReadAfreshForEachComponent) {
  const SettingsStore english = Store(kLanguageEnglishUs);
  EXPECT_FALSE(english.IsKoreanWindowLanguage());
  ASSERT_TRUE(english.Write("LANGUAGE", "0"));
  EXPECT_TRUE(english.IsKoreanWindowLanguage());
  EXPECT_FALSE(english.IsKoreanComponentLanguage());
  const SettingsStore korean = Store(kLanguageKorean);
  EXPECT_TRUE(korean.IsKoreanComponentLanguage());
  ASSERT_TRUE(korean.Write("LANGUAGE", "1"));
  EXPECT_FALSE(korean.IsKoreanWindowLanguage());
  EXPECT_FALSE(korean.IsKoreanComponentLanguage());
}

TEST_F(ProgramFolder, LogoGradeAndArKeys) {
  const SettingsStore store = Store();
  EXPECT_TRUE(store.LogoPopupEnabled());
  EXPECT_EQ(store.GradeSlot(6), 5);
  EXPECT_EQ(store.ArInfoFormat(), "%d 학년 %d 학기 %d 단원");
  for (const auto& [value, enabled] : {std::pair{"0", false}, {"2", true}, {"abc", false}, {"", true}}) {
    store.Write("LOGOPOPUP", value);
    EXPECT_EQ(store.LogoPopupEnabled(), enabled) << value;
  }
  store.Write("GRADE", "356");
  EXPECT_EQ(store.GradeSlot(5), 1);
  EXPECT_FALSE(store.GradeSlot(4).has_value());
  store.Write("ARINFO", "Grade %d / %d / %d");
  EXPECT_EQ(store.ArInfoFormat(), "Grade %d / %d / %d");
}

// ---- Settings dialog --------------------------------------------------------

TEST_F(ProgramFolder, ChangedFoldersAreWrittenAtOnceButNotCreated) {
  const SettingsStore store = Store();
  MainWindowSettings settings = store.ReadAtStart();
  const ino_t inode = Inode(SettingsFile());
  store.ApplyFolderChoice(settings, settings.imageFolder, settings.videoFolder);
  EXPECT_EQ(Inode(SettingsFile()), inode);  // nothing differed: nothing written

  store.ApplyFolderChoice(settings, In("사진"), settings.videoFolder);
  EXPECT_EQ(settings.imageFolder, In("사진"));
  EXPECT_EQ(Value("ImageFolder"), In("사진"));
  EXPECT_EQ(Value("VideoFolder"), In("Video"));
  EXPECT_FALSE(fs::exists(In("사진")));
  store.ReadAtStart();
  EXPECT_TRUE(fs::is_directory(In("사진")));  // at the next start
}

// ---- Bad input --------------------------------------------------------------

TEST_F(ProgramFolder, AGarbageFileGivesDefaultsAndKeepsItsBytes) {
  std::string garbage;
  for (int i = 0; i < 2000; ++i) garbage.push_back(static_cast<char>((i * 131 + 7) & 0xFF));
  WriteSettings(garbage);
  const MainWindowSettings settings = Store().ReadAtStart();
  EXPECT_EQ(settings.imageFolder, In("Image"));
  EXPECT_EQ(settings.resolutionIndex, 2);
  EXPECT_EQ(Contents().substr(0, garbage.size()), garbage);
  EXPECT_EQ(Value("ROTATE"), "0");
}

TEST_F(ProgramFolder, AFileWrittenOnKoreanWindowsIsReadAndKept) {
  // ImageFolder "<folder>/사진", TITLE "실물화상기", a voice-book entry; the whole file CP949.
  const std::string utf8 = "[QEL-3]\r\nImageFolder=" + In("사진") + "\r\nTITLE=실물화상기\r\n"
                           "[VOICEBOOK]\r\nVoiceBook001=/x/교과서.qel\r\nVoiceBook002=END\r\n";
  const Conversion cp949 = ConvertCodePage(utf8, CodePage::Utf8, CodePage::Cp949);
  ASSERT_TRUE(cp949.ok);
  WriteSettings(cp949.bytes);
  const MainWindowSettings settings = Store().ReadAtStart();
  EXPECT_EQ(settings.imageFolder, In("사진"));
  EXPECT_TRUE(fs::is_directory(In("사진")));
  EXPECT_EQ(settings.title, "실물화상기");
  EXPECT_EQ(ReadProfileString(SettingsFile(), "VOICEBOOK", "VoiceBook001"), "/x/교과서.qel");
  // Defaults were written at start: the file is UTF-8 now, every line kept.
  EXPECT_NE(Contents().find("TITLE=실물화상기\r\n"), std::string::npos);
  EXPECT_NE(Contents().find("[VOICEBOOK]\r\nVoiceBook001=/x/교과서.qel\r\nVoiceBook002=END\r\n"), std::string::npos);
}

TEST_F(ProgramFolder, AnOverLongValueIsCutAndTheFileKeepsIt) {
  const std::string longFolder = In(std::string(250, 'a') + "/" + std::string(50, 'b'));
  WriteSettings("[QEL-3]\r\nImageFolder=" + longFolder + "\r\n");
  const MainWindowSettings settings = Store().ReadAtStart();
  EXPECT_EQ(settings.imageFolder, longFolder.substr(0, 259));
  EXPECT_NE(Contents().find(longFolder), std::string::npos);
}

TEST_F(ProgramFolder, AWindowsPathMakesNoStrayFolderAndIsKeptInTheFile) {
  WriteSettings("[QEL-3]\r\nImageFolder=D:\\Teacher\\Image\r\nVideoFolder=C:\\Video\r\n");
  const MainWindowSettings settings = Store().ReadAtStart();
  EXPECT_EQ(settings.imageFolder, In("Image"));
  EXPECT_EQ(settings.videoFolder, In("Video"));
  EXPECT_EQ(Value("ImageFolder"), "D:\\Teacher\\Image");
  EXPECT_FALSE(fs::exists("D:\\Teacher\\Image"));
  EXPECT_FALSE(fs::exists("D:"));
}

TEST_F(ProgramFolder, AnUnwritableDataFolderIsSkipped) {
  ASSERT_TRUE(SaveFileAtomically(In("file"), "x"));
  WriteSettings("[QEL-3]\r\nImageFolder=" + In("file/Image") + "\r\nTempFolder=" + In("Scratch") + "\r\n");
  const MainWindowSettings settings = Store().ReadAtStart();
  EXPECT_EQ(settings.imageFolder, In("file/Image"));
  EXPECT_TRUE(fs::is_directory(In("Video")));
  EXPECT_TRUE(fs::is_directory(In("Scratch")));
  EXPECT_TRUE(fs::is_directory(In("STRQelOutput")));  // the scratch files go there by name
}

// An installed program: the folder is not the user's to write. The settings
// and the data folders move to the user's XDG folders; the program folder's
// file is the administrator's defaults, read until the user has a file and
// copied into it at the first start.
TEST_F(ProgramFolder, AReadOnlyProgramFolderMovesSettingsAndDataToTheUsersFolders) {
  WriteSettings("[QEL-3]\r\nROTATE=1\r\nGRADE=356\r\n");
  const std::string before = Contents();
  chmod(folder_.c_str(), 0555);
  const std::string home = root_ / "home";
  fs::create_directory(home);
  chmod(home.c_str(), 0777);
  const int result = RunInChild(Restriction::Unprivileged, [&] {
    setenv("HOME", home.c_str(), 1);
    unsetenv("XDG_CONFIG_HOME");
    unsetenv("XDG_DATA_HOME");
    const SettingsStore store = Store();
    if (store.settingsPath() != home + "/.config/orvilo/QEL-3.ini") return 1;
    if (store.GradeSlot(3) != 0) return 2;  // the administrator's value before the first start
    const MainWindowSettings settings = store.ReadAtStart();
    const std::string data = home + "/.local/share/orvilo";
    if (settings.rotation != 1 || settings.imageFolder != data + "/Image" || settings.videoFolder != data + "/Video" ||
        store.ScratchFolder() != data + "/STRQelOutput") {
      return 3;
    }
    if (!fs::is_directory(settings.imageFolder) || !fs::is_directory(settings.videoFolder) ||
        !fs::is_directory(store.ScratchFolder())) {
      return 4;
    }
    if (!store.WriteAtShutdown(CameraViewState{3, 2}, true)) return 5;
    const std::string mine = store.settingsPath();
    if (ReadProfileString(mine, "QEL-3", "ROTATE") != "2" || ReadProfileString(mine, "QEL-3", "GRADE") != "356") return 6;
    return 0;
  });
  EXPECT_EQ(result, 0);
  EXPECT_EQ(Contents(), before);
  EXPECT_FALSE(fs::exists(In("Image")));
  EXPECT_FALSE(fs::exists(In("STRQelOutput")));
}

// Neither the program folder nor the user's may be written: the program still
// starts with the values it can read, and says that the shutdown's write failed.
TEST_F(ProgramFolder, WithNowhereToWriteTheStartUsesDefaultsAndLosesNothing) {
  WriteSettings("[QEL-3]\r\nROTATE=1\r\nGRADE=356\r\n");
  const std::string before = Contents();
  chmod(folder_.c_str(), 0555);
  const int result = RunInChild(Restriction::Unprivileged, [&] {
    setenv("HOME", folder_.c_str(), 1);  // not writable either
    unsetenv("XDG_CONFIG_HOME");
    unsetenv("XDG_DATA_HOME");
    const SettingsStore store = Store();
    const MainWindowSettings settings = store.ReadAtStart();
    if (settings.rotation != 1 || settings.resolutionIndex != 2) return 1;
    if (store.WriteAtShutdown(CameraViewState{3, 2}, true)) return 2;  // reported, not pretended
    if (store.GradeSlot(3) != 0) return 3;
    return 0;
  });
  EXPECT_EQ(result, 0);
  EXPECT_EQ(Contents(), before);
  EXPECT_FALSE(fs::exists(In("Image")));
}

TEST_F(ProgramFolder, AnUnreadableSettingsFileIsNeverReplaced) {
  fs::create_directory(SettingsFile());  // a folder where the file should be
  const MainWindowSettings settings = Store().ReadAtStart();
  EXPECT_EQ(settings.resolutionIndex, 2);
  EXPECT_TRUE(fs::is_directory(SettingsFile()));
  EXPECT_FALSE(Store().WriteAtShutdown(std::nullopt, false));
}

// The scheme files on disk, in a private temporary folder: color.dat through the profile
// functions, scheme.lst through the list box, and the failures that must not lose data.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/events.h"
#include "schemes/scheme_store_win.h"
#include "toolkit/toolkit_win.h"
#include "core/wide_win.h"

namespace {

namespace fs = std::filesystem;

class SchemeStoreTest : public testing::Test {
 protected:
  void SetUp() override { fs::create_directories(folder_); }
  void TearDown() override {
    for (const auto& entry : fs::directory_iterator(folder_)) {
      SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    fs::remove_all(folder_);
  }

  std::u16string Path(const wchar_t* name) const { return (folder_ / name).u16string(); }
  std::vector<fs::path> Files() const {
    std::vector<fs::path> names;
    for (const auto& entry : fs::directory_iterator(folder_)) {
      names.push_back(entry.path().filename());
    }
    return names;
  }
  static std::string Bytes(const std::u16string& path) {
    std::ifstream in(fs::path(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  static void Write(const std::u16string& path, std::string_view bytes) {
    std::ofstream(fs::path(path), std::ios::binary) << bytes;
  }

  const fs::path folder_ =
      fs::temp_directory_path() / ("qf_scheme_store_" + std::to_string(GetCurrentProcessId()));
};

TEST_F(SchemeStoreTest, ColorFileIsTheProfileFormatAndReadsBackCaseBlind) {
  const std::u16string colors = Path(L"color.dat");
  for (int i = 1; i <= qf::kSchemeColorCount; ++i) {
    EXPECT_TRUE(qf::WriteIni(u"Sunset", qf::SchemeColorKey(i),
                             qf::FormatColorValue(i == 10 ? 16711680 : 255), colors));
  }
  std::string expected = "[Sunset]\r\n";
  for (int i = 1; i <= 9; ++i) expected += "Fade" + std::to_string(i) + "=255\r\n";
  expected += "Fade10=16711680\r\n";
  EXPECT_EQ(Bytes(colors), expected);

  EXPECT_EQ(qf::ReadIni(u"SUNSET", u"Fade10", colors), u"16711680");
  EXPECT_EQ(qf::ReadIni(u" Sunset ", u"Fade10", colors), u"16711680");
  EXPECT_EQ(qf::ReadIni(u"Sunset", u"fade1", colors), u"255");
  EXPECT_EQ(qf::ReadIni(u"Sunset", u"Fade1", Path(L"missing.dat")), u"");

  // A value longer than the buffer comes back cut to 254 characters.
  const std::u16string longValue(300, u'7');
  EXPECT_TRUE(qf::WriteIni(u"Long", u"Fade1", longValue, colors));
  EXPECT_EQ(qf::ReadIni(u"Long", u"Fade1", colors), longValue.substr(0, 254));
}

TEST_F(SchemeStoreTest, ColorFileInAFolderTheCodePageCannotSpell) {
  const fs::path folder = folder_ / L"\u0414\u043C\u0438\u0442\u0440\u0438\u0439";
  ASSERT_TRUE(fs::create_directory(folder));
  const std::u16string colors = (folder / L"color.dat").u16string();
  EXPECT_TRUE(qf::WriteIni(u"Sunset", u"Fade1", u"255", colors));
  EXPECT_TRUE(qf::FileExists(colors));
  EXPECT_EQ(qf::ReadIni(u"Sunset", u"Fade1", colors), u"255");

  // On a volume without short names the wide profile functions take over, and the file holds
  // the same ANSI bytes as one written through the ANSI functions.
  const fs::path noShortNames = folder_ / L"\u0394\u03B5\u03BB\u03C4\u03B1";
  ASSERT_TRUE(fs::create_directory(noShortNames));
  const std::u16string wideColors = (noShortNames / L"color.dat").u16string();
  qf::SetShortNamesAvailable(false);
  EXPECT_TRUE(qf::WriteIni(u"Caf\u00E9", u"Fade1", u"255", wideColors));
  EXPECT_TRUE(qf::WriteIni(u"Caf\u00E9", u"Fade2", u"-1", wideColors));
  const std::u16string read = qf::ReadIni(u"CAF\u00E9", u"fADE2", wideColors);
  qf::SetShortNamesAvailable(true);
  EXPECT_EQ(read, u"-1");
  EXPECT_EQ(Bytes(wideColors), "[Caf\xE9]\r\nFade1=255\r\nFade2=-1\r\n");
}

TEST_F(SchemeStoreTest, AColorWriteThatFailsSaysSo) {
  const std::u16string colors = Path(L"color.dat");
  Write(colors, "[Old]\r\nFade1=1\r\n");
  SetFileAttributesW(qf::ToWide(colors).c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_FALSE(qf::WriteIni(u"New", u"Fade1", u"255", colors));
  EXPECT_FALSE(qf::WriteIni(u"New", u"Fade1", u"255", Path(L"no such folder\\color.dat")));
  EXPECT_EQ(Bytes(colors), "[Old]\r\nFade1=1\r\n");
}

TEST_F(SchemeStoreTest, FileExistsOnlyForNormalFiles) {
  const std::u16string file = Path(L"scheme.lst");
  EXPECT_FALSE(qf::FileExists(file));
  Write(file, "Sunset\r\n");
  EXPECT_TRUE(qf::FileExists(file));
  EXPECT_FALSE(qf::FileExists(Path(L"scheme.*")));
  EXPECT_FALSE(qf::FileExists(folder_.u16string()));
  SetFileAttributesW(qf::ToWide(file).c_str(), FILE_ATTRIBUTE_HIDDEN);
  EXPECT_FALSE(qf::FileExists(file));
}

TEST_F(SchemeStoreTest, ListSavesAndLoadsBackEntryForEntry) {
  const std::u16string list = Path(L"scheme.lst");
  const std::vector<std::u16string> saved{u"Sunset", u"Red, Blue", u"  lead", u"Caf\u00E9",
                                          u"Sunset"};
  ASSERT_TRUE(qf::SaveListBox(list, saved));
  EXPECT_EQ(Bytes(list), "Sunset\r\n\"Red, Blue\"\r\n\"  lead\"\r\nCaf\xE9\r\nSunset\r\n");
  const qf::SchemeListFile loaded = qf::LoadListBox(list);
  EXPECT_EQ(loaded.outcome, qf::ListLoad::kLoaded);
  EXPECT_EQ(loaded.names, saved);

  // An empty list leaves an empty file, and no temporary file stays behind.
  ASSERT_TRUE(qf::SaveListBox(list, {}));
  EXPECT_TRUE(qf::FileExists(list));
  EXPECT_EQ(Bytes(list), "");
  EXPECT_EQ(Files(), std::vector<fs::path>{L"scheme.lst"});

  EXPECT_TRUE(qf::CanStoreSchemeNameInFiles(u"Caf\u00E9", nullptr));
  std::u16string why;
  EXPECT_FALSE(qf::CanStoreSchemeNameInFiles(u"\u65E5\u672C", &why));  // not in code page 1252
  EXPECT_FALSE(why.empty());
}

TEST_F(SchemeStoreTest, FailedSaveLeavesTheOldFileAndNoLitter) {
  const std::u16string list = Path(L"scheme.lst");
  Write(list, "Old\r\n");
  SetFileAttributesW(qf::ToWide(list).c_str(), FILE_ATTRIBUTE_READONLY);
  const std::vector<std::u16string> names{u"New"};
  EXPECT_FALSE(qf::SaveListBox(list, names));
  EXPECT_EQ(Bytes(list), "Old\r\n");
  EXPECT_FALSE(qf::SaveListBox(Path(L"no such folder\\scheme.lst"), names));
  EXPECT_EQ(Files(), std::vector<fs::path>{L"scheme.lst"});

  // A hidden or system list file was never read: it is not replaced either, and keeps its
  // attributes.
  for (DWORD attribute : {FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_SYSTEM}) {
    SetFileAttributesW(qf::ToWide(list).c_str(), attribute);
    EXPECT_FALSE(qf::SaveListBox(list, names));
    EXPECT_EQ(Bytes(list), "Old\r\n");
    EXPECT_EQ(GetFileAttributesW(qf::ToWide(list).c_str()) & ~FILE_ATTRIBUTE_ARCHIVE, attribute);
  }
}

TEST_F(SchemeStoreTest, UnreadableOrDamagedListFilesNeverFail) {
  const std::u16string list = Path(L"scheme.lst");
  // Locked by another opener that shares nothing: no names.
  Write(list, "Sunset\r\nBlue\r\n");
  HANDLE lock = CreateFileW(qf::ToWide(list).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  const qf::SchemeListFile locked = qf::LoadListBox(list);
  CloseHandle(lock);
  EXPECT_EQ(locked.outcome, qf::ListLoad::kUnreadable);
  EXPECT_TRUE(locked.names.empty());

  // Open in a program that lets others read and write it (an editor): read all the same.
  HANDLE editor = CreateFileW(qf::ToWide(list).c_str(), GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(editor, INVALID_HANDLE_VALUE);
  EXPECT_EQ(qf::LoadListBox(list).names.size(), 2u);
  CloseHandle(editor);

  // More entries than a list can hold: no names.
  Write(list, std::string(qf::kMaxSchemeEntries + 1, ','));
  const qf::SchemeListFile huge = qf::LoadListBox(list);
  EXPECT_EQ(huge.outcome, qf::ListLoad::kTooLarge);
  EXPECT_TRUE(huge.names.empty());

  // Zero bytes, a quote never closed and no final line end: read as far as the rules go.
  using namespace std::string_view_literals;
  Write(list, "a\0b\r\n\"open, to the end"sv);
  EXPECT_EQ(qf::LoadListBox(list).names,
            (std::vector<std::u16string>{std::u16string(u"a\0b", 3), u"open, to the end"}));
}

}  // namespace

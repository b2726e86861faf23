// The scheme files on disk, in a private temporary folder: color.dat through the profile
// functions, scheme.lst through the list box, and the failures that must not lose data.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/events.h"
#include "schemes/scheme_store_win.h"
#include "toolkit/toolkit_win.h"
#include "toolkit/wide_win.h"

namespace {

class ListForm : public qf::Form {
 public:
  ListForm() : Form({.caption = u"Scheme store test", .width = 200, .height = 200}) {}
  qf::ListBox List1{*this, {10, 10, 180, 180}};
};

class SchemeStoreTest : public testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    folder_ = temp + std::wstring(L"qf_scheme_store_") + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder_.c_str(), nullptr);
  }
  void TearDown() override {
    for (const std::wstring& name : Files()) {
      const std::wstring path = folder_ + L"\\" + name;
      SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (!DeleteFileW(path.c_str())) RemoveDirectoryW(path.c_str());
    }
    RemoveDirectoryW(folder_.c_str());
  }

  std::u16string Path(const wchar_t* name) const { return qf::FromWide(folder_ + L"\\" + name); }

  std::vector<std::wstring> Files() const {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((folder_ + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
      if (lstrcmpW(found.cFileName, L".") != 0 && lstrcmpW(found.cFileName, L"..") != 0) {
        names.push_back(found.cFileName);
      }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
  }

  static std::string Bytes(const std::u16string& path) {
    std::string bytes;
    HANDLE file = CreateFileW(qf::ToWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    char chunk[4096];
    DWORD got = 0;
    while (file != INVALID_HANDLE_VALUE && ReadFile(file, chunk, sizeof chunk, &got, nullptr) &&
           got > 0) {
      bytes.append(chunk, got);
    }
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    return bytes;
  }
  static void Write(const std::u16string& path, const std::string& bytes) {
    HANDLE file = CreateFileW(qf::ToWide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD wrote = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &wrote, nullptr);
    CloseHandle(file);
  }

  std::wstring folder_;
};

TEST_F(SchemeStoreTest, ColourFileIsTheProfileFormatAndReadsBackCaseBlind) {
  const std::u16string colours = Path(L"color.dat");
  for (int i = 1; i <= qf::kSchemeColourCount; ++i) {
    EXPECT_TRUE(qf::WriteIni(u"Sunset", qf::SchemeColourKey(i),
                             qf::FormatColourValue(i == 10 ? 16711680 : 255), colours));
  }
  std::string expected = "[Sunset]\r\n";
  for (int i = 1; i <= 9; ++i) expected += "Fade" + std::to_string(i) + "=255\r\n";
  expected += "Fade10=16711680\r\n";
  EXPECT_EQ(Bytes(colours), expected);

  EXPECT_EQ(qf::ReadIni(u"SUNSET", u"Fade10", colours), u"16711680");
  EXPECT_EQ(qf::ReadIni(u" Sunset ", u"Fade10", colours), u"16711680");
  EXPECT_EQ(qf::ReadIni(u"Sunset", u"fade1", colours), u"255");
  EXPECT_EQ(qf::ReadIni(u"Dawn", u"Fade1", colours), u"");
  EXPECT_EQ(qf::ReadIni(u"Sunset", u"Fade1", Path(L"missing.dat")), u"");

  // Rewriting a key keeps its place; a value longer than the buffer comes back cut to 254.
  qf::WriteIni(u"Sunset", u"Fade1", u"65280", colours);
  EXPECT_EQ(qf::ReadIni(u"Sunset", u"Fade1", colours), u"65280");
  const std::u16string longValue(300, u'7');
  qf::WriteIni(u"Long", u"Fade1", longValue, colours);
  EXPECT_EQ(qf::ReadIni(u"Long", u"Fade1", colours), longValue.substr(0, 254));
}

TEST_F(SchemeStoreTest, ColourFileInAFolderTheCodePageCannotSpell) {
  const std::wstring folder = folder_ + L"\\\u0414\u043C\u0438\u0442\u0440\u0438\u0439";
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  const std::u16string colours = qf::FromWide(folder + L"\\color.dat");
  EXPECT_TRUE(qf::WriteIni(u"Sunset", u"Fade1", u"255", colours));
  EXPECT_TRUE(qf::FileExists(colours));
  EXPECT_EQ(qf::ReadIni(u"Sunset", u"Fade1", colours), u"255");
  DeleteFileW((folder + L"\\color.dat").c_str());
  RemoveDirectoryW(folder.c_str());
}

TEST_F(SchemeStoreTest, FileExistsOnlyForNormalFiles) {
  const std::u16string file = Path(L"scheme.lst");
  EXPECT_FALSE(qf::FileExists(file));
  Write(file, "Sunset\r\n");
  EXPECT_TRUE(qf::FileExists(file));
  EXPECT_FALSE(qf::FileExists(Path(L"scheme.*")));
  EXPECT_FALSE(qf::FileExists(qf::FromWide(folder_)));
  SetFileAttributesW(qf::ToWide(file).c_str(), FILE_ATTRIBUTE_HIDDEN);
  EXPECT_FALSE(qf::FileExists(file));
  SetFileAttributesW(qf::ToWide(file).c_str(), FILE_ATTRIBUTE_SYSTEM);
  EXPECT_FALSE(qf::FileExists(file));
  SetFileAttributesW(qf::ToWide(file).c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_TRUE(qf::FileExists(file));
}

TEST_F(SchemeStoreTest, ListSavesAndLoadsBackEntryForEntry) {
  const std::u16string list = Path(L"scheme.lst");
  ListForm saved;
  for (auto name : {u"Sunset", u"Red, Blue", u"  lead", u"Caf\u00E9", u"Sunset"}) {
    saved.List1.AddItem(name);
  }
  ASSERT_TRUE(qf::SaveListBox(list, saved.List1));
  EXPECT_EQ(Bytes(list), "Sunset\r\n\"Red, Blue\"\r\n\"  lead\"\r\nCaf\xE9\r\nSunset\r\n");

  // Loading appends to what is there, letting window messages run once per entry.
  static int pumps = 0;
  pumps = 0;
  const qf::EventPump previous = qf::SetEventPump({.pumpPending = [] { ++pumps; }});
  ListForm loaded;
  loaded.List1.AddItem(u"kept");
  qf::LoadListBox(list, loaded.List1);
  qf::SetEventPump(previous);
  EXPECT_EQ(pumps, 5);
  ASSERT_EQ(loaded.List1.ListCount(), 6);
  EXPECT_EQ(loaded.List1.List(0), u"kept");
  for (int i = 0; i < 5; ++i) EXPECT_EQ(loaded.List1.List(i + 1), saved.List1.List(i));

  // An empty list leaves an empty file, and no temporary file stays behind.
  saved.List1.Clear();
  ASSERT_TRUE(qf::SaveListBox(list, saved.List1));
  EXPECT_TRUE(qf::FileExists(list));
  EXPECT_EQ(Bytes(list), "");
  EXPECT_EQ(Files(), std::vector<std::wstring>{L"scheme.lst"});

  EXPECT_TRUE(qf::CanStoreSchemeNameInFiles(u"Caf\u00E9", nullptr));
  std::u16string why;
  EXPECT_FALSE(qf::CanStoreSchemeNameInFiles(u"\u65E5\u672C", &why));  // not in code page 1252
  EXPECT_FALSE(why.empty());
}

TEST_F(SchemeStoreTest, FailedSaveLeavesTheOldFileAndNoLitter) {
  const std::u16string list = Path(L"scheme.lst");
  Write(list, "Old\r\n");
  SetFileAttributesW(qf::ToWide(list).c_str(), FILE_ATTRIBUTE_READONLY);
  ListForm form;
  form.List1.AddItem(u"New");
  EXPECT_FALSE(qf::SaveListBox(list, form.List1));
  EXPECT_EQ(Bytes(list), "Old\r\n");
  EXPECT_FALSE(qf::SaveListBox(Path(L"no such folder\\scheme.lst"), form.List1));
  EXPECT_EQ(Files(), std::vector<std::wstring>{L"scheme.lst"});
}

TEST_F(SchemeStoreTest, UnreadableOrDamagedListFilesNeverFail) {
  const std::u16string list = Path(L"scheme.lst");
  ListForm form;
  qf::LoadListBox(Path(L"missing.lst"), form.List1);
  EXPECT_EQ(form.List1.ListCount(), 0);

  // Locked by another opener that shares nothing: nothing is added.
  Write(list, "Sunset\r\nBlue\r\n");
  HANDLE lock = CreateFileW(qf::ToWide(list).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  qf::LoadListBox(list, form.List1);
  CloseHandle(lock);
  EXPECT_EQ(form.List1.ListCount(), 0);

  // Zero bytes, a quote never closed and no final line end: read as far as the rules go.
  const char damaged[] = "a\0b\r\n\"open, to the end";
  Write(list, std::string(damaged, sizeof damaged - 1));
  qf::LoadListBox(list, form.List1);
  ASSERT_EQ(form.List1.ListCount(), 2);
  EXPECT_EQ(form.List1.List(0), std::u16string(u"a\0b", 3));
  EXPECT_EQ(form.List1.List(1), u"open, to the end");
}

}  // namespace

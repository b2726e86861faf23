// The scheme files the desktop program writes for a fixed run of saves and a remove, checked
// byte for byte against tests/fixtures/schemes/, which the web page's export is compared with
// too. The run goes through the same store calls, in the same order, as the scheme manager's
// Add (Fade1..Fade10 written, the name appended, the list saved) and Remove.
// On a difference the files written here are left beside the test program as
// fixtures/schemes/*.written; tests/fixtures/schemes/README.md says how to take them over.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "schemes/scheme_store_win.h"

namespace {

namespace fs = std::filesystem;
using Colors = std::array<int32_t, 10>;

fs::path Beside(const wchar_t* relative) {
  std::wstring exe(MAX_PATH, L'\0');
  exe.resize(GetModuleFileNameW(nullptr, exe.data(), static_cast<DWORD>(exe.size())));
  return fs::path(exe).parent_path() / relative;
}

std::string Bytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

TEST(SchemeFixtureTest, TheDesktopWritesTheFixturePair) {
  const fs::path folder =
      fs::temp_directory_path() / ("qf_scheme_fixture_" + std::to_string(GetCurrentProcessId()));
  fs::create_directories(folder);
  const std::u16string list = (folder / L"scheme.lst").u16string();
  const std::u16string colors = (folder / L"color.dat").u16string();

  std::vector<std::u16string> names;
  const auto add = [&](std::u16string_view name, const Colors& values) {
    ASSERT_TRUE(qf::CanStoreSchemeNameInFiles(name, nullptr));
    for (int k = 1; k <= qf::kSchemeColorCount; ++k) {
      ASSERT_TRUE(
          qf::WriteIni(name, qf::SchemeColorKey(k), qf::FormatColorValue(values[k - 1]), colors));
    }
    names.emplace_back(name);
    ASSERT_TRUE(qf::SaveListBox(list, names));
  };
  const Colors warm{255, 33023, 65535, 65280, 16776960, 16711680, 16711935, 8421504, 16777215, 0};
  const Colors cool{16711680, 16744448, 16776960, 8453888,  65280,
                    128,      32896,    8388736,  12632256, 4210752};
  const Colors warmReversed{0,        16777215, 8421504, 16711935, 16711680,
                            16776960, 65280,    65535,   33023,    255};
  Colors blue;
  blue.fill(16711680);
  Colors red;
  red.fill(255);

  add(u"Sunset", warm);
  add(u"Red, Blue", cool);       // quoted in the list
  add(u"  lead", warmReversed);  // quoted in the list; its section without the blanks
  add(u"Caf\u00E9", cool);       // one byte in code page 1252
  add(u"Blue", blue);
  add(u"BLUE", red);         // the same section as Blue, rewritten
  add(u"Sunset", cool);      // a second entry; its section rewritten in place
  names.erase(names.begin() + 1);  // Remove "Red, Blue": its section stays
  ASSERT_TRUE(qf::SaveListBox(list, names));

  const fs::path written = Beside(L"fixtures\\schemes");
  for (const wchar_t* name : {L"scheme.lst", L"color.dat"}) {
    const std::string actual = Bytes(folder / name);
    const std::string expected = Bytes(written / name);
    if (actual != expected) {
      std::ofstream(written / (std::wstring(name) + L".written"), std::ios::binary) << actual;
    }
    EXPECT_EQ(actual, expected) << fs::path(name).string();
  }
  fs::remove_all(folder);
}

}  // namespace

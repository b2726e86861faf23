#include "schemes/scheme_store_win.h"

#include <windows.h>

#include <algorithm>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/wide_win.h"
#include "core/ansi_win.h"
#include "core/owned_handle_win.h"
#include "core/report_win.h"

namespace qf {
namespace {

// A list file larger than this is not a list of scheme names; it is left alone rather than
// read into memory (and nothing is added).
constexpr LONGLONG kMaxListFileBytes = static_cast<LONGLONG>(kMaxSchemeListBytes);

bool shortNamesAvailable = true;
int colorWritesBeforeFailure = -1;

// The profile functions' buffer: 254 characters and the terminating zero.
constexpr DWORD kIniBufferSize = 255;

struct WholeFile {
  ListLoad outcome = ListLoad::kUnreadable;
  std::string bytes;
};

// The whole content of the file at `path`. Opened with every share mode, so a program that
// merely has the file open (an editor, a backup tool) does not keep it from being read.
WholeFile ReadWholeFile(const std::wstring& path) {
  OwnedFile file(CreateFileW(path.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return {};
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0) return {};
  if (size.QuadPart > kMaxListFileBytes) return {.outcome = ListLoad::kTooLarge, .bytes = {}};
  std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD got = 0;
    if (!ReadFile(file.Get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &got,
                  nullptr)) {
      return {};
    }
    if (got == 0) break;  // the file shrank since its size was asked: keep what was there
    done += got;
  }
  bytes.resize(done);
  return {.outcome = ListLoad::kLoaded, .bytes = std::move(bytes)};
}

// The folder part of `path` with its separator ("C:\\" stays the root, not drive C's current
// folder), "." when it has none.
std::wstring FolderOf(const std::wstring& path) {
  const std::size_t slash = path.find_last_of(L"\\/");
  if (slash == std::wstring::npos) return L".";
  return path.substr(0, slash + 1);
}

bool WriteAll(HANDLE file, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD wrote = 0;
    if (!WriteFile(file, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &wrote,
                   nullptr) ||
        wrote == 0) {
      return false;
    }
    done += wrote;
  }
  return true;
}

// The path as the ANSI profile functions take it, or nullopt when it cannot be spelled in the
// code page. A path in another script (a user folder, say) would name another file or none; it
// goes by its folder's short name instead, plain ASCII where the volume keeps short names.
std::optional<std::string> AnsiPath(std::u16string_view path) {
  std::string ansi = ToAnsi(path);
  if (FromAnsi(ansi) == path) return ansi;
  if (!shortNamesAvailable) return std::nullopt;
  const std::wstring wide = ToWide(path);
  const std::size_t slash = wide.find_last_of(L"\\/");
  if (slash == std::wstring::npos) return std::nullopt;
  const std::wstring folder = wide.substr(0, slash);
  const DWORD needed = GetShortPathNameW(folder.c_str(), nullptr, 0);
  if (needed == 0) return std::nullopt;
  std::wstring shortFolder(needed, L'\0');
  const DWORD length = GetShortPathNameW(folder.c_str(), shortFolder.data(), needed);
  if (length == 0 || length >= needed) return std::nullopt;
  shortFolder.resize(length);
  const std::u16string shortPath = FromWide(shortFolder + wide.substr(slash));
  std::string shortAnsi = ToAnsi(shortPath);
  if (FromAnsi(shortAnsi) != shortPath) return std::nullopt;
  return shortAnsi;
}

}  // namespace

std::u16string ProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return u".";
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);  // cut off: try again with more room
  }
  const std::size_t slash = path.find_last_of(L"\\/");
  if (slash == std::wstring::npos) return u".";
  return FromWide(std::wstring_view(path).substr(0, slash));
}


bool FileExists(std::u16string_view path) {
  if (path.empty()) return false;
  const std::wstring wide = ToWide(path);
  // Wildcards would make a directory query match other names; the path must be exact.
  if (wide.find_first_of(L"*?") != std::wstring::npos) return false;
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  constexpr DWORD kNotNormal = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN |
                               FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DEVICE;
  return (attributes & kNotNormal) == 0;
}

bool FilePresent(std::u16string_view path) {
  if (path.empty()) return false;
  const DWORD attributes = GetFileAttributesW(ToWide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

SchemeListFile LoadListBox(std::u16string_view path) {
  const WholeFile file = ReadWholeFile(ToWide(path));
  if (file.outcome != ListLoad::kLoaded) return {.outcome = file.outcome, .names = {}};
  // Converted whole before splitting: in a double-byte code page a character's second byte is
  // never a comma, quote, space or line end, so the field rules work on the characters.
  std::optional<std::vector<std::u16string>> names =
      ParseSchemeListUpTo(FromAnsi(file.bytes), kMaxSchemeEntries);
  if (!names) return {.outcome = ListLoad::kTooLarge, .names = {}};
  return {.outcome = ListLoad::kLoaded, .names = std::move(*names)};
}

bool SaveListBox(std::u16string_view path, const std::vector<std::u16string>& names) {
  const std::wstring target = ToWide(path);
  // A read-only list file is the user's wish that it stays as it is. Windows refuses to move
  // a file over it, but Wine's MoveFileExW replaces it all the same, so it is checked here.
  // A hidden or system one counts as missing when the program starts: it was never read, and
  // replacing it would lose what it holds and its attributes.
  constexpr DWORD kLeftAlone = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY |
                               FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & kLeftAlone) != 0) return false;

  const std::string bytes = ToAnsi(FormatSchemeList(names));
  if (ReportIf(!SchemeListFileFits(names.size(), bytes.size()),
               "a scheme list too large to be read again was not written")) {
    return false;
  }

  // GetTempFileNameW makes the temporary file (empty) under a name no one else uses.
  wchar_t temporary[MAX_PATH + 1] = {};
  if (ReportIf(GetTempFileNameW(FolderOf(target).c_str(), L"qfs", 0, temporary) == 0,
               "no temporary file for scheme.lst could be made")) {
    return false;
  }
  OwnedFile file(CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  const bool written = !ReportIf(!file, "the temporary scheme list could not be opened") &&
                       !ReportIf(!WriteAll(file.Get(), bytes), "the scheme list could not be written") &&
                       FlushFileBuffers(file.Get()) != 0 && file.Reset();
  if (!written ||
      ReportIf(!MoveFileExW(temporary, target.c_str(),
                            MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH),
               "scheme.lst could not be replaced")) {
    file.Reset();
    DeleteFileW(temporary);
    return false;
  }
  return true;
}

std::u16string ReadIni(std::u16string_view section, std::u16string_view key,
                       std::u16string_view path) {
  std::wstring lowerKey = ToWide(key);
  if (!lowerKey.empty()) CharLowerBuffW(lowerKey.data(), static_cast<DWORD>(lowerKey.size()));
  // Never null pointers: a null section or key would make the call list names instead.
  const std::string ansiSection = ToAnsi(section);
  const std::string ansiKey = ToAnsi(FromWide(lowerKey));
  const std::optional<std::string> ansiPath = AnsiPath(path);
  if (!ansiPath) {
    // The file reads as ANSI text either way; the names go through the same code page.
    const std::wstring wideSection = ToWide(FromAnsi(ansiSection));
    const std::wstring widePath = ToWide(path);
    wchar_t wideBuffer[kIniBufferSize] = {};
    const DWORD copied = GetPrivateProfileStringW(wideSection.c_str(), lowerKey.c_str(), L"",
                                                  wideBuffer, kIniBufferSize, widePath.c_str());
    return FromWide(std::wstring_view(wideBuffer, std::min<DWORD>(copied, kIniBufferSize - 1)));
  }
  char buffer[kIniBufferSize] = {};
  const DWORD copied = GetPrivateProfileStringA(ansiSection.c_str(), ansiKey.c_str(), "", buffer,
                                                kIniBufferSize, ansiPath->c_str());
  return FromAnsi(std::string_view(buffer, std::min<DWORD>(copied, kIniBufferSize - 1)));
}

bool WriteIni(std::u16string_view section, std::u16string_view key, std::u16string_view value,
              std::u16string_view path) {
  // Never null pointers: a null key or value would delete the section or the key.
  const std::string ansiSection = ToAnsi(section);
  const std::string ansiKey = ToAnsi(key);
  const std::string ansiValue = ToAnsi(value);
  // A read-only file stays as it is: Windows refuses the write, but Wine writes it all the same.
  const DWORD attributes = GetFileAttributesW(ToWide(path).c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    return false;
  }
  const std::optional<std::string> ansiPath = AnsiPath(path);
  if (!ansiPath) {
    // The wide functions write a new file as ANSI text, like the ANSI ones; the texts are
    // taken through the code page first so the file holds exactly the same bytes.
    return !ReportIf(WritePrivateProfileStringW(ToWide(FromAnsi(ansiSection)).c_str(),
                                                ToWide(FromAnsi(ansiKey)).c_str(),
                                                ToWide(FromAnsi(ansiValue)).c_str(),
                                                ToWide(path).c_str()) == 0,
                     "a colour could not be written to color.dat");
  }
  return !ReportIf(WritePrivateProfileStringA(ansiSection.c_str(), ansiKey.c_str(),
                                              ansiValue.c_str(), ansiPath->c_str()) == 0,
                   "a colour could not be written to color.dat");
}

bool WriteSchemeColors(std::u16string_view name, std::span<const int32_t> colors,
                       std::u16string_view path) {
  const std::wstring target = ToWide(path);
  const DWORD attributes = GetFileAttributesW(target.c_str());
  const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
  // A read-only file stays as it is (Wine would replace it all the same).
  if (exists && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
    return false;
  }
  wchar_t copy[MAX_PATH + 1] = {};
  if (ReportIf(GetTempFileNameW(FolderOf(target).c_str(), L"qfc", 0, copy) == 0,
               "no copy of color.dat could be made")) {
    return false;
  }
  const std::u16string copyPath = FromWide(copy);
  // The copy keeps the file's attributes (a hidden color.dat stays hidden once replaced).
  bool written = !exists || !ReportIf(CopyFileW(target.c_str(), copy, FALSE) == 0,
                                      "color.dat could not be copied");
  for (std::size_t i = 0; written && i < colors.size(); ++i) {
    if (colorWritesBeforeFailure >= 0 && static_cast<int>(i) >= colorWritesBeforeFailure) {
      written = false;
      break;
    }
    written = WriteIni(name, SchemeColorKey(static_cast<int>(i) + 1), FormatColorValue(colors[i]),
                       copyPath);
  }
  if (written && !ReportIf(!MoveFileExW(copy, target.c_str(),
                                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH),
                           "color.dat could not be replaced")) {
    return true;
  }
  // Wine keeps the last profile file it wrote in memory and may write it out again later;
  // letting go of it first means the deleted copy stays deleted.
  WritePrivateProfileStringW(nullptr, nullptr, nullptr, copy);
  SetFileAttributesW(copy, FILE_ATTRIBUTE_NORMAL);
  DeleteFileW(copy);
  return false;
}

bool SchemeStore::LoadList() {
  const std::u16string path = ListPath();
  if (!FileExists(path)) {
    // A hidden or system list file counts as missing, but it is there: it must not be
    // replaced by the (empty) list of this run.
    list_.Start(FilePresent(path) ? ListFileState::kHidden : ListFileState::kMissing);
    return false;
  }
  SchemeListFile file = LoadListBox(path);
  switch (file.outcome) {
    case ListLoad::kLoaded:
      list_.Start(ListFileState::kRead, std::move(file.names));
      break;
    case ListLoad::kUnreadable:
      list_.Start(ListFileState::kUnreadable);
      break;
    case ListLoad::kTooLarge:
      list_.Start(ListFileState::kTooLarge);
      break;
  }
  return true;
}

SchemeAddResult SchemeStore::Add(std::u16string name, std::span<const int32_t> colors) {
  // A list the next start would refuse to read is never written: the Add is refused instead.
  if (!list_.FitsWith(name, *this)) return {.outcome = SchemeAdd::kListFull};
  // The colours first: a name in the list whose colours were never stored would apply nothing.
  if (!WriteSchemeColors(name, colors, ColorPath())) {
    return {.outcome = SchemeAdd::kColorsNotSaved};
  }
  list_.Add(std::move(name));
  return {.outcome = SchemeAdd::kAdded, .list = list_.Save(*this)};
}

std::optional<ListSave> SchemeStore::RemoveAt(std::size_t index) {
  if (!list_.RemoveAt(index)) return std::nullopt;
  return list_.Save(*this);
}

bool SchemeStore::Present() { return FilePresent(ListPath()); }

std::size_t SchemeStore::StoredSize(std::u16string_view text) { return ToAnsi(text).size(); }

bool SchemeStore::Write(const std::vector<std::u16string>& names) {
  return SaveListBox(ListPath(), names);
}

void SetShortNamesAvailable(bool available) { shortNamesAvailable = available; }

void FailSchemeColorWriteAfter(int values) { colorWritesBeforeFailure = values; }

bool CanStoreSchemeNameInFiles(std::u16string_view name, std::u16string* why) {
  if (!CanStoreSchemeName(name, why)) return false;
  if (FromAnsi(ToAnsi(name)) != name) {
    if (why != nullptr) {
      *why = u"A scheme name can only use characters of the system's code page (" +
             FormatColorValue(static_cast<int32_t>(GetACP())) + u").";
    }
    return false;
  }
  return true;
}

}  // namespace qf

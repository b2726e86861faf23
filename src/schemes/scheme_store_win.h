#pragma once
// The scheme files on disk: scheme.lst (the list of scheme names, one per line) and color.dat
// (an INI file with one section of ten colour values per scheme), both beside the program and
// both in the system's ANSI code page. The text formats, and the list's rules without file
// access (SchemeList), are in scheme_list.h.
//
// SchemeStore is the program's store: it holds the list of names, reads the list file at start,
// and saves and removes schemes. The scheme manager shows the store's list in its list box and
// turns the store's results into messages:
//   SchemeStore store(folder);  // the program's folder
//   if (store.LoadList()) { show store.Names() }
//   const SchemeAddResult added = store.Add(name, colours);  // colours.size() == 10
//   if (added.outcome == SchemeAdd::kAdded) { show the name; tell about added.list }
// Loading a scheme's colours: if (auto c = ParseStoredColor(ReadIni(name, SchemeColorKey(i),
//   store.ColorPath()))) Picture[i].SetBackColor(*c);   // otherwise the box keeps its colour
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "schemes/scheme_list.h"

namespace qf {

// The folder of the running exe, without a trailing separator ("C:\Tools", or "C:" for a
// program in a drive's root).
std::u16string ProgramFolder();

// True when a normal file exists at exactly `path`: a missing path, a directory, a device, or a
// file with the hidden or system attribute gives false (a hidden scheme.lst counts as missing).
bool FileExists(std::u16string_view path);

// How the list file was read.
enum class ListLoad {
  kLoaded,      // every entry was appended
  kUnreadable,  // it could not be opened or read to its end (no access, a disk fault)
  kTooLarge,    // over 4 MiB or over kMaxSchemeEntries entries: not a list a person made
};

struct SchemeListFile {
  ListLoad outcome = ListLoad::kUnreadable;
  std::vector<std::u16string> names;  // in file order; none unless outcome is kLoaded
};

// The entries of the list file at `path`, for the scheme list box. The file is read whole
// (shared with any program that has it open) and parsed (ParseSchemeListUpTo). A file that
// cannot be read whole, or is too large, gives no names.
[[nodiscard]] SchemeListFile LoadListBox(std::u16string_view path);

// True when something other than a folder is at `path`, normal or not: a hidden or system
// list file is there even though FileExists says no.
bool FilePresent(std::u16string_view path);

// Replaces the list file at `path` with `names`, one line each (FormatSchemeList),
// and returns whether that worked. The text goes to a temporary file in the same folder, which
// then replaces the old file in one move, so a failure (read-only file or folder, full disk)
// leaves the old file exactly as it was and no temporary file behind. An empty list gives an
// empty file. A read-only, hidden or system list file is left alone (false): it was set so on
// purpose, and a hidden one was never read.
// A list that SchemeListFileFits refuses is not written either (false): the next start would
// not read it.
[[nodiscard]] bool SaveListBox(std::u16string_view path, const std::vector<std::u16string>& names);

// The value stored under `key` in `section` of the INI file `path`, or the empty text when the
// file, section or key is missing. The key is looked up lower-cased (letter case never matters
// to the profile functions), through a 255-character buffer, so a longer value comes back cut
// to its first 254 characters.
//   ReadIni(u"Sunset", u"Fade10", colorFile) == u"16711680"
std::u16string ReadIni(std::u16string_view section, std::u16string_view key,
                       std::u16string_view path);

// Stores key=value in `section` of the INI file `path`, creating the file and the section as
// needed and replacing an existing value. Returns whether the profile function reported
// success (false for a read-only file, a full disk, a folder that cannot be written).
//
// Both go through the ANSI profile functions. A path the code page cannot spell goes by its
// folder's short name; where the volume keeps no short names, through the wide profile
// functions, which write a new file in the same ANSI text.
[[nodiscard]] bool WriteIni(std::u16string_view section, std::u16string_view key, std::u16string_view value,
              std::u16string_view path);

// Stores the colours of scheme `name` in the INI file `path` under the keys Fade1, Fade2...
// in that order (WriteIni each), all or nothing: the values go into a copy of the file in the
// same folder, which then replaces the file in one move. When any step fails (a read-only
// file or folder, a full disk) the file stays byte for byte as it was, so a section is never
// left half old colours and half new; no copy is left behind either.
//   WriteSchemeColors(u"Sunset", colours, colorFile);  // colours.size() == 10
[[nodiscard]] bool WriteSchemeColors(std::u16string_view name, std::span<const int32_t> colors,
                                     std::u16string_view path);

// For tests: makes the short-name lookup fail as on a volume that keeps no short names.
void SetShortNamesAvailable(bool available);
// For tests: WriteSchemeColors lets this many values be written, then fails the next one as
// a full disk would; a negative number (the default) fails none.
void FailSchemeColorWriteAfter(int values);

// CanStoreSchemeName, and also that the name survives the ANSI code page both files use (a
// character the code page lacks would be saved as another one, under another section).
[[nodiscard]] bool CanStoreSchemeNameInFiles(std::u16string_view name, std::u16string* why);

// What an Add came to.
enum class SchemeAdd {
  kAdded,           // the colours are in color.dat and the name in the list (`list` says
                    // what became of scheme.lst)
  kListFull,        // the list with the name would not be read at the next start: nothing
                    // was stored
  kColorsNotSaved,  // color.dat is as it was and the name was not added
};

struct SchemeAddResult {
  SchemeAdd outcome = SchemeAdd::kAdded;
  ListSave list = ListSave::kWritten;  // kAdded only
};

// The program's schemes: the list of names (SchemeList) and the two files in `folder`.
class SchemeStore final : ListFileAccess {
 public:
  // `folder`: where scheme.lst and color.dat are (the program's own folder).
  explicit SchemeStore(std::u16string folder) : folder_(std::move(folder)) {}

  const std::u16string& Folder() const { return folder_; }
  std::u16string ListPath() const { return folder_ + u"\\scheme.lst"; }
  std::u16string ColorPath() const { return folder_ + u"\\color.dat"; }

  // Start-up: when a list file is there (a normal file: not hidden, not a system file), reads
  // it and returns true, even when it could not be read; the list then holds its names, or
  // none. A list file that is there but was not read (hidden, locked, too large) is never
  // written in this run.
  [[nodiscard]] bool LoadList();

  // The names, in the list file's order.
  const std::vector<std::u16string>& Names() const { return list_.Names(); }
  // Whether the list file may be written in this run, and why not.
  ListFileState ListFile() const { return list_.FileState(); }

  // Saves scheme `name` (CanStoreSchemeNameInFiles) with `colours` (kSchemeColorCount
  // values): the colours into color.dat first (WriteSchemeColors: a name whose colours were
  // never stored would apply nothing), then the name at the end of the list, then the list
  // into scheme.lst (SchemeList::Save). A list the next start would not read is refused first.
  [[nodiscard]] SchemeAddResult Add(std::u16string name, std::span<const int32_t> colors);
  // Takes the entry at `index` off the list (by position: an empty entry too) and writes the
  // list file; nullopt, and nothing changes, when there is no such entry.
  [[nodiscard]] std::optional<ListSave> RemoveAt(std::size_t index);

 private:
  // The list file, for SchemeList.
  bool Present() override;
  std::size_t StoredSize(std::u16string_view text) override;
  bool Write(const std::vector<std::u16string>& names) override;

  std::u16string folder_;
  SchemeList list_;
};

}  // namespace qf

#pragma once
// The two scheme files without any file access: the text formats (the scheme list file,
// scheme.lst: one name per line, read by the comma-delimited field rules; the check that a new
// scheme name can be stored faithfully in both files; the colour values of color.dat, signed
// decimal text), and SchemeList, the program's list of names with the rule that a list file
// this run did not read is never written. The file calls are the store's (scheme_store_win.h).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qf {

// The number of colour values in a scheme, stored under the keys Fade1..Fade10.
inline constexpr int kSchemeColorCount = 10;

// The key of colour `index` (1..10) in a scheme's section.
//   SchemeColorKey(1) == u"Fade1";  SchemeColorKey(10) == u"Fade10"
std::u16string SchemeColorKey(int index);

// Splits the text of a list file into its entries, in file order, by the field rules of
// comma-delimited text:
//   - spaces (only U+0020) in front of a field are skipped;
//   - a field that then starts with a double quote runs to the next double quote, line ends
//     included; the quotes are not part of the entry, and whatever follows the closing quote up
//     to the next comma or line end is dropped together with that comma or line end;
//   - any other field ends at the next comma or line end, which is consumed; spaces at its end
//     are kept;
//   - a field that ends at a line end before any character (an empty line, a line of spaces,
//     a line that ends in a comma) is an empty entry.
// CR LF, a lone LF and a lone CR each end a line. Fields are read while text remains, so a last
// line without a line end still gives its entry, while a file that ends in a comma gives no
// empty entry after it. A quote that is never closed runs to the end of the text, without the
// line end that closes the file.
//   ParseSchemeList(u"Red\r\nBlue\r\n") == {u"Red", u"Blue"}
//   ParseSchemeList(u"Red, Blue\r\n") == {u"Red", u"Blue"}
//   ParseSchemeList(u"  \"Red, Blue\" x\r\n\r\nLast") == {u"Red, Blue", u"", u"Last"}
std::vector<std::u16string> ParseSchemeList(std::u16string_view text);

// The most entries a list file may hold to be read at all: a file with more is not a list a
// person made, and filling a list box with millions of entries would stall the start.
inline constexpr std::size_t kMaxSchemeEntries = 32767;

// The largest list file that is read at all, in bytes: 32,767 long names fit well inside.
inline constexpr std::size_t kMaxSchemeListBytes = 4 * 1024 * 1024;

// Whether a list file of `entryCount` entries and `byteCount` bytes (as written, in the code
// page) is one the program reads at start. A list that does not fit is never written: the
// next start would refuse it and begin with an empty list.
//   SchemeListFileFits(32767, 100) == true;  SchemeListFileFits(32768, 100) == false
constexpr bool SchemeListFileFits(std::size_t entryCount, std::size_t byteCount) {
  return entryCount <= kMaxSchemeEntries && byteCount <= kMaxSchemeListBytes;
}

// ParseSchemeList when the text holds at most `maxEntries` entries, else nullopt. It stops as
// soon as the bound is passed, so a huge file costs no more than the bound.
//   ParseSchemeListUpTo(u"a\r\nb\r\n", 1) == std::nullopt
[[nodiscard]] std::optional<std::vector<std::u16string>> ParseSchemeListUpTo(std::u16string_view text,
                                                               std::size_t maxEntries);

// The text of a list file for `names`: each name followed by CR LF; no names, no text. A name
// that the field rules would split or change (one with a comma, a CR or LF, or a leading space)
// is written inside double quotes, so it reads back as it was; a name with a double quote
// cannot be quoted and is written as it is.
//   FormatSchemeList({u"Red", u"Red, Blue"}) == u"Red\r\n\"Red, Blue\"\r\n"
//   FormatSchemeList({}) == u""
std::u16string FormatSchemeList(const std::vector<std::u16string>& names);

// Whether `name` can be saved as a scheme so that the list file and the scheme's section in
// color.dat both give it back unchanged. Refused: a name that is empty or only blanks, or that
// holds a double quote, a control character (CR, LF, tab...) or a square bracket. When refused
// and `why` is not null, *why is a sentence for the user saying what is wrong. Accepted names
// that differ only in letter case or in blanks around them share one section of color.dat,
// since the profile functions match section names that way.
//   CanStoreSchemeName(u"Red, Blue", nullptr) == true
//   CanStoreSchemeName(u"[x]", &why) == false
[[nodiscard]] bool CanStoreSchemeName(std::u16string_view name, std::u16string* why);

// A colour value from its text in color.dat: an optional sign and decimal digits only, within
// the signed 32-bit range. Anything else (empty, spaces, other characters, out of range) is
// nullopt, and the caller leaves the colour as it was.
//   ParseColorValue(u"16711680") == 16711680;  ParseColorValue(u"-1") == -1
//   ParseColorValue(u"") == std::nullopt;  ParseColorValue(u"2147483648") == std::nullopt
[[nodiscard]] std::optional<int32_t> ParseColorValue(std::u16string_view text);

// A colour value as the scheme files may hold it: ParseColorValue within 0..16,777,215 (the
// colours a colour box can show). Anything else counts as not a number, so a box never shows
// one colour while a send uses another.
//   ParseStoredColor(u"16777215") == 16777215;  ParseStoredColor(u"-1") == std::nullopt
[[nodiscard]] std::optional<int32_t> ParseStoredColor(std::u16string_view text);

// The text of a colour value as color.dat stores it: signed decimal, no leading zeros.
//   FormatColorValue(255) == u"255";  FormatColorValue(-16777216) == u"-16777216"
std::u16string FormatColorValue(int32_t color);

// What the list file at start-up and since tells about writing it.
enum class ListFileState {
  kMissing,  // none at start, none written since: it is looked for before each write
  kRead,     // it holds what this run read or wrote: it may be written
  // Never written in this run, since that would replace the user's list with this run's:
  kHidden,      // it was there at start, but hidden or a system file, so not read
  kUnreadable,  // it was there at start but could not be read (no access, locked, a disk fault)
  kTooLarge,    // it was there at start, over 4 MiB or kMaxSchemeEntries names
  kAppeared,    // none was there at start; one that is there now came from elsewhere (a backup
                // put back, a sync) and holds a list this run never saw
};

// What became of a write of the list file.
enum class ListSave {
  kWritten,    // the file holds the list now
  kKept,       // not written: the file was not read in this run (SchemeList::FileState says
               // why); the first time, the user is to be told
  kKeptAgain,  // not written, for a reason already reported once
  kFailed,     // the write failed: the old file is whole, and the list in memory too
};

// The list file as SchemeList needs it: the store implements it with file calls, tests with a
// fake.
class ListFileAccess {
 public:
  // Whether something other than a folder is at the list file's path, hidden or not.
  virtual bool Present() = 0;
  // The size in bytes of `text` as the file stores it (in the system's code page).
  virtual std::size_t StoredSize(std::u16string_view text) = 0;
  // Replaces the file with `names` (FormatSchemeList), all or nothing; whether that worked.
  virtual bool Write(const std::vector<std::u16string>& names) = 0;

 protected:
  ~ListFileAccess() = default;
};

// The program's list of saved schemes, in order, as scheme.lst holds it, and whether the list
// file may be written: one that this run did not read (or that appeared after the start) is
// never written, and the first save that leaves it alone is reported.
//   SchemeList list;
//   list.Start(ListFileState::kUnreadable);
//   list.Add(u"Mine");
//   list.Save(file) == ListSave::kKept;  list.Save(file) == ListSave::kKeptAgain
class SchemeList {
 public:
  // Start-up: how the list file was found and, when it was read (kRead), the names it held.
  void Start(ListFileState state, std::vector<std::u16string> names = {});

  const std::vector<std::u16string>& Names() const { return names_; }
  ListFileState FileState() const { return state_; }

  // Whether the list with `name` added is still one the next start reads (SchemeListFileFits).
  [[nodiscard]] bool FitsWith(std::u16string_view name, ListFileAccess& file) const;
  // In memory; Save writes it.
  void Add(std::u16string name);
  // Removes the entry at `index`, by position (an empty entry too); false when out of range.
  [[nodiscard]] bool RemoveAt(std::size_t index);

  // Writes the list to the file, unless the file is one this run did not read.
  [[nodiscard]] ListSave Save(ListFileAccess& file);

 private:
  std::vector<std::u16string> names_;
  ListFileState state_ = ListFileState::kMissing;
  bool reportedKept_ = false;
};

}  // namespace qf

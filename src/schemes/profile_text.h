#pragma once
// color.dat as text: an INI file read and changed the way the Windows profile functions
// (GetPrivateProfileStringA, WritePrivateProfileStringA) treat it on the desktop, for code that
// handles the file without them (the browser page). What those functions do was measured under
// Wine, where the desktop program is developed and tested:
//   - lines end at CR LF, a lone LF or a lone CR; blanks around every line are ignored, and
//     blank lines are dropped when the file is written again;
//   - "[name]" starts a section (the name is what stands between "[" and the last "]", without
//     blanks around it); "key=value" is a key, both sides without blanks around them; any other
//     line (a comment, a stray word) is kept as it is but never read as a key;
//   - section and key names match without regard to the case of the letters A-Z (other letters
//     must match exactly) and to blanks around them; of two sections that match, only the
//     first is read and written;
//   - Windows itself may fold the code page's other letters too (É with é), which Wine's
//     functions do not; a read can allow for that (SectionMatch), writes never do, so what is
//     written stays what the desktop writes under Wine;
//   - a value read loses one pair of enclosing double or single quotes, and is cut to 254
//     characters (the desktop reads through a 255-character buffer);
//   - a write replaces the value of the key in place, adds a missing key at the end of its
//     section, and a missing section (its name without the blanks around it) at the end of
//     the file; a write that changes nothing leaves the text as it was; after a change the
//     whole file is written again, every line "[name]", "key=value" or as it was, with CR LF.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qf {

class ProfileText {
 public:
  // Reads the text of an INI file; any text is accepted.
  //   ProfileText::Parse(u"[Sunset]\r\nFade1=255\r\n").Read(u"sunset", u"fade1") == u"255"
  static ProfileText Parse(std::u16string_view text);

  // How Read finds the section.
  enum class SectionMatch {
    // The first section whose name matches folding A-Z only, as the profile functions do under
    // Wine.
    kAsciiCase,
    // As kAsciiCase; when no section matches so, the first whose name matches folding every
    // letter pair of code page 1252 (À-Þ with à-þ, Š/š, Œ/œ, Ž/ž, Ÿ/ÿ), as Windows's profile
    // functions may do: a file written there then reads with every colour it holds.
    kAsciiThenCodePageCase,
  };

  // The value stored under `key` in `section`, or nullopt when either is missing.
  //   Parse(u"[CAFÉ]\r\nFade1=1").Read(u"Café", u"Fade1") == std::nullopt
  //   Parse(u"[CAFÉ]\r\nFade1=1").Read(u"Café", u"Fade1", kAsciiThenCodePageCase) == u"1"
  std::optional<std::u16string> Read(std::u16string_view section, std::u16string_view key,
                                     SectionMatch match = SectionMatch::kAsciiCase) const;

  // Stores key=value in `section`; returns whether anything changed.
  //   text.Write(u"Sunset", u"Fade1", u"255");  // adds "[Sunset]" and "Fade1=255" at the end
  bool Write(std::u16string_view section, std::u16string_view key, std::u16string_view value);

  // The file as it is written after a change: each line followed by CR LF.
  //   ProfileText::Parse(u"[A]\nx = 1\n\n").Format() == u"[A]\r\nx=1\r\n"
  std::u16string Format() const;

  // The line numbers (from 1) of the lines that are neither a section, a key=value line, a
  // blank line nor a comment (starting with ";" or "#"): lines a damaged file may hold.
  std::vector<int> OddLines() const { return oddLines_; }

 private:
  struct Line {
    std::u16string name;                  // the key, or the whole line when it has no "="
    std::optional<std::u16string> value;  // nullopt: a line without "="
  };
  struct Section {
    std::optional<std::u16string> name;  // nullopt: the lines before the first section
    std::vector<Line> lines;
  };

  using Fold = char16_t (*)(char16_t);
  Section* Find(std::u16string_view name);
  const Section* Find(std::u16string_view name, Fold fold) const;

  std::vector<Section> sections_;
  std::vector<int> oddLines_;
};

}  // namespace qf

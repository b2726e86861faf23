// The list reader on arbitrary text, and the writer -> reader round trip. Entries are pieces
// of the file, so they never hold more than it; every list of names the name check accepts
// reads back exactly as it was written: here the entries the reader found and the text's own
// lines, whatever commas, quotes and blanks the fuzzer put in them.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "schemes/scheme_list.h"

namespace {

using Names = std::vector<std::u16string>;

// The names of `candidates` the name check accepts; a refusal always says why.
Names Storable(const Names& candidates) {
  Names names;
  for (const std::u16string& name : candidates) {
    std::u16string why;
    if (qf::CanStoreSchemeName(name, &why)) {
      QF_FUZZ_CHECK(why.empty());
      names.push_back(name);
    } else {
      QF_FUZZ_CHECK(!why.empty());
    }
  }
  return names;
}

void CheckRoundTrip(const Names& names) {
  QF_FUZZ_CHECK(qf::ParseSchemeList(qf::FormatSchemeList(names)) == names);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::u16string text = qf::fuzz::BytesToUtf16(data, size);

  const Names entries = qf::ParseSchemeList(text);
  std::size_t held = 0;
  for (const std::u16string& entry : entries) held += entry.size();
  QF_FUZZ_CHECK(held <= text.size());
  QF_FUZZ_CHECK(entries.size() <= text.size());

  CheckRoundTrip(Storable(entries));

  Names lines;
  std::size_t from = 0;
  for (std::size_t at = text.find(u'\n'); at != std::u16string::npos;
       from = at + 1, at = text.find(u'\n', from)) {
    lines.push_back(text.substr(from, at - from));
  }
  lines.push_back(text.substr(from));
  CheckRoundTrip(Storable(lines));
  return 0;
}

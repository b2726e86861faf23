#pragma once
// The two lines the program sends into the chat room at every start and every exit. Each is a
// prefix that closes the style tags and sets the font face, a run of plain spaces, and the
// visible text with a colour tag before every character: the three-stop plain fade from
// 00CCFF through FF0000 to 0044FF. They are kept whole, as sent, not made at run time.
#include <string_view>

namespace qf {

// "•··.·•   Quelvane Fader   •·.··•" after eight spaces (722 characters)
extern const std::u16string_view AnnounceLine1;
// "•··.·•   By: Tarn   •·.··•" after thirteen spaces (601 characters)
extern const std::u16string_view AnnounceLine2;

}  // namespace qf

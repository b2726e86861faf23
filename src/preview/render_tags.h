#pragma once
// Draws chat markup the way the chat room shows it: per-character colours from
// <Font Color=#RRGGBB> tags, bold/italic/underline/strike-through switches, a one-pixel shift
// for <sup>/<sub>, and line breaks at carriage returns and at the typed marker "+chr13+".
#include <string_view>

#include "preview/canvas.h"

namespace qf {

// Resets the canvas (Arial 10 pt, no styles, black), clears it and draws `markup` on it.
// Each character is drawn and measured on its own, starting 2 pixels from the left edge;
// a line break moves 16 pixels down. Tags are matched case-insensitively; unknown tags are
// skipped. A surrogate pair is drawn as one character.
//   RenderTags(canvas, u"<b><Font Color=#FF0000>R<sup><Font Color=#0000FF>B");
//     draws a bold red "R" at (2, 0), then a bold blue "B" one pixel higher, right after it.
// Where the markup is not well formed:
//   a "<" with no ">" after it is drawn as a character, and so is the rest of the markup;
//   a "<" in the text runs to the next ">", swallowing what stands between (as in the chat);
//   a "font face" tag names the font between its first double quote and the next one (or
//   the end of the tag); without a double quote the whole tag text is the name.
void RenderTags(Canvas& canvas, std::u16string_view markup);

}  // namespace qf

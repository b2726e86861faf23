// The preview. For the chat client's markup (aol) it is drawn by the project's tag walker
// (walkTags, in the WebAssembly core), through the same calls the desktop program's picture
// box answers: the walker decides every position, colour and style, as the chat room does, and
// hands its steps over in one call. The other formats are shown as their systems show them,
// which is the text as typed (their escapes undo themselves there), so they are drawn from the
// fade's colours directly: each character in its colour, one after the other, with the styles,
// and for html the wave as a browser shows <sup> and <sub>.
//
// The line is laid out once per change; what is drawn is only the part in view, on a canvas
// the size of the strip at the screen's pixel density, so a line of any length scrolls
// sideways (or follows the caret) and stays sharp at every zoom.

const POINTS_TO_PIXELS = 96 / 72;
const LINE_HEIGHT = 16; // the walker moves 16 pixels down at a line break
const LEFT_MARGIN = 2; // where the walker starts each line
const POINTS = 10; // the walker's font size
// A browser's <sup> and <sub>: a smaller font ("smaller" is about five sixths), its top a few
// pixels above or below the line's.
const WAVE_POINTS = POINTS * 5 / 6;
const RAISED = -3;
const LOWERED = 4;
// One step's numbers: x, y, colour, font number, style bits (1 underline, 2 strike), where its
// text starts in the joined texts, its length, its width.
const FIELDS = 8;

// A colour value (0x00BBGGRR) as CSS.
export function cssColour(value) {
  return `rgb(${value & 0xff}, ${(value >> 8) & 0xff}, ${(value >> 16) & 0xff})`;
}

// Font name from the markup, quoted for CSS, with the usual fallbacks ("Arial" resolves to a
// metric twin such as Liberation Sans where Arial itself is missing).
function cssFamily(name) {
  const quoted = `"${name.replace(/["\\]/g, "")}"`;
  return `${quoted}, Arial, "Liberation Sans", sans-serif`;
}

const cssFont = (name, points, bold, italic) =>
  `${italic ? "italic " : ""}${bold ? "bold " : ""}${Math.round(points * POINTS_TO_PIXELS)}px ${cssFamily(name)}`;

// Widths of texts, by CSS font, kept for the page's life: a line uses few characters.
const measureContext = document.createElement("canvas").getContext("2d");
const widthCache = new Map();
function measure(font, text) {
  let widths = widthCache.get(font);
  if (!widths) {
    widths = new Map();
    widthCache.set(font, widths);
  }
  let width = widths.get(text);
  if (width === undefined) {
    if (measureContext.font !== font) measureContext.font = font;
    width = measureContext.measureText(text).width;
    widths.set(text, width);
  }
  return width;
}

class Painter {
  constructor() {
    this.reset();
  }
  reset() {
    this.name = "Arial";
    this.points = 10;
    this.bold = this.italic = this.underline = this.strike = false;
    this.colour = 0;
  }
  get font() { return cssFont(this.name, this.points, this.bold, this.italic); }
  setFontName(name) { this.name = name; }
  setFontSize(points) { this.points = points; }
  setFontBold(on) { this.bold = on; }
  setFontItalic(on) { this.italic = on; }
  setFontUnderline(on) { this.underline = on; }
  setFontStrikethrough(on) { this.strike = on; }
  setForeColor(colour) { this.colour = colour; }
  cls() {}
  textWidth(text) { return measure(this.font, text); }
  printText() {}
}

// Records the tag walker's calls one by one (core.renderTags), measuring as the preview
// measures. Exported for the tests, which ask where each letter goes.
export class StepRecorder extends Painter {
  constructor() {
    super();
    this.steps = [];
  }
  printText(x, y, text) {
    this.steps.push({ x, y, text, width: this.textWidth(text), font: this.font, colour: this.colour,
                      underline: this.underline, strike: this.strike });
  }
}

// What a format shows in place of a character it has no way to write: terminals get the
// control pictures, the web formats U+FFFD for controls (tab and line ends stay white space),
// and every format but aol U+FFFD for a lone surrogate. (The game formats refuse controls.)
function shownCharacter(format, character) {
  const c = character.codePointAt(0);
  if (c >= 0xd800 && c <= 0xdfff) return "\uFFFD";
  if (!(c < 0x20 || (c >= 0x7f && c <= 0x9f))) return character;
  if (format === "ansi") return c < 0x20 ? String.fromCodePoint(0x2400 + c) : c === 0x7f ? "\u2421" : "\uFFFD";
  return c === 0x09 || c === 0x0a || c === 0x0d ? " " : "\uFFFD";
}

// The steps of a fade drawn character by character, in walkTags's form: `text` from the left
// margin, each character in the colour of its group of `groupSize` (the fade worked out over
// the groups, as the formatting layer colours a fitted line), in the styles; wavy, every
// fourth character from the first raised and every fourth from the third lowered, as the wave
// tags do.
function walkCharacters(core, { format, colours, text, groupSize, styles, wavy }, reuse) {
  let count = text.length;
  if (/[\uD800-\uDBFF][\uDC00-\uDFFF]/.test(text)) {
    count = 0;
    for (let at = 0; at < text.length; ++count) at += text.codePointAt(at) > 0xffff ? 2 : 1;
  }
  const groupColours = core.fadeColourValues(colours, Math.ceil(count / groupSize));
  const fonts = [POINTS, WAVE_POINTS].map((points) => ({ name: "Arial", points, bold: styles.bold, italic: styles.italic }));
  const css = fonts.map((font) => cssFont(font.name, font.points, font.bold, font.italic));
  // Widths of single units by font, looked up without making a string per letter: ASCII in a
  // table, the others in a map.
  const asciiWidths = css.map(() => new Float64Array(128).fill(-1));
  const unitWidths = css.map(() => new Map());
  const bits = (styles.underline ? 1 : 0) | (styles.strike ? 2 : 0);
  const steps = reuse.length >= count * FIELDS ? reuse.subarray(0, count * FIELDS) : new Float64Array(count * FIELDS);
  // The shown texts: the line itself, but where a character is shown as another.
  const shownParts = [];
  let copiedTo = 0;
  let textsLength = 0;
  let x = LEFT_MARGIN;
  let widest = 0;
  for (let i = 0, at = 0; i < count; ++i) {
    const code = text.charCodeAt(at);
    const wave = wavy ? i % 4 : 1;
    const font = wave === 0 || wave === 2 ? 1 : 0;
    let unit = 1;
    let width;
    let shownLength = 1;
    if (code >= 0x20 && code < 0x7f) {
      width = asciiWidths[font][code];
      if (width < 0) width = asciiWidths[font][code] = measure(css[font], text[at]);
    } else if (code > 0x9f && (code < 0xd800 || code > 0xdfff)) {
      width = unitWidths[font].get(code);
      if (width === undefined) {
        width = measure(css[font], text[at]);
        unitWidths[font].set(code, width);
      }
    } else {
      unit = text.codePointAt(at) > 0xffff ? 2 : 1;
      const character = text.slice(at, at + unit);
      const shown = shownCharacter(format, character);
      width = measure(css[font], shown);
      shownLength = shown.length;
      if (shown !== character) {
        shownParts.push(text.slice(copiedTo, at), shown);
        copiedTo = at + unit;
      }
    }
    at += unit;
    const step = i * FIELDS;
    steps[step] = x;
    steps[step + 1] = wave === 0 ? RAISED : wave === 2 ? LOWERED : 0;
    steps[step + 2] = groupColours[Math.floor(i / groupSize)];
    steps[step + 3] = font;
    steps[step + 4] = bits;
    steps[step + 5] = textsLength;
    steps[step + 6] = shownLength;
    steps[step + 7] = width;
    textsLength += shownLength;
    x += width;
    if (width > widest) widest = width;
  }
  shownParts.push(text.slice(copiedTo));
  // Left to right, each step's right edge the next one's left: the last reaches furthest.
  const extent = { right: count > 0 ? x : 0, top: wavy && count > 0 ? RAISED : 0, bottom: wavy && count > 2 ? LOWERED : 0, widest, ordered: true };
  return { steps, texts: shownParts.join(""), fonts, extent };
}

// The line laid out: its steps, their fonts as CSS, and the extent of what is drawn. `reuse`
// is the steps of the line before, which the new steps may overwrite.
function layOut(core, fade, reuse) {
  let walk = { steps: new Float64Array(0), texts: "", fonts: [], extent: { right: 0, top: 0, bottom: 0, widest: 0, ordered: true } };
  if (fade?.format === "aol") {
    // The markup as the module made it, where it still has it: it need not cross again.
    const measureFont = (name, points, bold, italic, text) => measure(cssFont(name, points, bold, italic), text);
    walk = core.walkLastMarkup(fade.markupNumber ?? -1, measureFont, reuse) ?? core.walkTags(fade.markup, measureFont);
  } else if (fade) {
    walk = walkCharacters(core, fade, reuse);
  }
  // How far the steps reach, and whether each starts at or after the one before (one line, as
  // typed); the walks work it out as they go.
  const { right, top, bottom, widest, ordered } = walk.extent;
  const shift = Math.max(1, -top); // one pixel down at least leaves room for <sup>
  return { ...walk, css: walk.fonts.map((f) => cssFont(f.name, f.points, f.bold, f.italic)), widest, ordered,
           shift, width: Math.ceil(right) + 4, height: Math.max(20, bottom + shift - 1 + LINE_HEIGHT + 4) };
}

// The first step (its offset in `steps`) for which `holds(at)` is true, where it is false for
// every step before and true for every step after: found by halving, as a long line's steps
// are tens of thousands. `steps.length` when it holds for none.
function firstStepWhere(steps, holds) {
  let low = 0;
  let high = steps.length / FIELDS;
  while (low < high) {
    const middle = (low + high) >> 1;
    if (holds(middle * FIELDS)) high = middle;
    else low = middle + 1;
  }
  return low * FIELDS;
}

// The preview strip: `strip` scrolls sideways over `space`, which is as wide as the line at the
// zoom; `canvas` stays in view and shows the part of the line under it.
export class Preview {
  constructor(core, strip, space, canvas) {
    Object.assign(this, { core, strip, space, canvas });
    this.line = layOut(core, null);
    this.zoom = 1;
    this.background = 0;
    const preview = this;
    // The steps as objects, for the tests: what the line holds, drawn or scrolled out of view.
    Object.defineProperty(canvas, "previewSteps", { configurable: true, get: () => preview.stepObjects() });
  }

  // Lays out `fade` (null: nothing) anew.
  setFade(fade) {
    // The old line's steps are given to the walk to fill again: a long line's steps are
    // megabytes, and each keystroke would otherwise make (and drop) a new array of them.
    this.stepStore ??= new Float64Array(0);
    const needed = fade ? fade.text.length * FIELDS : 0;
    if (this.stepStore.length < needed) this.stepStore = new Float64Array(needed + (needed >> 2));
    this.line = layOut(this.core, fade, this.stepStore);
  }

  // Scrolls so that character `index` of the line is in view.
  follow(index) {
    const { steps } = this.line;
    // The first step whose text ends after the index (the steps' texts follow each other), or
    // the last.
    const at = firstStepWhere(steps, (step) => steps[step + 5] + steps[step + 6] > index);
    const x = steps.length === 0 ? 0 : steps[Math.min(at, steps.length - FIELDS)];
    const view = this.strip.clientWidth / this.zoom;
    const left = this.strip.scrollLeft / this.zoom;
    if (x < left + 8 || x > left + view - 24) this.strip.scrollLeft = Math.max(0, (x - view / 2) * this.zoom);
  }

  // Makes the strip's scrolled space as wide and high as the line at the zoom.
  size() {
    const { strip, space, zoom, line } = this;
    const width = `${Math.max(strip.clientWidth, line.width * zoom)}px`;
    const height = `${line.height * zoom}px`;
    if (space.style.width !== width) space.style.width = width;
    if (space.style.height !== height) space.style.height = height;
  }

  // Draws the part of the line in view.
  draw() {
    const { strip, canvas, zoom, line } = this;
    const ratio = window.devicePixelRatio || 1;
    const viewWidth = strip.clientWidth;
    const height = line.height * zoom;
    this.size();
    const left = strip.scrollLeft;
    canvas.style.width = `${viewWidth}px`;
    canvas.style.height = `${height}px`;
    const pixelWidth = Math.round(viewWidth * ratio);
    const pixelHeight = Math.round(height * ratio);
    if (canvas.width !== pixelWidth) canvas.width = pixelWidth;
    if (canvas.height !== pixelHeight) canvas.height = pixelHeight;
    const ctx = canvas.getContext("2d");
    ctx.setTransform(1, 0, 0, 1, 0, 0);
    ctx.fillStyle = cssColour(this.background);
    ctx.fillRect(0, 0, canvas.width, canvas.height);
    const scale = ratio * zoom;
    ctx.setTransform(scale, 0, 0, scale, -left * ratio, line.shift * scale);
    ctx.textBaseline = "top";
    const from = left / zoom - 50;
    const to = (left + viewWidth) / zoom;
    const { steps, texts, css, fonts } = line;
    let font = -1;
    // In a line whose steps go left to right, drawing starts at the first step that can reach
    // the strip's left edge and ends past its right edge.
    const first = line.ordered ? firstStepWhere(steps, (step) => steps[step] + line.widest >= from) : 0;
    for (let at = first; at < steps.length; at += FIELDS) {
      const x = steps[at];
      const width = steps[at + 7];
      if (x > to && line.ordered) break;
      if (x > to || x + width < from) continue;
      const y = steps[at + 1];
      if (steps[at + 3] !== font) {
        font = steps[at + 3];
        ctx.font = css[font];
      }
      ctx.fillStyle = cssColour(steps[at + 2]);
      ctx.fillText(texts.substr(steps[at + 5], steps[at + 6]), x, y);
      const px = Math.round(fonts[font].points * POINTS_TO_PIXELS);
      if (steps[at + 4] & 1) ctx.fillRect(x, y + px, width, 1);
      if (steps[at + 4] & 2) ctx.fillRect(x, y + Math.round(px * 0.55), width, 1);
    }
  }

  stepObjects() {
    const { steps, texts, css } = this.line;
    const objects = [];
    for (let at = 0; at < steps.length; at += FIELDS) {
      objects.push({ x: steps[at], y: steps[at + 1], colour: steps[at + 2], font: css[steps[at + 3]],
                     underline: (steps[at + 4] & 1) !== 0, strike: (steps[at + 4] & 2) !== 0,
                     text: texts.substr(steps[at + 5], steps[at + 6]), width: steps[at + 7] });
    }
    return objects;
  }
}

// The preview. For the chat client's markup (aol) it is drawn by the project's tag walker
// (renderTags, in the WebAssembly core), through the same calls the desktop program's picture
// box answers, made on an HTML canvas: the walker decides every position, colour and style, as
// the chat room does. The other formats are shown as their systems show them, which is the
// text as typed (their escapes undo themselves there), so they are drawn from the fade's
// colours directly: each character in its colour, one after the other, with the styles, and
// for html the wave as a browser shows <sup> and <sub>.

const POINTS_TO_PIXELS = 96 / 72;
const LINE_HEIGHT = 16; // the walker moves 16 pixels down at a line break
const LEFT_MARGIN = 2; // where the walker starts each line
const POINTS = 10; // the walker's font size
// A browser's <sup> and <sub>: a smaller font ("smaller" is about five sixths), its top a few
// pixels above or below the line's.
const WAVE_POINTS = POINTS * 5 / 6;
const RAISED = -3;
const LOWERED = 4;
const MAX_WIDTH = 16000; // browsers refuse canvases much wider than this

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

class Painter {
  constructor(ctx) {
    this.ctx = ctx;
    // font -> (text -> width): the walker measures every character on its own, mostly the same
    // few characters in the same few fonts.
    this.widthCache = new Map();
    this.reset();
  }
  reset() {
    this.name = "Arial";
    this.points = 10;
    this.bold = this.italic = this.underline = this.strike = false;
    this.colour = 0;
    this.font = "";
    this.fontChanged = true;
  }
  setFontName(name) { this.name = name; this.fontChanged = true; }
  setFontSize(points) { this.points = points; this.fontChanged = true; }
  setFontBold(on) { this.bold = on; this.fontChanged = true; }
  setFontItalic(on) { this.italic = on; this.fontChanged = true; }
  setFontUnderline(on) { this.underline = on; }
  setFontStrikethrough(on) { this.strike = on; }
  setForeColor(colour) { this.colour = colour; }
  cls() {}
  // Puts the current font on the canvas (only when it changed) and returns its width cache.
  useFont() {
    if (this.fontChanged) {
      this.fontChanged = false;
      const px = Math.round(this.points * POINTS_TO_PIXELS);
      const font = `${this.italic ? "italic " : ""}${this.bold ? "bold " : ""}${px}px ${cssFamily(this.name)}`;
      if (font !== this.font) {
        this.font = font;
        this.ctx.font = font;
        if (!this.widthCache.has(font)) this.widthCache.set(font, new Map());
        this.widths = this.widthCache.get(font);
      }
    }
    return this.widths;
  }
  textWidth(text) {
    const widths = this.useFont();
    let width = widths.get(text);
    if (width === undefined) {
      width = this.ctx.measureText(text).width;
      widths.set(text, width);
    }
    return width;
  }
  printText() {}
}

// Walks the markup once through the tag walker: measures as the walker asks, and records what
// it draws (everything that starts within the widest canvas), to be painted once the canvas
// has its size. Exported for the tests, which ask where each letter goes.
export class StepRecorder extends Painter {
  constructor(ctx) {
    super(ctx);
    this.right = 0;
    this.top = 0;
    this.bottom = 0;
    this.steps = [];
  }
  printText(x, y, text) {
    const width = this.textWidth(text);
    this.right = Math.max(this.right, x + width);
    this.top = Math.min(this.top, y);
    this.bottom = Math.max(this.bottom, y);
    if (x > MAX_WIDTH) return; // past the right edge: cut off, as in the chat room's strip
    this.steps.push({ x, y, text, width, font: this.font, colour: this.colour,
                      underline: this.underline, strike: this.strike, px: Math.round(this.points * POINTS_TO_PIXELS) });
  }
}

function paint(ctx, steps, background, shift) {
  ctx.fillStyle = cssColour(background);
  ctx.fillRect(0, -shift - 1, ctx.canvas.width, ctx.canvas.height + shift + 1); // from above the shifted origin
  ctx.textBaseline = "top";
  let font = "";
  for (const step of steps) {
    if (step.font !== font) {
      font = step.font;
      ctx.font = font;
    }
    ctx.fillStyle = cssColour(step.colour);
    ctx.fillText(step.text, step.x, step.y);
    if (step.underline) ctx.fillRect(step.x, step.y + step.px, step.width, 1);
    if (step.strike) ctx.fillRect(step.x, step.y + Math.round(step.px * 0.55), step.width, 1);
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

// Draws a fade the way `recorder` records the tag walker's: `text` from the left margin, each
// character in the colour of its group of `groupSize` (the fade worked out over the groups,
// as the formatting layer colours a fitted line), in the styles; wavy, every fourth character
// from the first raised and every fourth from the third lowered, as the wave tags do.
export function walkCharacters(core, recorder, { format, colours, text, groupSize, styles, wavy }) {
  const characters = [...text];
  const groupColours = core.fadeColourValues(colours, Math.ceil(characters.length / groupSize));
  recorder.setFontBold(styles.bold);
  recorder.setFontItalic(styles.italic);
  recorder.setFontUnderline(styles.underline);
  recorder.setFontStrikethrough(styles.strike);
  let x = LEFT_MARGIN;
  characters.forEach((character, i) => {
    const step = wavy ? i % 4 : 1;
    recorder.setFontSize(step === 0 || step === 2 ? WAVE_POINTS : POINTS);
    recorder.setForeColor(groupColours[Math.floor(i / groupSize)]);
    const shown = shownCharacter(format, character);
    recorder.printText(x, step === 0 ? RAISED : step === 2 ? LOWERED : 0, shown);
    x += recorder.textWidth(shown);
  });
}

// Draws the preview of `fade` on `canvas`, sized to what is drawn (at least as wide as
// `minWidth` CSS pixels), sharp on high-density screens: for aol its markup through the tag
// walker, for the other formats its characters (walkCharacters); nothing for null. What was
// drawn stays on the canvas as `previewSteps`, for the tests.
export function drawPreview(core, canvas, fade, background, minWidth) {
  const ctx = canvas.getContext("2d");
  const walk = new StepRecorder(ctx);
  if (fade?.format === "aol") core.renderTags(fade.markup, walk);
  else if (fade) walkCharacters(core, walk, fade);
  const shift = Math.max(1, -walk.top); // one pixel down at least leaves room for <sup>
  const width = Math.min(MAX_WIDTH, Math.max(minWidth, Math.ceil(walk.right) + 4));
  const height = Math.max(20, walk.bottom + shift - 1 + LINE_HEIGHT + 4);
  const ratio = window.devicePixelRatio || 1;
  canvas.style.width = `${width}px`;
  canvas.style.height = `${height}px`;
  canvas.width = Math.floor(width * ratio);
  canvas.height = Math.floor(height * ratio);
  ctx.setTransform(ratio, 0, 0, ratio, 0, shift * ratio);
  paint(ctx, walk.steps, background, shift);
  canvas.previewSteps = walk.steps;
}

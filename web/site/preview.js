// The drawing surface the project's tag walker (renderTags, in the WebAssembly core) draws the
// preview through: the same calls the desktop program's picture box answers, made on an HTML
// canvas. The walker decides every position, colour and style; this file only paints.

const POINTS_TO_PIXELS = 96 / 72;
const LINE_HEIGHT = 16; // the walker moves 16 pixels down at a line break
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
    this.bottom = 0;
    this.steps = [];
  }
  printText(x, y, text) {
    const width = this.textWidth(text);
    this.right = Math.max(this.right, x + width);
    this.bottom = Math.max(this.bottom, y);
    if (x > MAX_WIDTH) return; // past the right edge: cut off, as in the chat room's strip
    this.steps.push({ x, y, text, width, font: this.font, colour: this.colour,
                      underline: this.underline, strike: this.strike, px: Math.round(this.points * POINTS_TO_PIXELS) });
  }
}

function paint(ctx, steps, background) {
  ctx.fillStyle = cssColour(background);
  ctx.fillRect(0, -2, ctx.canvas.width, ctx.canvas.height + 2); // -2: above the shifted origin
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

// Draws `markup` on `canvas` through the tag walker: sized to what the walker draws (at least
// as wide as `minWidth` CSS pixels), sharp on high-density screens.
export function drawPreview(core, canvas, markup, background, minWidth) {
  const ctx = canvas.getContext("2d");
  const walk = new StepRecorder(ctx);
  core.renderTags(markup, walk);
  const width = Math.min(MAX_WIDTH, Math.max(minWidth, Math.ceil(walk.right) + 4));
  const height = Math.max(20, walk.bottom + LINE_HEIGHT + 4);
  const ratio = window.devicePixelRatio || 1;
  canvas.style.width = `${width}px`;
  canvas.style.height = `${height}px`;
  canvas.width = Math.floor(width * ratio);
  canvas.height = Math.floor(height * ratio);
  ctx.setTransform(ratio, 0, 0, ratio, 0, 1 * ratio); // one pixel down leaves room for <sup>
  paint(ctx, walk.steps, background);
}

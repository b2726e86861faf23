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
    this.widths = new Map(); // "font|text" -> width: the walker measures every character alone
    this.reset();
  }
  reset() {
    this.name = "Arial";
    this.points = 10;
    this.bold = this.italic = this.underline = this.strike = false;
    this.colour = 0;
    this.font = "";
  }
  setFontName(name) { this.name = name; }
  setFontSize(points) { this.points = points; }
  setFontBold(on) { this.bold = on; }
  setFontItalic(on) { this.italic = on; }
  setFontUnderline(on) { this.underline = on; }
  setFontStrikethrough(on) { this.strike = on; }
  setForeColor(colour) { this.colour = colour; }
  cls() {}
  currentFont() {
    const px = Math.round(this.points * POINTS_TO_PIXELS);
    const font = `${this.italic ? "italic " : ""}${this.bold ? "bold " : ""}${px}px ${cssFamily(this.name)}`;
    if (font !== this.font) {
      this.font = font;
      this.ctx.font = font;
    }
    return font;
  }
  textWidth(text) {
    const key = `${this.currentFont()}|${text}`;
    let width = this.widths.get(key);
    if (width === undefined) {
      width = this.ctx.measureText(text).width;
      this.widths.set(key, width);
    }
    return width;
  }
  printText() {}
}

// First pass: only measures, to learn how wide and tall the drawing will be.
export class Measurer extends Painter {
  constructor(ctx) {
    super(ctx);
    this.right = 0;
    this.bottom = 0;
  }
  printText(x, y, text) {
    this.right = Math.max(this.right, x + this.textWidth(text));
    this.bottom = Math.max(this.bottom, y);
  }
}

// Second pass: draws on the canvas, with its background colour.
class CanvasPainter extends Painter {
  constructor(ctx, background, width) {
    super(ctx);
    this.background = background;
    this.width = width;
  }
  cls() {
    const { ctx } = this;
    ctx.fillStyle = cssColour(this.background);
    ctx.fillRect(0, -2, ctx.canvas.width, ctx.canvas.height + 2); // -2: above the shifted origin
    this.reset();
  }
  printText(x, y, text) {
    if (x > this.width) return; // past the right edge: cut off, as in the chat room's strip
    const { ctx } = this;
    this.currentFont();
    ctx.fillStyle = cssColour(this.colour);
    ctx.textBaseline = "top";
    ctx.fillText(text, x, y);
    if (this.underline || this.strike) {
      const width = this.textWidth(text);
      const px = Math.round(this.points * POINTS_TO_PIXELS);
      if (this.underline) ctx.fillRect(x, y + px, width, 1);
      if (this.strike) ctx.fillRect(x, y + Math.round(px * 0.55), width, 1);
    }
  }
}

// Draws `markup` on `canvas` through the tag walker: sized to what the walker draws (at least
// as wide as `minWidth` CSS pixels), sharp on high-density screens.
export function drawPreview(core, canvas, markup, background, minWidth) {
  const ctx = canvas.getContext("2d");
  const measurer = new Measurer(ctx);
  core.renderTags(markup, measurer);
  const width = Math.min(MAX_WIDTH, Math.max(minWidth, Math.ceil(measurer.right) + 4));
  const height = Math.max(20, measurer.bottom + LINE_HEIGHT + 4);
  const ratio = window.devicePixelRatio || 1;
  canvas.style.width = `${width}px`;
  canvas.style.height = `${height}px`;
  canvas.width = Math.floor(width * ratio);
  canvas.height = Math.floor(height * ratio);
  ctx.setTransform(ratio, 0, 0, ratio, 0, 1 * ratio); // one pixel down leaves room for <sup>
  const painter = new CanvasPainter(ctx, background, width);
  painter.widths = measurer.widths;
  core.renderTags(markup, painter);
}

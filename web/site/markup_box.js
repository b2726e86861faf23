// The box that shows the markup to paste. A long line's markup is over half a million
// characters, and a text area lays all of it out whenever it changes (tens of milliseconds
// each keystroke). This box holds the same text in blocks the browser lays out only when they
// are scrolled into view (content-visibility), so a keystroke costs the same at any length and
// the box always holds the whole markup. It reads like a read-only text box: focusable,
// scrollable, selectable by hand; Ctrl+A selects the markup alone, and a copy of a selection
// in it takes exactly the characters selected (the blocks add no line breaks).
const BLOCK_LINES = 40; // lines of the box per block: a few screens

export class MarkupBox {
  constructor(element) {
    this.element = element;
    this.text = "";
    this.starts = []; // where each block starts in the text
    this.perLine = 0; // characters per line of the box, while its width stays the same
    this.width = -1;
    const box = this;
    // Read, written and selected like a text area (Copy, the tests, the benchmark).
    Object.defineProperty(element, "value", { configurable: true, get: () => box.text, set: (text) => box.show(String(text)) });
    element.select = () => box.selectAll();
    element.addEventListener("keydown", (event) => {
      if ((event.ctrlKey || event.metaKey) && !event.altKey && event.key.toLowerCase() === "a") {
        event.preventDefault();
        this.selectAll();
      }
    });
    element.addEventListener("copy", (event) => {
      const selected = this.selectedRange();
      if (!selected) return; // a selection reaching outside the box: the browser's own copy
      event.clipboardData.setData("text/plain", this.text.slice(selected.from, selected.to));
      event.preventDefault();
    });
    window.addEventListener("resize", () => this.fitBlocksToLines());
  }

  // Shows `text`, replacing what the box held.
  show(text) {
    if (text === this.text) return;
    this.text = text;
    this.layOutBlocks();
  }

  // Characters per line in the box's monospace font and width (text breaks at any character).
  measureLine() {
    const width = this.element.clientWidth;
    if (width === this.width && this.perLine > 0) return this.perLine;
    const style = getComputedStyle(this.element);
    const context = MarkupBox.measureContext ??= document.createElement("canvas").getContext("2d");
    context.font = `${style.fontSize} ${style.fontFamily}`;
    const inner = width - parseFloat(style.paddingLeft) - parseFloat(style.paddingRight);
    const character = context.measureText("0").width || 8;
    this.width = width;
    this.perLine = Math.max(1, Math.floor(inner / character));
    return this.perLine;
  }

  // The blocks: each a whole number of the box's lines, so that the text wraps as one, and
  // sized before it is laid out so that the scroll bar is right. The blocks of the last text
  // are kept and given their new text: a keystroke changes no more of the page than that.
  layOutBlocks() {
    const { element, text } = this;
    const perLine = this.measureLine();
    const blockLength = perLine * BLOCK_LINES;
    const count = Math.max(1, Math.ceil(text.length / blockLength));
    if (count === 1) {
      element.textContent = text;
      this.starts = [0];
      return;
    }
    const lineHeight = parseFloat(getComputedStyle(element).lineHeight) || 16;
    const blocks = [...element.children];
    if (element.childNodes.length !== blocks.length) element.replaceChildren(...blocks);
    while (blocks.length > count) blocks.pop().remove();
    const added = [];
    this.starts = [];
    for (let i = 0; i < count; ++i) {
      const at = i * blockLength;
      let block = blocks[i];
      if (!block) {
        block = document.createElement("span");
        block.className = "markup-block";
        block.append("");
        added.push(block);
      }
      const lines = Math.ceil(Math.min(blockLength, text.length - at) / perLine);
      const size = `auto ${lines * lineHeight}px`;
      if (block.dataset.size !== size) {
        block.dataset.size = size;
        block.style.containIntrinsicBlockSize = size;
      }
      block.firstChild.data = text.slice(at, at + blockLength);
      this.starts.push(at);
    }
    element.append(...added);
  }

  fitBlocksToLines() {
    const before = this.perLine;
    if (this.text && this.measureLine() !== before) this.layOutBlocks();
  }

  // Selects the whole markup (and only it).
  selectAll() {
    this.element.focus();
    getSelection().selectAllChildren(this.element);
  }

  // Where a point of a selection is in the text, or null when it is outside the box.
  offsetOf(node, offset) {
    const { element, starts, text } = this;
    const blockStart = (index) => (index < starts.length ? starts[index] : text.length);
    if (node === element) return blockStart(offset);
    const block = node.nodeType === Node.TEXT_NODE ? node.parentNode : node;
    if (block === element) return offset; // one block: the text is the box's own
    if (block?.parentNode !== element) return null;
    const index = Array.prototype.indexOf.call(element.children, block);
    if (node === block) return blockStart(index + offset);
    return blockStart(index) + offset;
  }

  // The selection's span of the text, when it lies within the box.
  selectedRange() {
    const selection = getSelection();
    if (!selection.rangeCount) return null;
    const range = selection.getRangeAt(0);
    const from = this.offsetOf(range.startContainer, range.startOffset);
    const to = this.offsetOf(range.endContainer, range.endOffset);
    return from === null || to === null ? null : { from, to };
  }
}

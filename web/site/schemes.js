// Named colour schemes kept in this browser in the two forms the desktop program keeps them:
// the list of names (its scheme.lst) and the text of its color.dat. Save, remove and apply work
// on them the way the desktop's scheme manager does, through the core's own readers and
// writers, so an export gives back the very files the desktop program would have written, and
// an import reads the desktop's files as the desktop reads them.

const STORAGE_KEY = "quelvane-fader.schemes";
// Larger files are not scheme files; they are refused before being read.
export const MAX_FILE_BYTES = 16 * 1024 * 1024;

function quoted(name) {
  return `“${name}”`;
}

export class SchemeStore {
  // `storage` is window.localStorage, or null where the browser refuses it.
  constructor(core, storage) {
    this.core = core;
    this.storage = storage;
    this.list = [];
    this.colourFile = "";
  }

  // Reads what this browser kept. Returns a sentence for the user when something is wrong
  // (the schemes are then kept in this page only), else "".
  load() {
    if (!this.storage) return "This browser does not let the page keep schemes: they last until the page is closed (Export keeps them as files).";
    let raw;
    try {
      raw = this.storage.getItem(STORAGE_KEY);
    } catch (error) {
      this.storage = null;
      return `This browser does not let the page keep schemes (${error.message}): they last until the page is closed.`;
    }
    if (raw === null) return "";
    try {
      const kept = JSON.parse(raw);
      if (!Array.isArray(kept.list) || !kept.list.every((n) => typeof n === "string") ||
          typeof kept.colourFile !== "string") {
        throw new Error("unexpected content");
      }
      this.list = kept.list;
      this.colourFile = kept.colourFile;
      return "";
    } catch {
      // Never lose what was there: the damaged text stays under a second key.
      const backup = `${STORAGE_KEY}.damaged`;
      try {
        if (this.storage.getItem(backup) === null) this.storage.setItem(backup, raw);
      } catch { /* nothing more can be done */ }
      this.storage = null;
      return `The schemes kept in this browser could not be read; their text was set aside under “${backup}” and is not changed by this page.`;
    }
  }

  // Writes the schemes to the browser's storage; "" or a sentence for the user.
  persist() {
    if (!this.storage) return "";
    try {
      this.storage.setItem(STORAGE_KEY, JSON.stringify({ list: this.list, colourFile: this.colourFile }));
      return "";
    } catch (error) {
      return `The schemes could not be kept in this browser (${error.message}); they last until the page is closed. Export them to keep them.`;
    }
  }

  // The ten colours of entry `index`: numbers, or null where color.dat has no colour (the
  // colour box then keeps its colour, as on the desktop).
  coloursOf(index) {
    return this.core.readSchemeColours(this.colourFile, this.list[index]);
  }

  // Saves the ten colours under `name` at the end of the list. Returns "" or why not.
  save(name, colours) {
    if (name === "") return "Please choose a name";
    const problem = this.core.schemeNameProblem(name);
    if (problem) return problem;
    this.list = [...this.list, name];
    this.colourFile = this.core.writeSchemeColours(this.colourFile, name, colours);
    return "";
  }

  // Takes entry `index` off the list; its colours stay in color.dat, as on the desktop.
  remove(index) {
    this.list = this.list.filter((_, i) => i !== index);
  }

  // The two files as the desktop program writes them, as bytes; or a sentence saying why not.
  exportFiles() {
    const list = this.core.encodeAnsi(this.core.formatSchemeList(this.list));
    const colours = this.core.encodeAnsi(this.colourFile);
    if (!list || !colours) {
      return { problem: "A scheme name holds a character the desktop's code page (1252) lacks; remove that scheme first." };
    }
    return { list, colours };
  }

  // Reads the desktop program's two files (their bytes) without changing anything yet: the
  // names and color.dat's text to take over, and what in them could not be used.
  static readDesktopFiles(core, listBytes, colourBytes) {
    const list = core.parseSchemeList(core.decodeAnsi(listBytes));
    const colourFile = core.decodeAnsi(colourBytes);
    const notes = [];
    const empty = list.filter((name) => name.trim() === "").length;
    if (empty) notes.push(`${empty} empty ${empty === 1 ? "entry" : "entries"} in scheme.lst (kept, with no colours, as the desktop program keeps them).`);
    const seen = new Set();
    for (const name of list) {
      if (name.trim() === "" || seen.has(name)) continue;
      seen.add(name);
      const colours = core.readSchemeColours(colourFile, name);
      const missing = colours.flatMap((c, i) => (c === null ? [`Fade${i + 1}`] : []));
      if (missing.length === colours.length) {
        notes.push(`${quoted(name)}: no colours in color.dat; choosing it changes no colour.`);
      } else if (missing.length) {
        notes.push(`${quoted(name)}: ${missing.join(", ")} skipped (no colour value there); those colours stay as they are when it is chosen.`);
      }
    }
    const odd = core.colourFileOddLines(colourFile);
    if (odd.length) {
      const shown = odd.slice(0, 10).join(", ") + (odd.length > 10 ? ", …" : "");
      notes.push(`color.dat: ${odd.length === 1 ? "line" : "lines"} ${shown} ${odd.length === 1 ? "is" : "are"} neither a [scheme] nor a key=value line; kept as ${odd.length === 1 ? "it is" : "they are"}, not read.`);
    }
    return { list, colourFile, notes };
  }

  // Takes over what readDesktopFiles read.
  replaceWith(imported) {
    this.list = imported.list;
    this.colourFile = imported.colourFile;
  }
}

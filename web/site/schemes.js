// Named colour schemes kept in this browser in the two forms the desktop program keeps them:
// the list of names (its scheme.lst) and the text of its color.dat. Save, remove and apply work
// on them the way the desktop's scheme manager does, through the core's own readers and
// writers, so an export gives back the very files the desktop program would have written, and
// an import reads the desktop's files as the desktop reads them.

const STORAGE_KEY = "quelvane-fader.schemes";
// A larger color.dat is not a scheme file; it is refused before being read. (scheme.lst has the
// desktop program's own, smaller bound: core.maxSchemeListBytes.)
export const MAX_FILE_BYTES = 16 * 1024 * 1024;

function quoted(name) {
  return `“${name}”`;
}

const withCommas = (n) => n.toLocaleString("en-US");

// A stored text as a note shows it: a long one cut short.
function shown(text) {
  return text.length > 24 ? `${text.slice(0, 24)}…` : text;
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

  // Saves the ten colours under `name` at the end of the list. Returns "" or why not. A list
  // the desktop program would not read (too many entries or bytes) is never made.
  save(name, colours) {
    if (name === "") return "Please choose a name";
    const problem = this.core.schemeNameProblem(name);
    if (problem) return problem;
    const list = [...this.list, name];
    if (!this.core.schemeListFileFits(list.length, 0)) {
      return `The list is full: the desktop program reads at most ${withCommas(this.core.maxSchemeEntries)} schemes. Remove one before saving another.`;
    }
    if (!this.core.schemeListFileFits(list.length, this.core.schemeListFileBytes(list) ?? Infinity)) {
      return `The list is full: with ${quoted(name)} its scheme.lst would be larger than the ${withCommas(this.core.maxSchemeListBytes)} bytes the desktop program reads. Remove a scheme before saving another.`;
    }
    this.list = list;
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
    if (!this.core.schemeListFileFits(this.list.length, list.length)) {
      return { problem: `This list is more than the desktop program reads (${withCommas(this.core.maxSchemeEntries)} schemes, ${withCommas(this.core.maxSchemeListBytes)} bytes of scheme.lst); remove schemes first.` };
    }
    return { list, colours };
  }

  // Reads the desktop program's two files (their bytes) without changing anything yet: the
  // names and color.dat's text to take over, and what in them could not be used. Throws, with
  // a sentence for the user, for a list the desktop program would not read, or would not read
  // once the page writes it back.
  static readDesktopFiles(core, listBytes, colourBytes) {
    const most = `the desktop program reads at most ${withCommas(core.maxSchemeEntries)} schemes and ${withCommas(core.maxSchemeListBytes)} bytes there`;
    if (!core.schemeListFileFits(0, listBytes.length)) {
      throw new Error(`scheme.lst is ${withCommas(listBytes.length)} bytes, but ${most}; nothing was imported.`);
    }
    const list = core.parseSchemeListUpTo(core.decodeAnsi(listBytes), core.maxSchemeEntries);
    if (list === null) {
      throw new Error(`scheme.lst holds more than ${withCommas(core.maxSchemeEntries)} entries, but ${most}; nothing was imported.`);
    }
    const written = core.schemeListFileBytes(list);
    if (!core.schemeListFileFits(list.length, written)) {
      throw new Error(`scheme.lst would be ${withCommas(written)} bytes as the desktop program writes it (CR LF line ends, quotes), but ${most}; nothing was imported.`);
    }
    const colourFile = core.decodeAnsi(colourBytes);
    const notes = [];
    const empty = list.filter((name) => name.trim() === "").length;
    if (empty) notes.push(`${empty} empty ${empty === 1 ? "entry" : "entries"} in scheme.lst (kept, with no colours, as the desktop program keeps them).`);
    const seen = new Set();
    for (const name of list) {
      if (name.trim() === "" || seen.has(name)) continue;
      seen.add(name);
      // A number is a colour; a text is stored but is no colour a box can show (the desktop
      // skips it); null or "" is no value at all.
      const values = core.readSchemeValues(colourFile, name);
      const missing = values.flatMap((v, i) => (v === null || v === "" ? [`Fade${i + 1}`] : []));
      const wrong = values.flatMap((v, i) => (typeof v === "string" && v !== "" ? [`Fade${i + 1}: ${shown(v)} is not a colour`] : []));
      if (missing.length === values.length) {
        notes.push(`${quoted(name)}: no colours in color.dat; choosing it changes no colour.`);
      } else if (missing.length || wrong.length) {
        const skipped = missing.length ? [`${missing.join(", ")} skipped (no colour value there)`] : [];
        notes.push(`${quoted(name)}: ${[...wrong, ...skipped].join("; ")}; those colours stay as they are when it is chosen.`);
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

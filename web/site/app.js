// The page: wires the controls to the formatting layer, the tag walker and the scheme files of the
// WebAssembly core (quelvane.js). All fading, previewing and file handling is the core's; this
// file keeps the page's state and says what happened.
import { MarkupBox } from "./markup_box.js";
import { Preview } from "./preview.js";
import { MAX_FILE_BYTES, SchemeStore } from "./schemes.js";

const $ = (id) => document.getElementById(id);


function say(element, text, { problem = false, notes = [] } = {}) {
  element.replaceChildren(text);
  element.classList.toggle("problem", problem);
  if (notes.length) {
    const list = document.createElement("ul");
    for (const note of notes) {
      const item = document.createElement("li");
      item.textContent = note;
      list.append(item);
    }
    element.append(list);
  }
}

// "1 character", "12 characters".
const characters = (count) => `${count} character${count === 1 ? "" : "s"}`;

// The number of characters of `text` as the length limit counts them (a surrogate pair once).
const characterCount = (text) => [...text].length;

// Copies `text` to the clipboard; where the browser refuses, selects it in `box` (a text area,
// or the markup box, which answers the same value and select()) for Ctrl+C.
async function copyMarkup(text, box, status) {
  if (!text) {
    say(status, "Nothing to copy yet: type a line first.");
    return;
  }
  const copiedText = `Copied the markup (${characters(characterCount(text))}).`;
  try {
    await navigator.clipboard.writeText(text);
    say(status, copiedText);
  } catch {
    if (box.value !== text) box.value = text;
    box.focus();
    box.select();
    let copied = false;
    try {
      copied = document.execCommand("copy");
    } catch { /* reported below */ }
    if (copied) say(status, copiedText);
    else say(status, "The browser did not allow copying: the markup is selected, press Ctrl+C.", { problem: true });
  }
}

function localStorageOrNull() {
  try {
    return window.localStorage;
  } catch {
    return null;
  }
}

// Whatever goes wrong later is said on the page, not only in the console.
function reportFailures() {
  const show = (what) => say($("status"), `Something went wrong (${what}); reload the page if the fader stops answering.`, { problem: true });
  window.addEventListener("error", (event) => show(event.message));
  window.addEventListener("unhandledrejection", (event) => show(event.reason?.message ?? event.reason));
}

async function start() {
  reportFailures();
  // The controls are usable already (controls.js): the first fade waits for the core, and is
  // made from the controls as they are once it is ready.
  const countBox = $("stop-count");
  const stopInputs = [...$("stops").querySelectorAll("input")];

  let core;
  try {
    if (typeof createQuelvane !== "function") throw new Error("quelvane.js did not load");
    if (!window.quelvaneCompiled) throw new Error("no WebAssembly");
    // The module index.html compiled, instantiated with the imports quelvane.js gives it.
    core = await new Promise((resolve, reject) => {
      createQuelvane({
        instantiateWasm(imports, receive) {
          window.quelvaneCompiled.then((module) => WebAssembly.instantiate(module, imports))
            .then((instance) => receive(instance), reject);
          return {};
        },
      }).then(resolve, reject);
    });
  } catch (error) {
    window.quelvaneControls?.disable();
    say($("status"), `The fader could not start in this browser (${error?.message ?? error}). It needs WebAssembly and the page served over http, not opened as a file.`, { problem: true });
    return;
  }

  // --- the formats ---------------------------------------------------------------------------
  const formats = core.markupFormats();
  const waveFormats = formats.filter((format) => format.wave).map((format) => format.name);

  // Fills `select` with every format (its summary as the option's tip and in `summary` below
  // it), aol chosen.
  function offerFormats(select, summary) {
    for (const format of formats) {
      const option = new Option(format.name, format.name);
      option.title = format.summary;
      select.add(option);
    }
    select.value = "aol";
    const describe = () => {
      summary.textContent = formats.find((format) => format.name === select.value).summary;
    };
    select.addEventListener("change", describe);
    describe();
  }

  // Why a fade could not be made (the formatting layer's reason), as the page says it.
  function refusalText(result) {
    if (result.kind === "tooLong") return `Does not fit: ${result.error}.`;
    const sentence = result.error[0].toUpperCase() + result.error.slice(1);
    if (result.kind === "waveRefused") return `${sentence}: untick W, or choose ${waveFormats.join(" or ")}.`;
    return `${sentence}.`;
  }

  // --- the fader: from the controls as they are now -----------------------------------------
  const stops = stopInputs.map((input) => core.colourFromHex(input.value));
  let count = Number(countBox.value);
  const styleBoxes = ["style-s", "style-i", "style-b", "style-u"].map($);
  let prefix = styleBoxes.reduce((tags, box) => box.checked ? core.toggledStylePrefix(tags, box.dataset.tag, true) : tags, "");

  stopInputs.forEach((input, i) => {
    input.addEventListener("input", () => {
      stops[i] = core.colourFromHex(input.value);
      update();
    });
  });

  function showStops() {
    stops.forEach((colour, i) => {
      stopInputs[i].value = `#${core.colourToHex(colour).toLowerCase()}`;
      stopInputs[i].closest("li").classList.toggle("unused", i >= count);
    });
  }

  // The limit box: null when empty, else the count, or NaN when it holds no whole number of
  // 1 or more (a number input reports text it cannot read as empty, with badInput set).
  function readLimit() {
    const box = $("limit");
    if (box.validity.badInput) return NaN;
    if (box.value.trim() === "") return null;
    const limit = Number(box.value);
    return Number.isSafeInteger(limit) && limit >= 1 ? limit : NaN;
  }

  // The preview: laid out again when the fade changes, drawn at the next animation frame (and
  // when scrolled, zoomed or resized, only that).
  const preview = new Preview(core, $("preview-strip"), $("preview-space"), $("preview"));
  preview.zoom = Number($("preview-zoom").value);
  preview.background = core.colourFromHex($("preview-back").value);
  let layoutPending = false;
  let previewFade = null;
  let drawPending = false;
  let keystrokeStart = null;
  let keystrokeWork = 0;
  function schedulePreview(newFade = false) {
    layoutPending ||= newFade;
    if (drawPending) return;
    drawPending = true;
    requestAnimationFrame(() => {
      const frameStart = performance.now();
      drawPending = false;
      if (layoutPending) {
        layoutPending = false;
        preview.setFade(previewFade);
        preview.size(); // the strip's extent, before it is scrolled to the caret
        if (document.activeElement === $("line")) preview.follow(caretIndex());
      }
      preview.draw();
      // A keystroke's cost, from its input event to its preview drawn, for the benchmark.
      if (keystrokeStart !== null) {
        const end = performance.now();
        performance.measure("quelvane-keystroke", { start: keystrokeStart, end });
        // The page's own share: the input handler and this frame's drawing, without the wait
        // for the frame.
        performance.measure("quelvane-keystroke-work", { start: 0, duration: keystrokeWork + end - frameStart });
        keystrokeStart = null;
      }
    });
  }
  // Where the caret is in the line, in UTF-16 units up to it (as the walker's texts count).
  const caretIndex = () => $("line").selectionStart ?? $("line").value.length;

  // The markup box holds the whole markup from the keystroke on, at any length.
  const markupBox = new MarkupBox($("markup"));
  let shownMarkup = "";
  function showMarkup(markup) {
    shownMarkup = markup;
    markupBox.show(markup);
  }

  // Why the fader shows no markup, when something prevents it ("" otherwise).
  let faderProblem = "";

  function update() {
    const line = $("line").value;
    const format = $("format").value;
    const limit = readLimit();
    const colours = stops.slice(0, count);
    const styles = { bold: $("style-b").checked, italic: $("style-i").checked,
                     underline: $("style-u").checked, strike: $("style-s").checked };
    const wavy = $("style-w").checked;
    let result = null;
    if (Number.isNaN(limit)) {
      faderProblem = "The length limit must be a whole number of characters, 1 or more, or empty for none.";
    } else {
      // An empty line makes no markup, so no limit applies to it; a refused combination is
      // still said.
      result = core.formatFade({ colours, text: line, format, styles, wavy, prefix,
                                 maxLength: line ? limit ?? 0 : 0 });
      faderProblem = result.error === undefined ? "" : refusalText(result);
    }
    if (faderProblem || !line) {
      showMarkup("");
      previewFade = null;
      say($("markup-info"), faderProblem || characters(0), { problem: faderProblem !== "" });
    } else {
      showMarkup(result.markup);
      previewFade = { format, markup: result.markup, markupNumber: result.markupNumber, colours, text: line, groupSize: result.groupSize, styles, wavy };
      let info = `${characters(result.length)}.`;
      if (limit !== null && result.groupSize === 1) {
        info = `${characters(result.length)}, within the limit of ${limit}.`;
      } else if (limit !== null) {
        const per = result.groupSize >= characterCount(line) ? "the whole line in one colour"
                                                             : `${result.groupSize} characters per colour`;
        info = `${characters(result.length)}. Fitted to ${limit}: ${per}.`;
      }
      say($("markup-info"), info);
    }
    schedulePreview(true);
  }

  $("line").addEventListener("input", (event) => {
    const start = performance.now();
    if (keystrokeStart === null) {
      keystrokeStart = event.timeStamp;
      keystrokeWork = 0;
    }
    update();
    keystrokeWork += performance.now() - start;
  });
  // Moving the caret in the line scrolls the preview to it: the whole line can be seen from
  // the keyboard.
  document.addEventListener("selectionchange", () => {
    if (document.activeElement === $("line")) {
      preview.follow(caretIndex());
    }
  });
  $("preview-strip").addEventListener("scroll", () => schedulePreview(), { passive: true });
  $("preview-zoom").addEventListener("change", () => {
    const strip = $("preview-strip");
    const middle = (strip.scrollLeft + strip.clientWidth / 2) / preview.zoom;
    preview.zoom = Number($("preview-zoom").value);
    preview.draw();
    strip.scrollLeft = Math.max(0, middle * preview.zoom - strip.clientWidth / 2);
    schedulePreview();
  });
  // A new pixel density (a window moved to another screen, the browser zoomed): drawn again
  // sharp, and watched from there for the next change.
  const watchPixelDensity = () => {
    matchMedia(`(resolution: ${window.devicePixelRatio}dppx)`).addEventListener("change", () => {
      schedulePreview();
      watchPixelDensity();
    }, { once: true });
  };
  watchPixelDensity();
  countBox.addEventListener("change", () => {
    count = Number(countBox.value);
    showStops();
    update();
  });
  $("style-w").addEventListener("change", update);
  offerFormats($("format"), $("format-summary"));
  $("format").addEventListener("change", update);
  $("limit").addEventListener("input", update);
  for (const box of styleBoxes) {
    box.addEventListener("change", () => {
      prefix = core.toggledStylePrefix(prefix, box.dataset.tag, box.checked);
      update();
    });
  }
  $("preview-back").addEventListener("input", () => {
    preview.background = core.colourFromHex($("preview-back").value);
    schedulePreview();
  });
  $("copy").addEventListener("click", () => {
    if (faderProblem) say($("status"), `Nothing to copy: ${faderProblem}`, { problem: true });
    else copyMarkup(shownMarkup, $("markup"), $("status"));
  });
  window.addEventListener("resize", () => schedulePreview());

  // --- schemes -----------------------------------------------------------------------------
  const store = new SchemeStore(core, localStorageOrNull());
  const status = $("scheme-status");
  const schemeList = $("scheme-list");

  function showList(selected = -1) {
    schemeList.replaceChildren(...store.list.map((name, i) => new Option(name === "" ? "(empty entry)" : name, String(i))));
    schemeList.selectedIndex = selected;
  }

  // Applies entry `index`: every colour color.dat has for it; the others stay.
  function apply(index) {
    store.coloursOf(index).forEach((colour, i) => {
      if (colour !== null) stops[i] = colour;
    });
    showStops();
    update();
  }

  function persistAndSay(text, notes = []) {
    const problem = store.persist();
    if (problem) say(status, `${text} ${problem}`, { problem: true, notes });
    else say(status, text, { notes });
  }

  schemeList.addEventListener("change", () => {
    if (schemeList.selectedIndex < 0) return;
    apply(schemeList.selectedIndex);
    say(status, `Applied “${store.list[schemeList.selectedIndex]}”.`);
  });

  $("scheme-save").addEventListener("click", () => {
    const name = $("scheme-name").value;
    const problem = store.save(name, stops);
    if (problem) {
      say(status, problem, { problem: true });
      $("scheme-name").focus();
      return;
    }
    showList(store.list.length - 1);
    persistAndSay(`Saved “${name}”.`);
  });

  $("scheme-remove").addEventListener("click", () => {
    const index = schemeList.selectedIndex;
    if (index < 0) {
      say(status, "please select a scheme to remove", { problem: true });
      return;
    }
    const name = store.list[index];
    store.remove(index);
    showList();
    persistAndSay(`Removed “${name}” from the list (its colours stay in color.dat, as the desktop program keeps them).`);
  });

  async function readFile(input, name, other) {
    const file = input.files[0];
    if (!file) throw new Error(`Pick the desktop program's ${name} too: Import needs both files.`);
    if (file.name.toLowerCase() === other) {
      throw new Error(`${file.name} was picked as the ${name}: pick each file in its own box; nothing was imported.`);
    }
    if (file.size > MAX_FILE_BYTES) throw new Error(`${file.name} is ${file.size} bytes: too large for a ${name}; nothing was imported.`);
    return new Uint8Array(await file.arrayBuffer());
  }

  $("import").addEventListener("click", async () => {
    let imported;
    try {
      const listBytes = await readFile($("import-list"), "scheme.lst", "color.dat");
      const colourBytes = await readFile($("import-colours"), "color.dat", "scheme.lst");
      imported = SchemeStore.readDesktopFiles(core, listBytes, colourBytes);
    } catch (error) {
      say(status, error.message, { problem: true });
      return;
    }
    const had = store.list.length;
    if ((had > 0 || store.colourFile !== "") &&
        !window.confirm(`Replace the ${had} scheme${had === 1 ? "" : "s"} kept in this browser with the ${imported.list.length} from these files? (Export first to keep them.)`)) {
      say(status, "Import cancelled: your schemes are as they were.");
      return;
    }
    store.replaceWith(imported);
    const n = store.list.length;
    if (n > 0) apply(0); // as the desktop program does at start-up
    showList(n > 0 ? 0 : -1);
    persistAndSay(`Imported ${n} scheme${n === 1 ? "" : "s"}${n > 0 ? `; applied “${store.list[0]}”` : ""}.` +
                  (imported.notes.length ? " Skipped or kept aside:" : ""), imported.notes);
  });

  const exportUrls = [];
  $("export").addEventListener("click", () => {
    const files = store.exportFiles();
    if (files.problem) {
      say(status, files.problem, { problem: true });
      return;
    }
    exportUrls.splice(0).forEach((url) => URL.revokeObjectURL(url));
    const links = [["scheme.lst", files.list], ["color.dat", files.colours]].map(([name, bytes]) => {
      const url = URL.createObjectURL(new Blob([bytes], { type: "application/octet-stream" }));
      exportUrls.push(url);
      const link = document.createElement("a");
      link.href = url;
      link.download = name;
      link.id = `export-${name.replace(".", "-")}`;
      link.textContent = `Save ${name} (${bytes.length} bytes)`;
      return link;
    });
    $("export-links").replaceChildren(...links);
    links[0].focus();
    say(status, "Save both files into the desktop program's folder (beside its exe), replacing the old ones.");
  });

  // --- the HTML fader ----------------------------------------------------------------------
  offerFormats($("html-format"), $("html-format-summary"));
  $("html-controls").addEventListener("submit", (event) => {
    event.preventDefault();
    const colours = [1, 2, 3].map((k) => core.colourFromHex($(`html-colour-${k}`).value));
    const result = core.formatFade({ colours, text: $("html-line").value, format: $("html-format").value,
                                     wavy: $("html-wavy").checked });
    if (result.error !== undefined) {
      say($("html-status"), `${refusalText(result)} Nothing was added.`, { problem: true });
      return;
    }
    $("html-output").value += result.markup;
    say($("html-status"), "");
  });
  $("html-clear").addEventListener("click", () => {
    $("html-output").value = "";
  });
  $("html-copy").addEventListener("click", () => copyMarkup($("html-output").value, $("html-output"), $("html-status")));

  // --- start-up: the first saved scheme, as the desktop program starts ------------------------
  const loadProblem = store.load();
  showList();
  if (store.list.length > 0) apply(0);
  if (loadProblem) say(status, loadProblem, { problem: true });
  showStops();
  update();

  say($("status"), "");
  $("page").dataset.ready = "true";
  window.quelvaneCore = core; // for the benchmark and for curious users in the console
  window.quelvaneControls.release();
}

// After one visit the page works with no network: a service worker keeps its files. A new
// version of the site is fetched on a later visit; the page says when it is ready, and takes
// it when asked (else the next time every tab of the page was closed). Where the browser
// has no service workers, or refuses one, the page says that it needs the network.
async function keepOffline() {
  if (!("serviceWorker" in navigator)) {
    say($("status"), "This browser cannot keep the page for use offline: it needs the network each time.");
    return;
  }
  let registration;
  try {
    registration = await navigator.serviceWorker.register("sw.js");
  } catch (error) {
    say($("status"), `The page could not be kept for use offline (${error?.message ?? error}): it needs the network each time.`, { problem: true });
    return;
  }
  const offer = (worker) => {
    if (!worker || !navigator.serviceWorker.controller) return; // a first visit: nothing to replace
    $("update").hidden = false;
    $("update-take").onclick = () => worker.postMessage("take-update");
  };
  offer(registration.waiting);
  registration.addEventListener("updatefound", () => {
    const worker = registration.installing;
    worker?.addEventListener("statechange", () => {
      if (worker.state === "installed") offer(worker);
    });
  });
  let reloading = false;
  navigator.serviceWorker.addEventListener("controllerchange", () => {
    // Only when the user took an update: a first visit's worker taking over changes nothing.
    if ($("update").hidden || reloading) return;
    reloading = true;
    window.location.reload();
  });
}

start().then(() => {
  // Once the page is interactive, so that the worker's downloads do not slow the first paint.
  if ($("page").dataset.ready === "true") keepOffline();
});

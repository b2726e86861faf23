// The page in headless Chromium, used as a person would: typing, ticking, picking colours and
// files, pressing buttons. Each test has its own browser context, so its storage starts empty.
import { after, before, describe, test } from "node:test";
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import { cpSync, existsSync, mkdtempSync, readFileSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { launch, openPage, repoRoot, serve, siteDir } from "./browser.mjs";

const qfade = process.env.QF_QFADE ?? join(repoRoot, "build/native/bin/qfade");
const fixtures = join(repoRoot, "tests/fixtures/schemes");

let server;
let browser;
before(async () => {
  server = await serve();
  browser = await launch();
});
after(async () => {
  await browser?.close();
  await server?.close();
});

async function freshPage(options) {
  const context = await browser.createBrowserContext();
  const page = await openPage(context, server.url, options);
  page.context = context;
  return page;
}

async function closePage(page) {
  assert.deepEqual(page.problems, [], "the page reported no errors");
  await page.context.close();
}

// Sets colour input `selector` to `hex` as the colour picker would.
async function pickColour(page, selector, hex) {
  await page.$eval(selector, (input, value) => {
    input.value = value;
    input.dispatchEvent(new Event("input", { bubbles: true }));
  }, hex.toLowerCase());
}

async function setLine(page, text) {
  await page.$eval("#line", (input) => {
    input.value = "";
  });
  await page.type("#line", text);
}

const markupOf = (page) => page.$eval("#markup", (box) => box.value);

// Types `text` into the emptied limit box (empty text: no limit).
async function setLimit(page, text) {
  await page.$eval("#limit", (box) => {
    box.value = "";
    box.dispatchEvent(new Event("input", { bubbles: true }));
  });
  await page.type("#limit", text);
}

function runQfade(args) {
  assert.ok(existsSync(qfade), `qfade is built (${qfade}); scripts/test web builds it`);
  return execFileSync(qfade, args).toString("utf8").replace(/\n$/, "");
}

describe("the fader", () => {
  const stops = ["#00CCFF", "#FF0000", "#0044FF"];

  test("three stops give qfade's markup byte for byte: plain, wavy, styled, with an emoji", async () => {
    const page = await freshPage();
    for (const [k, hex] of stops.entries()) await pickColour(page, `#stop-${k + 1}`, hex);
    await page.select("#stop-count", "3");
    const colours = stops.join(",");

    await setLine(page, "Hello, chat room!");
    assert.deepEqual(Buffer.from(await markupOf(page)), Buffer.from(runQfade([colours, "Hello, chat room!"])));

    await page.click("#style-w");
    assert.equal(await markupOf(page), runQfade(["--wavy", colours, "Hello, chat room!"]));

    // B then S: the tag ticked last stands first, as on the desktop.
    await page.click("#style-b");
    await page.click("#style-s");
    const line = "Hi \u{1F600} there <3";
    await setLine(page, line);
    const expected = `<s><b>${runQfade(["--wavy", colours, line])}`;
    assert.deepEqual(Buffer.from(await markupOf(page)), Buffer.from(expected));
    await page.click("#style-s");
    await page.click("#style-w");
    assert.equal(await markupOf(page), `<b>${runQfade([colours, line])}`);
    await closePage(page);
  });

  test("the module's fade of long lines is qfade's byte for byte, in UTF-16 and in UTF-8, plain and wavy, with its length", async () => {
    // Long enough for the vector loop to write most pieces of every segment; one line of
    // single-unit characters (ASCII and not), one with surrogate pairs.
    const page = await freshPage();
    const ten = ["#FFCC00", "#0000FF", "#FF4400", "#00FF00", "#808080", "#123456", "#FFFFFF", "#000000", "#00FFFF", "#AB00CD"];
    for (const line of ["Fade <3 & más, naïve — ok. ".repeat(120), "Hi \u{1F600} there, \u{1F308}! ".repeat(110)]) {
      for (const wavy of [false, true]) {
        const made = await page.evaluate((hexes, text, w) => {
          const core = window.quelvaneCore;
          const colours = hexes.map((hex) => core.colourFromHex(hex));
          const result = core.formatFade({ colours, text, format: "aol", wavy: w });
          return [core.composeChatLine("", colours, text, w), result.markup, result.length];
        }, ten, line, wavy);
        const expected = Buffer.from(runQfade([...(wavy ? ["--wavy"] : []), ten.join(","), line]));
        assert.deepEqual(Buffer.from(made[0]), expected, `UTF-16 markup, wavy ${wavy}`);
        assert.deepEqual(Buffer.from(made[1]), expected, `UTF-8 markup, wavy ${wavy}`);
        assert.equal(made[2], [...made[1]].length, "its length in characters, a surrogate pair once");
      }
    }
    await closePage(page);
  });

  test("usable while the core is still compiling: what was typed, ticked and pressed is faded once it is ready", async () => {
    const context = await browser.createBrowserContext();
    const page = await context.newPage();
    const problems = [];
    page.on("pageerror", (error) => problems.push(error.message));
    // The WebAssembly is held back until the controls have been used.
    const held = [];
    await page.setRequestInterception(true);
    page.on("request", (request) => (request.url().endsWith("/quelvane.wasm") ? held.push(request) : request.continue()));
    await page.goto(server.url);
    await page.waitForFunction(() => !document.getElementById("fader-controls").disabled);
    assert.equal(await page.$eval("#page", (p) => p.dataset.ready), "false");
    await page.type("#line", "Early <3");
    await page.click("#style-b");
    await page.type("#html-line", "ab");
    await page.click("#html-generate");
    await page.click("#copy");
    assert.equal(held.length, 1, "the core's file was asked for once, and is still held");
    held[0].continue();
    await page.waitForSelector('#page[data-ready="true"]');
    assert.equal(await markupOf(page), `<b>${runQfade(["#FF0000,#FF8000,#FFFF00", "Early <3"])}`);
    assert.equal(await page.$eval("#html-output", (box) => box.value), runQfade(["#FF0000,#00FF00,#0000FF", "ab"]));
    await page.waitForFunction(() => /Copied|Ctrl\+C/.test(document.getElementById("status").textContent));
    assert.equal(page.url(), server.url, "Generate did not submit the form away");
    assert.deepEqual(problems, []);
    await context.close();
  });

  test("the preview has the fade's colours at the first and the last letter", async () => {
    const page = await freshPage();
    for (const [k, hex] of stops.entries()) await pickColour(page, `#stop-${k + 1}`, hex);
    await page.click("#style-b");
    await setLine(page, "Hello, this is the chat room H");
    const seen = await page.evaluate(async () => {
      // The preview is drawn at the next animation frame after a change.
      await new Promise((done) => requestAnimationFrame(() => requestAnimationFrame(done)));
      const markup = document.getElementById("markup").value;
      const tags = [...markup.matchAll(/<Font Color=#([0-9A-F]{6})>/g)].map((m) => m[1]);
      // Where the tag walker puts each letter, asked of the walker itself, measuring as the
      // preview measures.
      const { StepRecorder } = await import(new URL("preview.js", location.href));
      const cells = [];
      const recorder = new StepRecorder(document.createElement("canvas").getContext("2d"));
      recorder.printText = (x, y, text) => cells.push({ x, y, text });
      window.quelvaneCore.renderTags(markup, recorder);
      const canvas = document.getElementById("preview");
      const pixels = canvas.getContext("2d").getImageData(0, 0, canvas.width, canvas.height);
      // The colours drawn in the first and in the last letter's cell.
      const coloursIn = (cell, next) => {
        const found = new Set();
        for (let y = 0; y < pixels.height; ++y) {
          for (let x = Math.floor(cell.x); x < Math.ceil(next); ++x) {
            const i = (y * pixels.width + x) * 4;
            found.add([0, 1, 2].map((c) => pixels.data[i + c].toString(16).padStart(2, "0")).join("").toUpperCase());
          }
        }
        return found;
      };
      const first = coloursIn(cells[0], cells[1].x);
      const last = coloursIn(cells[cells.length - 1], canvas.width);
      return { first: tags[0], last: tags.at(-1), firstHas: first.has(tags[0]), lastHas: last.has(tags.at(-1)),
               firstHasLast: first.has(tags.at(-1)) };
    });
    assert.equal(seen.last, "0044FF");
    assert.ok(seen.firstHas, `the first letter is drawn in #${seen.first}`);
    assert.ok(seen.lastHas, `the last letter is drawn in #${seen.last}`);
    assert.ok(!seen.firstHasLast, "the first letter is not drawn in the last colour");
    await closePage(page);
  });

  test("with the keyboard alone: type, choose 5 colours, tick bold, Copy to the clipboard", async () => {
    const page = await freshPage();
    await page.context.overridePermissions(server.url, ["clipboard-read", "clipboard-write", "clipboard-sanitized-write"]);
    await page.focus("#line");
    await page.keyboard.type("Keys only");
    await page.keyboard.press("Tab"); // the background colour
    await page.keyboard.press("Tab"); // the number of colours
    assert.equal(await page.evaluate(() => document.activeElement.id), "stop-count");
    await page.keyboard.press("ArrowDown");
    await page.keyboard.press("ArrowDown");
    assert.equal(await page.$eval("#stop-count", (box) => box.value), "5");
    await page.focus("#style-b");
    await page.keyboard.press("Space");
    const markup = await markupOf(page);
    assert.match(markup, /^<b><Font Color=#/);
    assert.equal(markup.match(/<Font Color=/g).length, "Keys only".length);
    await page.focus("#copy");
    await page.keyboard.press("Enter");
    await page.waitForFunction(() => /Copied/.test(document.getElementById("status").textContent));
    assert.equal(await page.evaluate(() => navigator.clipboard.readText()), markup);
    await closePage(page);
  });

  test("the HTML fader adds one block of FadeThreeColors markup per Generate, in the format chosen", async () => {
    const page = await freshPage();
    const output = () => page.$eval("#html-output", (box) => box.value);
    await page.type("#html-line", "a<b");
    await page.click("#html-generate");
    await page.click("#html-wavy");
    await page.focus("#html-line");
    await page.keyboard.press("Enter");
    await page.select("#html-format", "html");
    await page.click("#html-generate");
    const three = "#FF0000,#00FF00,#0000FF";
    const expected = runQfade([three, "a<b"]) + runQfade(["--wavy", three, "a<b"]) +
                     runQfade(["--format", "html", "--wavy", three, "a<b"]);
    assert.equal(await output(), expected);

    // Wavy bbcode is refused out loud, and nothing is added.
    await page.select("#html-format", "bbcode");
    await page.click("#html-generate");
    assert.match(await page.$eval("#html-status", (s) => s.textContent),
                 /^The bbcode format has no raised or lowered text.*untick W.*Nothing was added/);
    assert.equal(await output(), expected);
    await page.click("#html-clear");
    assert.equal(await page.$eval("#html-output", (box) => box.value), "");
    await closePage(page);
  });

  test("every format, with and without a limit, gives qfade's markup for the same request", async () => {
    // The formats as qfade lists them: the name first, "wavy" where the format has a wave.
    const listed = runQfade(["--list-formats"]).split("\n").map((row) => row.split(/\s+/));
    const page = await freshPage();
    for (const [k, hex] of stops.entries()) await pickColour(page, `#stop-${k + 1}`, hex);
    assert.deepEqual(await page.$$eval("#format option", (options) => options.map((o) => o.value)),
                     listed.map(([name]) => name));
    assert.equal(await page.$eval("#format", (box) => box.value), "aol");
    // Escapes of every format, and an emoji (one character of two UTF-16 units).
    const line = "Hi <3 & [x] \\ &a \u{1F600} wave";
    await setLine(page, line);
    // B then U: the desktop's prefix is "<u><b>", where qfade writes "<b><u>".
    await page.click("#style-b");
    await page.click("#style-u");
    const colours = stops.join(",");
    const info = () => page.$eval("#markup-info", (p) => p.textContent);

    for (const [name, wave] of listed) {
      await page.select("#format", name);
      const wavy = wave === "wavy";
      if (wavy !== await page.$eval("#style-w", (box) => box.checked)) await page.click("#style-w");
      const args = ["--format", name, "--bold", "--underline", ...(wavy ? ["--wavy"] : [])];
      const expected = (max) => {
        const markup = runQfade([...args, ...(max ? ["--max", String(max)] : []), colours, line]);
        return name === "aol" ? `<u><b>${markup.slice("<b><u>".length)}` : markup;
      };

      await setLimit(page, "");
      const plain = await markupOf(page);
      assert.deepEqual(Buffer.from(plain), Buffer.from(expected(0)), name);
      assert.equal(await info(), `${[...plain].length} characters.`, name);

      const limit = Math.floor([...plain].length * 0.6);
      await setLimit(page, String(limit));
      const fitted = await markupOf(page);
      assert.deepEqual(Buffer.from(fitted), Buffer.from(expected(limit)), `${name} --max ${limit}`);
      assert.ok([...fitted].length <= limit, `${name}: ${[...fitted].length} characters within ${limit}`);
      assert.match(await info(), new RegExp(`^${[...fitted].length} characters\\. Fitted to ${limit}: \\d+ characters per colour\\.$`), name);
    }
    await closePage(page);
  });

  test("the limit says the group size it took; what cannot be made is said, never shown cut", async () => {
    const page = await freshPage();
    const info = () => page.$eval("#markup-info", (p) => ({ text: p.textContent, problem: p.classList.contains("problem") }));
    const previewSteps = () => page.evaluate(async () => {
      await new Promise((done) => requestAnimationFrame(() => requestAnimationFrame(done)));
      return document.getElementById("preview").previewSteps.length;
    });
    await setLine(page, "Hello");
    // Five letters of tags of 20 characters: 105 characters a colour per letter; in pairs 65;
    // in threes 45.
    await setLimit(page, "60");
    assert.deepEqual(await info(), { text: "45 characters. Fitted to 60: 3 characters per colour.", problem: false });
    assert.equal((await markupOf(page)).match(/<Font Color=/g).length, 2);

    await setLimit(page, "20");
    assert.deepEqual(await info(), { text: "Does not fit: the line takes 25 characters even in one colour, " +
                                           "5 more than the limit of 20.", problem: true });
    assert.equal(await markupOf(page), "");
    assert.equal(await previewSteps(), 0, "the preview draws nothing");
    await page.click("#copy");
    assert.match(await page.$eval("#status", (s) => s.textContent), /^Nothing to copy: Does not fit/);

    await setLimit(page, "0");
    assert.match((await info()).text, /limit must be a whole number/);
    assert.equal(await markupOf(page), "");
    await setLimit(page, "200");
    assert.deepEqual(await info(), { text: "105 characters, within the limit of 200.", problem: false });

    // W with a format that has no raised text, and text a format cannot carry.
    await page.click("#style-w");
    await page.select("#format", "bbcode");
    assert.match((await info()).text, /^The bbcode format has no raised or lowered text, so it cannot be wavy: untick W, or choose aol or html\.$/);
    assert.equal(await markupOf(page), "");
    await page.select("#format", "html");
    assert.match(await markupOf(page), /^<span style="color:#[0-9A-F]{6}"><sup>H<\/sup>/);
    await page.click("#style-w");
    await page.select("#format", "mc-hex");
    await setLine(page, "\u00A7a red?");
    assert.match((await info()).text, /^The mc-hex format cannot carry "\u00A7" \(character 1\)/);
    assert.equal(await markupOf(page), "");
    assert.equal(await previewSteps(), 0);
    await closePage(page);
  });

  test("the preview shows html as a browser shows the markup: each letter's colour, the styles, the wave", async () => {
    const page = await freshPage();
    await page.select("#format", "html");
    // Underlined, every space's colour shows, so the markup gives each space its own.
    await page.click("#style-b");
    await page.click("#style-u");
    await page.click("#style-w");
    await setLine(page, "Waves \u{1F30A} & <tags> roll in groups");
    await setLimit(page, "700");
    assert.match(await page.$eval("#markup-info", (p) => p.textContent), /Fitted to 700: [2-9] characters per colour/);
    const { steps, read } = await page.evaluate(async () => {
      await new Promise((done) => requestAnimationFrame(() => requestAnimationFrame(done)));
      // The markup as the browser reads it: each character, its colour, raised or lowered.
      const holder = document.createElement("div");
      holder.innerHTML = document.getElementById("markup").value;
      document.body.append(holder);
      const read = [];
      const walker = document.createTreeWalker(holder, NodeFilter.SHOW_TEXT);
      for (let node = walker.nextNode(); node; node = walker.nextNode()) {
        const parent = node.parentElement;
        for (const text of node.data) {
          read.push({ text, colour: getComputedStyle(parent).color, bold: getComputedStyle(parent).fontWeight === "700",
                      underline: parent.closest("u") !== null, shift: parent.closest("sup") ? -1 : parent.closest("sub") ? 1 : 0 });
        }
      }
      holder.remove();
      const { cssColour } = await import(new URL("preview.js", location.href));
      const steps = document.getElementById("preview").previewSteps.map((step) => ({
        text: step.text, colour: cssColour(step.colour), bold: /\bbold\b/.test(step.font), underline: step.underline,
        shift: Math.sign(step.y) }));
      return { steps, read };
    });
    assert.deepEqual(steps, read);
    assert.ok(new Set(read.map((r) => r.colour)).size > 3, "several colours");
    await closePage(page);
  });

  test("a long line's markup: the box holds it whole at the next frame, and Copy or a selection by hand copies it byte for byte", async () => {
    const page = await freshPage();
    await page.context.overridePermissions(server.url, ["clipboard-read", "clipboard-write", "clipboard-sanitized-write"]);
    const line = "Long line <3 & more, ".repeat(100);
    await page.$eval("#line", (input, text) => {
      input.value = text.slice(0, -1);
      input.focus();
    }, line);
    await page.keyboard.type(line.slice(-1));
    const expected = runQfade(["#FF0000,#FF8000,#FFFF00", line]);
    assert.ok(expected.length > 30000);
    const atNextFrame = await page.evaluate(() => new Promise((done) => requestAnimationFrame(() => {
      done(document.getElementById("markup").value);
    })));
    assert.deepEqual(Buffer.from(atNextFrame), Buffer.from(expected));
    await page.click("#copy");
    await page.waitForFunction(() => /Copied/.test(document.getElementById("status").textContent));
    assert.equal(await page.evaluate(() => navigator.clipboard.readText()), expected);

    // By hand: Ctrl+A in the box selects the markup alone; its copy adds nothing between the
    // box's blocks. A selection from inside one block into another copies just that span.
    await page.evaluate(() => navigator.clipboard.writeText(""));
    await page.focus("#markup");
    await page.keyboard.down("Control");
    await page.keyboard.press("KeyA");
    await page.keyboard.up("Control");
    const copy = () => page.evaluate(() => {
      document.execCommand("copy");
      return navigator.clipboard.readText();
    });
    assert.equal(await copy(), expected);
    const span = await page.evaluate(() => {
      const box = document.getElementById("markup");
      const [first, second] = box.children;
      getSelection().setBaseAndExtent(first.firstChild, 5, second.firstChild, 7);
      return { blocks: box.children.length, length: first.textContent.length };
    });
    assert.ok(span.blocks > 2, `the markup is in ${span.blocks} blocks`);
    assert.equal(await copy(), expected.slice(5, span.length + 7));
    await closePage(page);
  });

  test("the preview at 360 pixels, twice the pixel density, zoom 3: sharp, the whole line reachable, the caret's end in view in its colours", async () => {
    const page = await freshPage({ width: 360, height: 740 });
    await page.setViewport({ width: 360, height: 740, deviceScaleFactor: 2 });
    await page.select("#preview-zoom", "3");
    await setLine(page, "A line far wider than the strip, ending in blue");
    const seen = await page.evaluate(async () => {
      await new Promise((done) => requestAnimationFrame(() => requestAnimationFrame(done)));
      const canvas = document.getElementById("preview");
      const strip = document.getElementById("preview-strip");
      const steps = canvas.previewSteps;
      const last = steps.at(-1);
      // The last letter's box on the canvas, in device pixels (the strip scrolled to the caret).
      const scale = 2 * 3;
      const left = Math.round((last.x * 3 - strip.scrollLeft) * 2);
      const pixels = canvas.getContext("2d").getImageData(left, 0, Math.ceil(last.width * scale), canvas.height).data;
      const colours = new Set();
      for (let i = 0; i < pixels.length; i += 4) colours.add((pixels[i + 2] << 16) | (pixels[i + 1] << 8) | pixels[i]);
      return { backing: [canvas.width, canvas.height], css: [canvas.clientWidth, canvas.clientHeight],
               lineWidth: (last.x + last.width) * 3, scrollable: strip.scrollWidth, pageWidth: document.documentElement.scrollWidth,
               lastColour: last.colour, lastDrawn: colours.has(last.colour), inView: left >= 0 && left < canvas.width };
    });
    assert.deepEqual(seen.backing, seen.css.map((size) => size * 2), "drawn at the screen's pixel density");
    assert.ok(seen.scrollable >= seen.lineWidth, `the strip scrolls over the whole line (${seen.scrollable} >= ${seen.lineWidth})`);
    assert.ok(seen.pageWidth <= 360, `the page is ${seen.pageWidth} pixels wide`);
    assert.ok(seen.inView && seen.lastDrawn, `the last letter is in view, drawn in ${seen.lastColour.toString(16)}`);
    await closePage(page);
  });

  test("readable at 360 pixels wide: nothing runs off the side", async () => {
    const page = await freshPage({ width: 360, height: 740 });
    await setLine(page, "A long line that is much wider than the phone it is typed on, faded");
    const widths = await page.evaluate(() => ({
      page: document.documentElement.scrollWidth,
      fontSize: parseFloat(getComputedStyle(document.getElementById("line")).fontSize),
    }));
    assert.ok(widths.page <= 360, `the page is ${widths.page} pixels wide`);
    assert.ok(widths.fontSize >= 14);
    await closePage(page);
  });
});

describe("schemes", () => {
  const hex = (value) => `#${[0, 8, 16].map((s) => ((value >> s) & 0xff).toString(16).padStart(2, "0")).join("")}`;
  const warm = [255, 33023, 65535, 65280, 16776960, 16711680, 16711935, 8421504, 16777215, 0];
  const cool = [16711680, 16744448, 16776960, 8453888, 65280, 128, 32896, 8388736, 12632256, 4210752];

  async function stopColours(page) {
    return page.$$eval("#stops input", (inputs) => inputs.map((input) => input.value));
  }

  async function save(page, name, colours) {
    for (const [k, value] of colours.entries()) await pickColour(page, `#stop-${k + 1}`, hex(value));
    await page.$eval("#scheme-name", (input) => {
      input.value = "";
    });
    await page.type("#scheme-name", name);
    await page.click("#scheme-save");
  }

  async function exported(page) {
    await page.click("#export");
    return page.evaluate(async () => {
      const bytes = async (id) => [...new Uint8Array(await (await fetch(document.getElementById(id).href)).arrayBuffer())];
      return { list: await bytes("export-scheme-lst"), colours: await bytes("export-color-dat") };
    });
  }

  async function importFiles(page, listPath, colourPath) {
    await (await page.$("#import-list")).uploadFile(listPath);
    await (await page.$("#import-colours")).uploadFile(colourPath);
    await page.$eval("#scheme-status", (status) => status.replaceChildren());
    await page.click("#import");
    await page.waitForFunction(() => document.getElementById("scheme-status").textContent !== "");
    return page.$eval("#scheme-status", (status) => status.textContent);
  }

  test("saves and a remove export the very files the desktop program writes", async () => {
    const page = await freshPage();
    await save(page, "Sunset", warm);
    await save(page, "Red, Blue", cool);
    await save(page, "  lead", [...warm].reverse());
    await save(page, "Caf\u00E9", cool);
    await save(page, "Blue", Array(10).fill(16711680));
    await save(page, "BLUE", Array(10).fill(255));
    await save(page, "Sunset", cool);
    await page.select("#scheme-list", "1");
    await page.click("#scheme-remove");
    const files = await exported(page);
    assert.deepEqual(Buffer.from(files.list), readFileSync(join(fixtures, "scheme.lst")));
    assert.deepEqual(Buffer.from(files.colours), readFileSync(join(fixtures, "color.dat")));

    // The schemes outlive the page; choosing one applies it.
    await page.reload();
    await page.waitForSelector('#page[data-ready="true"]');
    assert.deepEqual(await page.$$eval("#scheme-list option", (options) => options.map((o) => o.textContent)),
                     ["Sunset", "  lead", "Caf\u00E9", "Blue", "BLUE", "Sunset"]);
    assert.deepEqual(await stopColours(page), cool.map(hex), "start-up applies the first scheme");
    await page.select("#scheme-list", "3");
    assert.deepEqual(await stopColours(page), Array(10).fill("#ff0000"), "Blue shares BLUE's section");
    await closePage(page);
  });

  test("names the desktop cannot store are refused with the reason", async () => {
    const page = await freshPage();
    for (const [name, reason] of [["", /Please choose a name/], ["\u65E5\u672C", /code page 1252/],
                                  ["[x]", /square brackets/], ["a\"b", /double quote/]]) {
      await save(page, name, warm);
      assert.match(await page.$eval("#scheme-status", (s) => s.textContent), reason);
    }
    assert.equal(await page.$$eval("#scheme-list option", (options) => options.length), 0);
    await page.click("#scheme-remove");
    assert.match(await page.$eval("#scheme-status", (s) => s.textContent), /please select a scheme to remove/);
    await closePage(page);
  });

  test("importing the desktop's files applies their first scheme and exports them unchanged", async () => {
    const page = await freshPage();
    const status = await importFiles(page, join(fixtures, "scheme.lst"), join(fixtures, "color.dat"));
    assert.match(status, /Imported 6 schemes; applied “Sunset”/);
    assert.deepEqual(await stopColours(page), cool.map(hex));
    await page.select("#scheme-list", "1");
    assert.deepEqual(await stopColours(page), [...warm].reverse().map(hex), "“  lead” reads section [lead]");
    const files = await exported(page);
    assert.deepEqual(Buffer.from(files.list), readFileSync(join(fixtures, "scheme.lst")));
    assert.deepEqual(Buffer.from(files.colours), readFileSync(join(fixtures, "color.dat")));
    await closePage(page);
  });

  test("a damaged pair imports what it can, says what it skipped, and asks before replacing", async () => {
    const dir = mkdtempSync(join(tmpdir(), "qf-web-import-"));
    writeFileSync(join(dir, "scheme.lst"), Buffer.from("Good\r\nHalf\r\nGhost\r\n\r\nCaf\xE9\r\nOdd", "latin1"));
    writeFileSync(join(dir, "color.dat"), Buffer.from(
      "[Good]\r\nFade1=255\r\nFade2=65280\r\nFade3=16711680\r\nFade4=0\r\nFade5=0\r\nFade6=0\r\nFade7=0\r\n" +
      "Fade8=0\r\nFade9=0\r\nFade10=0\r\n\u0000garbage\r\n[half]\r\nfade1 = 65535 \r\nFade2=red\r\n" +
      "[CAF\xC9]\r\nFade1=1\r\n[Odd]\r\nFade1=255\r\nFade2=-1\r\nFade3=16777216\r\n", "latin1"));

    const page = await freshPage();
    await save(page, "Mine", warm);
    page.once("dialog", (dialog) => dialog.dismiss());
    assert.match(await importFiles(page, join(dir, "scheme.lst"), join(dir, "color.dat")), /cancelled/);
    assert.deepEqual(await page.$$eval("#scheme-list option", (o) => o.map((x) => x.textContent)), ["Mine"]);

    let question = "";
    page.once("dialog", (dialog) => {
      question = dialog.message();
      dialog.accept();
    });
    const status = await importFiles(page, join(dir, "scheme.lst"), join(dir, "color.dat"));
    assert.match(question, /Replace the 1 scheme kept in this browser with the 6/);
    assert.match(status, /Imported 6 schemes; applied “Good”/);
    assert.match(status, /1 empty entry/);
    assert.match(status, /“Half”: Fade2: red is not a colour; Fade3, .*Fade10 skipped/);
    assert.match(status, /“Ghost”: no colours/);
    // Windows may take É and é for one letter in a section name: [CAFÉ] is read for Café.
    assert.match(status, /“Café”: Fade2, .*Fade10 skipped/);
    // Values the desktop refuses as colours are named, not painted.
    assert.match(status, /“Odd”: Fade2: -1 is not a colour; Fade3: 16777216 is not a colour; Fade4, .*Fade10 skipped/);
    assert.match(status, /line 12 is neither/);
    const colours = await stopColours(page);
    assert.deepEqual(colours.slice(0, 3), ["#ff0000", "#00ff00", "#0000ff"]);
    await page.select("#scheme-list", "1");
    assert.deepEqual((await stopColours(page)).slice(0, 2), ["#ffff00", "#00ff00"], "Half sets Fade1 only");
    await page.select("#scheme-list", "4");
    assert.deepEqual((await stopColours(page)).slice(0, 2), ["#010000", "#00ff00"], "Café sets Fade1 from [CAFÉ]");
    await page.select("#scheme-list", "5");
    assert.deepEqual((await stopColours(page)).slice(0, 3), ["#ff0000", "#00ff00", "#0000ff"], "Odd sets Fade1 only");
    await closePage(page);
  });

  test("a list the desktop program would not read is neither imported nor made by a save", async () => {
    const dir = mkdtempSync(join(tmpdir(), "qf-web-bounds-"));
    const listFile = (text) => {
      writeFileSync(join(dir, "scheme.lst"), text);
      return join(dir, "scheme.lst");
    };
    const colourFile = join(dir, "color.dat");
    writeFileSync(colourFile, "[x]\r\nFade1=255\r\n");
    const lines = (count, length, end) => `${"n".repeat(length)}${end}`.repeat(count);
    const names = (page) => page.$eval("#scheme-list", (list) => list.options.length);
    const page = await freshPage();
    page.on("dialog", (dialog) => dialog.accept());

    // 16,384 lines of 256 bytes are 4 MiB, the most the desktop reads.
    for (const [list, refusal] of [["x\r\n".repeat(32768), /more than 32,767 entries/],
                                  [lines(16384, 254, "\r\n") + "x", /is 4,194,305 bytes/],
                                  [lines(16384, 255, "\n"), /would be 4,210,688 bytes as the desktop program writes it/]]) {
      assert.match(await importFiles(page, listFile(list), colourFile), refusal);
      assert.match(await page.$eval("#scheme-status", (s) => s.textContent), /nothing was imported/);
      assert.equal(await names(page), 0);
    }

    assert.match(await importFiles(page, listFile(lines(16384, 254, "\r\n")), colourFile), /Imported 16384 schemes/);
    await save(page, "x", warm);
    assert.match(await page.$eval("#scheme-status", (s) => s.textContent), /larger than the 4,194,304 bytes/);
    assert.equal(await names(page), 16384);

    assert.match(await importFiles(page, listFile("x\r\n".repeat(32767)), colourFile), /Imported 32767 schemes/);
    await save(page, "y", warm);
    assert.match(await page.$eval("#scheme-status", (s) => s.textContent), /at most 32,767 schemes/);
    assert.equal(await names(page), 32767);
    await closePage(page);
  });
});

describe("offline and installable", () => {
  test("the manifest parses, installs standalone and names icons that exist at their sizes", async () => {
    const page = await freshPage();
    const found = await page.evaluate(async () => {
      const link = document.querySelector('link[rel="manifest"]');
      const manifest = await (await fetch(link.href)).json();
      const icons = [];
      for (const icon of manifest.icons) {
        const response = await fetch(new URL(icon.src, link.href));
        const bytes = new DataView(await response.arrayBuffer());
        // A PNG: its signature, then the IHDR chunk with the width and height.
        icons.push({ sizes: icon.sizes, ok: response.ok, png: bytes.getUint32(0) === 0x89504e47,
                     size: `${bytes.getUint32(16)}x${bytes.getUint32(20)}` });
      }
      return { manifest, icons };
    });
    assert.equal(found.manifest.name, "Quelvane Fader");
    assert.equal(found.manifest.display, "standalone");
    assert.ok(found.manifest.start_url && found.manifest.theme_color && found.manifest.background_color);
    assert.ok(found.icons.some((icon) => icon.sizes === "192x192") && found.icons.some((icon) => icon.sizes === "512x512"));
    for (const icon of found.icons) assert.deepEqual(icon, { sizes: icon.sizes, ok: true, png: true, size: icon.sizes });
    await closePage(page);
  });

  test("after one visit, with no network: the page loads, fades exactly and has its saved scheme", async () => {
    // A server of its own, shut down before the reload: nothing can come from the network.
    const own = await serve();
    const context = await browser.createBrowserContext();
    const page = await openPage(context, own.url);
    await page.evaluate(() => navigator.serviceWorker.ready.then(() => new Promise((done) => {
      if (navigator.serviceWorker.controller) done();
      else navigator.serviceWorker.addEventListener("controllerchange", done);
    })));
    await page.type("#scheme-name", "Offline");
    await page.click("#scheme-save");
    await page.setOfflineMode(true);
    await own.close();

    await page.reload();
    await page.waitForSelector('#page[data-ready="true"]', { timeout: 20000 });
    assert.deepEqual(await page.$$eval("#scheme-list option", (options) => options.map((o) => o.textContent)), ["Offline"]);
    await pickColour(page, "#stop-1", "#00CCFF");
    await pickColour(page, "#stop-2", "#FF0000");
    await page.select("#stop-count", "2");
    await setLine(page, "No network <3");
    assert.deepEqual(Buffer.from(await markupOf(page)), Buffer.from(runQfade(["#00CCFF,#FF0000", "No network <3"])));
    assert.deepEqual(page.problems, [], "the page reported no errors");
    await context.close();
  });

  test("a new version of the site is offered on the next visit and replaces the kept one when taken", async () => {
    // A copy of the site, changed as a new build would change it (its worker stamped again).
    const dir = mkdtempSync(join(tmpdir(), "qf-web-update-"));
    cpSync(siteDir, dir, { recursive: true });
    const own = await serve(dir);
    const context = await browser.createBrowserContext();
    const page = await openPage(context, own.url);
    await page.evaluate(() => navigator.serviceWorker.ready.then(() => new Promise((done) => {
      if (navigator.serviceWorker.controller) done();
      else navigator.serviceWorker.addEventListener("controllerchange", done);
    })));
    assert.equal(await page.$eval("#update", (p) => p.hidden), true, "a first visit offers no update");
    const index = join(dir, "index.html");
    writeFileSync(index, readFileSync(index, "utf8").replace("<h1>Quelvane Fader</h1>", "<h1>Quelvane Fader, new</h1>"));
    execFileSync("python3", [join(repoRoot, "web/build_tools/stamp_site.py"), join(repoRoot, "web/sw.js.in"), dir]);

    await page.reload();
    await page.waitForSelector('#page[data-ready="true"]');
    assert.equal(await page.$eval("h1", (h) => h.textContent), "Quelvane Fader", "the kept version until the update is taken");
    await page.waitForSelector("#update:not([hidden])", { timeout: 10000 });
    await Promise.all([page.waitForNavigation(), page.click("#update-take")]);
    await page.waitForSelector('#page[data-ready="true"]');
    assert.equal(await page.$eval("h1", (h) => h.textContent), "Quelvane Fader, new");
    assert.deepEqual(page.problems, [], "the page reported no errors");
    await context.close();
    await own.close();
  });
});

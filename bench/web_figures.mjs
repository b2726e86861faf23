// The web page's figures on this machine, in one run:
//   - the WebAssembly fade of the benchmark line (32,767 characters, 10 stops, plain and wavy)
//     in headless Chromium, beside the native fade_bench figure for the same line and colours,
//     the two measured in turns (several rounds, native then WebAssembly), so a busy machine
//     slows both alike; native's two-lane (SSE2) loop is shown beside its best, being the same
//     vector width as WebAssembly's; "engine" is the fade alone, timed inside the module
//     (fadeMilliseconds: the text crosses once, before the clock starts), "text in + fade" adds
//     the text's crossing into the module on every call (fadedLength), "+ string" includes
//     handing the markup to JavaScript as a string (composeChatLine), and "page's formatFade"
//     is what the page calls per keystroke (aol, through the formatting layer, the markup
//     handed over as a string);
//   - a keystroke end to end in every format, in a line of 100 and of 32,767 characters: from
//     the input event to the preview drawn at the next frame, as the page measures it, and the
//     page's own work in that (its input handler and its drawing, without the frame's wait),
//     beside an empty page's keystroke to its next frame (the display's share);
//   - the page's time from navigation to interactive (the mark the page sets when its controls
//     are enabled) and to its first paint, over first loads (fresh context) and second loads,
//     with the bytes moved, beside an empty page's first load in the same run (the machine's
//     floor at that moment).
// Needs the web build, the native build of fade_bench and the test packages, e.g.:
//   scripts/test web && cmake --build --preset native --target fade_bench
//   node bench/web_figures.mjs [--rounds N] [--loads N] [--keys N]
import { execFileSync } from "node:child_process";
import { existsSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { launch, openPage, repoRoot, serve } from "../web/test/browser.mjs";

const option = (name, fallback) => {
  const at = process.argv.indexOf(name);
  return at > 0 ? Number(process.argv[at + 1]) || fallback : fallback;
};
const rounds = option("--rounds", 5);
const loads = option("--loads", 9);
const keys = option("--keys", 15);
// --only fade|keys|loads: that part alone.
const only = process.argv.includes("--only") ? process.argv[process.argv.indexOf("--only") + 1] : null;
const part = (name) => only === null || only === name;
const fadeBench = join(repoRoot, "build/native/bin/fade_bench");

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

// fade_bench's BM_FadeTenColors, milliseconds per fade, by wavy flag: the faster of its two
// loop widths, which is the one the program takes on this machine ("best"), and its two-lane
// (SSE2) loop, the same 128-bit vectors as WebAssembly's ("2-lane"). (fade_bench prints its own
// table on the console, so the figures are read from the JSON file it writes beside it.)
function nativeFigures() {
  if (!existsSync(fadeBench)) return null;
  const dir = mkdtempSync(join(tmpdir(), "qf-web-figures-"));
  const file = join(dir, "fade_bench.json");
  execFileSync(fadeBench, ["--benchmark_filter=BM_FadeTenColors", "--benchmark_min_time=0.5",
                           `--benchmark_out=${file}`, "--benchmark_out_format=json"], { stdio: "ignore" });
  const runs = JSON.parse(readFileSync(file, "utf8")).benchmarks;
  rmSync(dir, { recursive: true });
  const ms = (b) => b.real_time * { ns: 1e-6, us: 1e-3, ms: 1 }[b.time_unit];
  const of = (wavy) => runs.filter((b) => b.name.includes(`wavy:${wavy}/`));
  const best = (wavy) => Math.min(...of(wavy).map(ms));
  const twoLanes = (wavy) => ms(of(wavy).find((b) => b.name.endsWith("lanes:2")));
  return { plain: best(0), wavy: best(1), plain2: twoLanes(0), wavy2: twoLanes(1) };
}

// The same line and colours as bench/fade_bench.cpp, timed in the page.
async function wasmFigures(page) {
  return page.evaluate(() => {
    const core = window.quelvaneCore;
    const pattern = "Quelvane Fader: the quick brown fox <jumps> & runs. ";
    const line = pattern.repeat(Math.ceil(32767 / pattern.length)).slice(0, 32767);
    const colours = [0xffcc00, 0x0000ff, 0xff4400, 0x00ff00, 0x808080,
                     0x123456, 0xffffff, 0x000000, 0x00ffff, 0xab00cd];
    // Batches of runs for about half a second; the median of the batches' time per run.
    const time = (work) => {
      for (let i = 0; i < 5; ++i) work();
      const perRun = [];
      const end = performance.now() + 500;
      while (performance.now() < end || perRun.length < 5) {
        const start = performance.now();
        for (let i = 0; i < 5; ++i) work();
        perRun.push((performance.now() - start) / 5);
      }
      return perRun.sort((a, b) => a - b)[Math.floor(perRun.length / 2)];
    };
    // The fade alone, timed inside the module (its clock, which counts in steps of 0.1 ms, over
    // 50 fades a call): the median of the calls made in about half a second.
    const engine = (wavy) => {
      const perRun = [];
      const end = performance.now() + 500;
      while (performance.now() < end || perRun.length < 5) perRun.push(core.fadeMilliseconds(colours, line, wavy, 50));
      return perRun.sort((a, b) => a - b)[Math.floor(perRun.length / 2)];
    };
    const result = {};
    for (const [name, wavy] of [["plain", false], ["wavy", true]]) {
      result[name] = {
        engine: engine(wavy),
        textIn: time(() => core.fadedLength(colours, line, wavy)),
        string: time(() => core.composeChatLine("", colours, line, wavy).length),
        page: time(() => core.formatFade({ colours, text: line, format: "aol", wavy }).markup.length),
      };
    }
    return result;
  });
}

// A keystroke end to end, as the page measures it (from the input event to the preview drawn
// at the next animation frame): in a line of `length` characters with 10 stops, in `format`,
// the median of `count` keys (a letter, then Backspace, in turns, at the end of the line).
async function keystrokeTimes(page, format, length, count) {
  await page.select("#stop-count", "10");
  await page.select("#format", format);
  await page.$eval("#line", (input, n) => {
    const pattern = "Quelvane Fader: the quick brown fox <jumps> & runs. ";
    input.value = pattern.repeat(Math.ceil(n / pattern.length)).slice(0, n - 1);
    input.dispatchEvent(new Event("input", { bubbles: true }));
    input.focus();
    input.setSelectionRange(input.value.length, input.value.length);
  }, length);
  return { ...await timeKeys(page, count), markupLength: await page.$eval("#markup", (box) => box.value.length) };
}

// `count` keys in the page's line (a letter, then Backspace, in turns), each from its input
// event to the page's "quelvane-keystroke" measure: the median, least and most, and the median
// of the page's own work in them.
async function timeKeys(page, count) {
  const times = [];
  for (let i = 0; i < count + 2; ++i) {
    await page.evaluate(() => new Promise((done) => requestAnimationFrame(() => requestAnimationFrame(done))));
    await page.evaluate(() => performance.clearMeasures());
    await page.keyboard.press(i % 2 ? "Backspace" : "KeyX");
    const ms = await page.evaluate(() => new Promise((done) => {
      const look = () => {
        const [entry] = performance.getEntriesByName("quelvane-keystroke");
        if (entry) done([entry.duration, performance.getEntriesByName("quelvane-keystroke-work")[0].duration]);
        else requestAnimationFrame(look);
      };
      look();
    }));
    if (i >= 2) times.push(ms); // the first two warm the caches
  }
  const all = times.map(([total]) => total);
  return { ms: median(all), min: Math.min(...all), max: Math.max(...all), work: median(times.map(([, work]) => work)) };
}

// First loads (a fresh browser context each: empty cache and storage) and second loads (the
// same context again, as a returning visitor), to interactive (the mark the page sets when its
// controls are enabled), with the bytes transferred on each.
async function loadTimes(browser, url) {
  const first = [];
  const second = [];
  const measure = (page) => page.evaluate(() => {
    const entries = [performance.getEntriesByType("navigation")[0], ...performance.getEntriesByType("resource")];
    return {
      ms: performance.getEntriesByName("quelvane-interactive")[0].startTime,
      paint: performance.getEntriesByName("first-contentful-paint")[0]?.startTime ?? NaN,
      transferred: entries.reduce((sum, e) => sum + e.transferSize, 0),
      files: entries.map((e) => ({ name: e.name.replace(/^.*\//, "") || "index.html", transferred: e.transferSize, size: e.decodedBodySize })),
    };
  });
  for (let i = 0; i < loads; ++i) {
    const context = await browser.createBrowserContext();
    const page = await openPage(context, url);
    first.push(await measure(page));
    await page.close();
    // Whatever the page sets up for later visits (a service worker) is given a moment.
    await new Promise((done) => setTimeout(done, 300));
    const again = await openPage(context, url);
    second.push(await measure(again));
    await context.close();
  }
  return { first, second };
}

// The floor of a first load on this machine at this moment: a page of one line that sets the
// same mark at once, loaded the same way in the same run. Its one text box answers a keystroke
// with nothing but the same measure at the next frame: the floor of a keystroke, which is the
// wait for the display's next frame.
const emptyDir = mkdtempSync(join(tmpdir(), "qf-web-empty-"));
writeFileSync(join(emptyDir, "index.html"), '<!doctype html><title>empty</title><main id="page"><input id="line"></main>' +
  '<script>performance.mark("quelvane-interactive"); document.getElementById("page").dataset.ready = "true";' +
  'document.getElementById("line").addEventListener("input", (event) => requestAnimationFrame(() => {' +
  '  performance.measure("quelvane-keystroke", { start: event.timeStamp, end: performance.now() });' +
  '  performance.measure("quelvane-keystroke-work", { start: 0, duration: 0 }); }));</script>');
const emptyServer = await serve(emptyDir);
const server = await serve();
const browser = await launch();
try {
  const page = await openPage(browser, server.url);
  const measured = [];
  for (let round = 0; round < (part("fade") ? rounds : 0); ++round) {
    measured.push({ native: nativeFigures(), wasm: await wasmFigures(page) });
  }
  const keystrokes = [];
  const formats = await page.$$eval("#format option", (options) => options.map((o) => o.value));
  for (const format of part("keys") ? formats : []) {
    for (const length of [100, 32767]) {
      keystrokes.push({ format, length, ...await keystrokeTimes(page, format, length, keys) });
    }
  }
  await page.close();
  const emptyPage = await openPage(browser, emptyServer.url);
  await emptyPage.focus("#line");
  const keyFloor = part("keys") ? await timeKeys(emptyPage, keys) : null;
  await emptyPage.close();
  const noLoads = { first: [], second: [] };
  const times = part("loads") ? await loadTimes(browser, server.url) : noLoads;
  const empty = part("loads") ? await loadTimes(browser, emptyServer.url) : noLoads;

  const f = (ms) => `${ms.toFixed(3)} ms`;
  const spread = (values, show) => `${show(median(values))} (${show(Math.min(...values))}..${show(Math.max(...values))})`;
  if (part("fade")) {
    console.log(`Fade of 32,767 characters through 10 stops, milliseconds per fade: median of ${rounds} rounds (min..max)`);
    for (const kind of ["plain", "wavy"]) {
      const wasm = measured.map((m) => m.wasm[kind]);
      console.log(`  ${kind}`);
      if (measured[0].native) {
        const native = measured.map((m) => m.native[kind]);
        console.log(`    native fade_bench      ${spread(native, f)}  2-lane ${spread(measured.map((m) => m.native[`${kind}2`]), f)}`);
        console.log(`    wasm engine            ${spread(wasm.map((w) => w.engine), f)}`);
        console.log(`    wasm text in + fade    ${spread(wasm.map((w) => w.textIn), f)}`);
        console.log(`    wasm + string          ${spread(wasm.map((w) => w.string), f)}`);
        console.log(`    page's formatFade      ${spread(wasm.map((w) => w.page), f)}`);
        const x = (v) => `${v.toFixed(2)}x`;
        console.log(`    engine / native        ${spread(measured.map((m) => m.wasm[kind].engine / m.native[kind]), x)}  ` +
                    `/ 2-lane ${spread(measured.map((m) => m.wasm[kind].engine / m.native[`${kind}2`]), x)}`);
        console.log(`    + string / native      ${spread(measured.map((m) => m.wasm[kind].string / m.native[kind]), x)}`);
        console.log(`    + string / engine      ${spread(measured.map((m) => m.wasm[kind].string / m.wasm[kind].engine), x)}`);
        console.log(`    formatFade / engine    ${spread(measured.map((m) => m.wasm[kind].page / m.wasm[kind].engine), x)}`);
      } else {
        console.log(`    wasm engine            ${spread(wasm.map((w) => w.engine), f)}`);
        console.log(`    wasm text in + fade    ${spread(wasm.map((w) => w.textIn), f)}`);
        console.log(`    wasm + string          ${spread(wasm.map((w) => w.string), f)}`);
        console.log(`    page's formatFade      ${spread(wasm.map((w) => w.page), f)}`);
        console.log(`    (native figures: build ${fadeBench} first)`);
      }
    }
  }
  if (part("keys")) {
    console.log(`A keystroke, input event to preview drawn (next frame included), 10 stops: median of ${keys} keys (min..max)`);
    for (const k of keystrokes) {
      console.log(`  ${k.format.padEnd(12)} ${String(k.length).padStart(6)} characters  ${f(k.ms)} (${f(k.min)}..${f(k.max)})  ` +
                  `page's work ${f(k.work)}  markup ${k.markupLength} characters`);
    }
    console.log(`  (an empty page's keystroke to its next frame in the same run: ${f(keyFloor.ms)} (${f(keyFloor.min)}..${f(keyFloor.max)}))`);
  }
  if (part("loads")) {
    for (const [name, list] of [["First load (fresh context: empty cache)", times.first],
                                ["Second load (same context)", times.second]]) {
      const ms = list.map((l) => l.ms);
      console.log(`${name} to interactive, ${loads} loads from 127.0.0.1: median ${median(ms).toFixed(0)} ms ` +
                  `(min ${Math.min(...ms).toFixed(0)}, max ${Math.max(...ms).toFixed(0)}); ` +
                  `transferred ${list[0].transferred} bytes`);
      const paint = list.map((l) => l.paint);
      console.log(`  first paint: median ${median(paint).toFixed(0)} ms (min ${Math.min(...paint).toFixed(0)}, max ${Math.max(...paint).toFixed(0)})`);
      console.log(`  ${list[0].files.map((file) => `${file.name} ${file.transferred}/${file.size}`).join(", ")} (transferred/decoded bytes)`);
    }
    const emptyMs = empty.first.map((l) => l.ms);
    console.log(`  (an empty page's first load in the same run: median ${median(emptyMs).toFixed(0)} ms, ` +
                `min ${Math.min(...emptyMs).toFixed(0)}, max ${Math.max(...emptyMs).toFixed(0)})`);
  }
} finally {
  await browser.close();
  await server.close();
  await emptyServer.close();
  rmSync(emptyDir, { recursive: true });
}

// The web page's figures on this machine, in one run:
//   - the WebAssembly fade of the benchmark line (32,767 characters, 10 stops, plain and wavy)
//     in headless Chromium, beside the native fade_bench figure for the same line and colours,
//     the two measured in turns (several rounds, native then WebAssembly), so a busy machine
//     slows both alike; "engine" is the fade alone (its length is all that comes back),
//     "+ string" includes handing the markup to JavaScript as a string, as the page does;
//   - the page's time from navigation to interactive (the mark the page sets when its controls
//     are enabled), over fresh loads.
// Needs the web build, the native build of fade_bench and the test packages, e.g.:
//   scripts/test web && cmake --build --preset native --target fade_bench
//   node bench/web_figures.mjs [--rounds N] [--loads N]
import { execFileSync } from "node:child_process";
import { existsSync } from "node:fs";
import { join } from "node:path";
import { launch, openPage, repoRoot, serve } from "../web/test/browser.mjs";

const option = (name, fallback) => {
  const at = process.argv.indexOf(name);
  return at > 0 ? Number(process.argv[at + 1]) || fallback : fallback;
};
const rounds = option("--rounds", 5);
const loads = option("--loads", 9);
const fadeBench = join(repoRoot, "build/native/bin/fade_bench");

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

// fade_bench's BM_FadeTenColors, milliseconds per fade, by wavy flag.
function nativeFigures() {
  if (!existsSync(fadeBench)) return null;
  const out = execFileSync(fadeBench, ["--benchmark_filter=BM_FadeTenColors",
                                       "--benchmark_min_time=0.5", "--benchmark_format=json"]);
  const runs = JSON.parse(out).benchmarks;
  const ms = (b) => b.real_time * { ns: 1e-6, us: 1e-3, ms: 1 }[b.time_unit];
  return {
    plain: ms(runs.find((b) => b.name.includes("wavy:0"))),
    wavy: ms(runs.find((b) => b.name.includes("wavy:-1"))),
  };
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
    const result = {};
    for (const [name, wavy] of [["plain", false], ["wavy", true]]) {
      result[name] = {
        engine: time(() => core.fadedLength(colours, line, wavy)),
        string: time(() => core.composeChatLine("", colours, line, wavy).length),
      };
    }
    return result;
  });
}

async function loadTimes(browser, url) {
  const times = [];
  for (let i = 0; i < loads; ++i) {
    const context = await browser.createBrowserContext();
    const page = await openPage(context, url);
    times.push(await page.evaluate(() => performance.getEntriesByName("quelvane-interactive")[0].startTime));
    await context.close();
  }
  return times;
}

const server = await serve();
const browser = await launch();
try {
  const page = await openPage(browser, server.url);
  const measured = [];
  for (let round = 0; round < rounds; ++round) {
    measured.push({ native: nativeFigures(), wasm: await wasmFigures(page) });
  }
  await page.close();
  const times = await loadTimes(browser, server.url);

  const f = (ms) => `${ms.toFixed(3)} ms`;
  const spread = (values, show) => `${show(median(values))} (${show(Math.min(...values))}..${show(Math.max(...values))})`;
  console.log(`Fade of 32,767 characters through 10 stops, milliseconds per fade: median of ${rounds} rounds (min..max)`);
  for (const kind of ["plain", "wavy"]) {
    const wasm = measured.map((m) => m.wasm[kind]);
    console.log(`  ${kind}`);
    if (measured[0].native) {
      const native = measured.map((m) => m.native[kind]);
      console.log(`    native fade_bench      ${spread(native, f)}`);
      console.log(`    wasm engine            ${spread(wasm.map((w) => w.engine), f)}`);
      console.log(`    wasm + string          ${spread(wasm.map((w) => w.string), f)}`);
      const x = (v) => `${v.toFixed(2)}x`;
      console.log(`    engine / native        ${spread(measured.map((m) => m.wasm[kind].engine / m.native[kind]), x)}`);
      console.log(`    + string / native      ${spread(measured.map((m) => m.wasm[kind].string / m.native[kind]), x)}`);
    } else {
      console.log(`    wasm engine            ${spread(wasm.map((w) => w.engine), f)}`);
      console.log(`    wasm + string          ${spread(wasm.map((w) => w.string), f)}`);
      console.log(`    (native figures: build ${fadeBench} first)`);
    }
  }
  console.log(`Page load to interactive, ${loads} fresh loads from 127.0.0.1: median ${median(times).toFixed(0)} ms ` +
              `(min ${Math.min(...times).toFixed(0)}, max ${Math.max(...times).toFixed(0)})`);
} finally {
  await browser.close();
  await server.close();
}

// The web page's figures on this machine, in one run:
//   - the WebAssembly fade of the benchmark line (32,767 characters, 10 stops, plain and wavy)
//     in headless Chromium, beside the native fade_bench figure for the same line and colours;
//     "engine" is the fade alone (its length is all that comes back), "+ string" includes
//     handing the markup to JavaScript as a string, which is what the page does;
//   - the page's time from navigation to interactive (the mark the page sets when its controls
//     are enabled), over fresh loads.
// Needs the web build, the native build of fade_bench and the test packages, e.g.:
//   scripts/test web && cmake --build --preset native --target fade_bench
//   node bench/web_figures.mjs [--loads N]
import { execFileSync } from "node:child_process";
import { existsSync } from "node:fs";
import { join } from "node:path";
import { launch, openPage, repoRoot, serve } from "../web/test/browser.mjs";

const loads = Number(process.argv[process.argv.indexOf("--loads") + 1]) || 9;
const fadeBench = join(repoRoot, "build/native/bin/fade_bench");

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

// fade_bench's BM_FadeTenColors, milliseconds per fade, by wavy flag.
function nativeFigures() {
  if (!existsSync(fadeBench)) return null;
  const out = execFileSync(fadeBench, ["--benchmark_filter=BM_FadeTenColors",
                                       "--benchmark_repetitions=5", "--benchmark_format=json"]);
  const runs = JSON.parse(out).benchmarks.filter((b) => b.run_type === "aggregate" && b.aggregate_name === "median");
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
    // Batches of runs for about a second; the median of the batches' time per run.
    const time = (work) => {
      for (let i = 0; i < 5; ++i) work();
      const perRun = [];
      const end = performance.now() + 1000;
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
  const native = nativeFigures();
  const page = await openPage(browser, server.url);
  const wasm = await wasmFigures(page);
  await page.close();
  const times = await loadTimes(browser, server.url);

  const f = (ms) => `${ms.toFixed(3)} ms`;
  console.log("Fade of 32,767 characters through 10 stops, milliseconds per fade (medians):");
  console.log("          native       wasm engine  wasm + string   engine/native  +string/native");
  for (const kind of ["plain", "wavy"]) {
    const n = native?.[kind];
    const w = wasm[kind];
    console.log(`  ${kind.padEnd(6)}  ${(n ? f(n) : "n/a").padEnd(11)}  ${f(w.engine).padEnd(11)}  ${f(w.string).padEnd(12)}` +
                `  ${n ? `${(w.engine / n).toFixed(2)}x`.padEnd(13) : "n/a".padEnd(13)}  ${n ? `${(w.string / n).toFixed(2)}x` : "n/a"}`);
  }
  if (!native) console.log(`  (native figures: build ${fadeBench} first)`);
  console.log(`Page load to interactive, ${loads} fresh loads from 127.0.0.1: median ${median(times).toFixed(0)} ms ` +
              `(min ${Math.min(...times).toFixed(0)}, max ${Math.max(...times).toFixed(0)})`);
} finally {
  await browser.close();
  await server.close();
}

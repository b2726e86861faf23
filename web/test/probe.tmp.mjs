import { launch, openPage, serve } from "./browser.mjs";
const server = await serve(); const browser = await launch();
for (const [width, format, zoom] of [[1000, "aol", "1"], [360, "aol", "2"], [1000, "html", "1"]]) {
  const page = await openPage(browser, server.url, { width, height: 900 });
  await page.select("#stop-count", "10");
  await page.select("#format", format);
  await page.select("#preview-zoom", zoom);
  await page.$eval("#line", (input) => {
    const pattern = "Quelvane Fader: the quick brown fox <jumps> & runs. ";
    input.value = pattern.repeat(700).slice(0, 32747);
    input.dispatchEvent(new Event("input", { bubbles: true }));
    input.focus();
    input.setSelectionRange(input.value.length, input.value.length);
  });
  await new Promise((r) => setTimeout(r, 800));
  await page.evaluate(() => {
    window.frames_ = [];
    const tick = (t) => { frames_.push(t); if (frames_.length < 100000) requestAnimationFrame(tick); };
    requestAnimationFrame(tick);
    window.keyTimes = [];
    new PerformanceObserver((list) => list.getEntries().forEach((e) => e.name === "quelvane-keystroke" && keyTimes.push(e.duration))).observe({ entryTypes: ["measure"] });
  });
  const t0 = Date.now();
  await page.keyboard.type(" typed by hand here!", { delay: 30 }); // 20 keys, ~33 per second
  const burst = Date.now() - t0;
  await new Promise((r) => setTimeout(r, 700));
  const r = await page.evaluate(() => {
    const gaps = frames_.slice(1).map((t, i) => t - frames_[i]).filter((g, i) => i < frames_.length);
    const sorted = [...gaps].sort((a, b) => a - b);
    return { frames: gaps.length, medianGap: sorted[Math.floor(sorted.length / 2)].toFixed(1), maxGap: Math.max(...gaps).toFixed(1),
             over33: gaps.filter((g) => g > 33.4).length, keys: keyTimes.length, keyMedian: [...keyTimes].sort((a, b) => a - b)[Math.floor(keyTimes.length / 2)]?.toFixed(1),
             keyMax: Math.max(...keyTimes).toFixed(1), line: document.getElementById("line").value.length,
             markup: document.getElementById("markup").value.length, info: document.getElementById("markup-info").textContent };
  });
  console.log(width, format, `zoom ${zoom}`, `burst ${burst} ms`, JSON.stringify(r));
  await page.screenshot({ path: `/tmp/qf-typing-${width}-${format}.png` });
  await page.close();
}
await browser.close(); await server.close();

// What the page's tests and benchmarks share: a small static server for the built page and
// Debian's Chromium, headless, driven by puppeteer-core.
import { createServer } from "node:http";
import { readFile } from "node:fs/promises";
import { extname, join, normalize } from "node:path";
import { fileURLToPath } from "node:url";
import puppeteer from "puppeteer-core";

export const repoRoot = fileURLToPath(new URL("../..", import.meta.url));
export const siteDir = process.env.QF_WEB_SITE ?? join(repoRoot, "build/web/site");
export const chromiumPath = process.env.QF_CHROMIUM ?? "/usr/bin/chromium";

const TYPES = {
  ".html": "text/html; charset=utf-8",
  ".css": "text/css; charset=utf-8",
  ".js": "text/javascript; charset=utf-8",
  ".mjs": "text/javascript; charset=utf-8",
  ".wasm": "application/wasm",
  ".webmanifest": "application/manifest+json",
  ".png": "image/png",
};

// Serves `dir` on a free port of 127.0.0.1; resolves to { url, close }.
export function serve(dir = siteDir) {
  const server = createServer(async (request, response) => {
    const path = normalize(decodeURIComponent(new URL(request.url, "http://x").pathname));
    const file = join(dir, path.endsWith("/") ? `${path}index.html` : path);
    if (!file.startsWith(dir)) {
      response.writeHead(403).end();
      return;
    }
    try {
      const body = await readFile(file);
      response.writeHead(200, { "content-type": TYPES[extname(file)] ?? "application/octet-stream" });
      response.end(body);
    } catch {
      response.writeHead(404).end();
    }
  });
  return new Promise((resolve) => {
    server.listen(0, "127.0.0.1", () => {
      resolve({
        url: `http://127.0.0.1:${server.address().port}/`,
        close: () => new Promise((done) => server.close(done)),
      });
    });
  });
}

export function launch() {
  return puppeteer.launch({
    executablePath: chromiumPath,
    headless: true,
    // --no-sandbox: the tests run as root in CI, where Chromium's sandbox cannot start.
    args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run", "--disable-background-networking",
           "--disable-component-update", "--disable-sync", "--font-render-hinting=none", "--force-device-scale-factor=1"],
  });
}

// Opens the page and waits until it says it is ready.
export async function openPage(browser, url, { width = 1000, height = 900 } = {}) {
  const page = await browser.newPage();
  await page.setViewport({ width, height, deviceScaleFactor: 1 });
  const problems = [];
  page.on("pageerror", (error) => problems.push(error.message));
  page.on("console", (message) => {
    if (message.type() === "error") problems.push(message.text());
  });
  await page.goto(url);
  await page.waitForSelector('#page[data-ready="true"]', { timeout: 20000 });
  page.problems = problems;
  return page;
}

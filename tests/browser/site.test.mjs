// The published sites in a real browser: the demo world is published with tavri-cli (the web
// site, then the alphabetical site over it), and headless Chromium opens gindex.htm, checks that
// every frame loads, follows every link inside the site and looks at the entry pages' notes.
//
// Run from test.sh:  TAVRI_CLI=build/tavri-cli node --test tests/browser/
// Chromium is /usr/bin/chromium (or $CHROMIUM). When it cannot start at all the tests are
// skipped with the reason; any other failure fails them.
import { test, before, after } from "node:test";
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import { mkdtempSync, rmSync, existsSync } from "node:fs";
import { tmpdir } from "node:os";
import path from "node:path";
import { fileURLToPath, pathToFileURL } from "node:url";
import { chromium } from "playwright-core";

const here = path.dirname(fileURLToPath(import.meta.url));
const cli = path.resolve(process.env.TAVRI_CLI ?? path.join(here, "../../build/tavri-cli"));
const chromiumPath = process.env.CHROMIUM ?? "/usr/bin/chromium";

let browser = null;
let skipReason = null;
let work = null;

function tavri(...args) {
  return execFileSync(cli, args, { encoding: "utf8" });
}

before(async () => {
  try {
    browser = await chromium.launch({
      executablePath: chromiumPath,
      args: ["--no-sandbox", "--allow-file-access-from-files"],
    });
  } catch (e) {
    skipReason = `Chromium cannot start (${chromiumPath}): ${e.message.split("\n")[0]}`;
    console.log(`SKIPPED browser tests: ${skipReason}`);
  }
  work = mkdtempSync(path.join(tmpdir(), "tavri-browser-"));
});

after(async () => {
  if (browser) {
    await browser.close();
  }
  if (work) {
    rmSync(work, { recursive: true, force: true });
  }
});

// A fresh demo compendium; returns its data folder (ending with "/").
function demoCompendium(name) {
  const dir = path.join(work, name) + "/";
  tavri("new", "--demo", dir);
  return dir;
}

// The listed entries: { mark, name, raceLocation, id } per row of `tavri-cli list`.
function entries(dir) {
  return tavri("list", dir)
    .split("\n")
    .filter((l) => l.length > 0)
    .map((l) => {
      const [mark, name, raceLocation, , , id] = l.split("\t");
      return { mark, name, raceLocation, id };
    });
}

const alnumUpper = (s) => s.toUpperCase().replace(/[^A-Z0-9]/g, "");

// The pages the site does not have by its own rules: letters without a page and the page of an
// empty race/location. The style sheet comes with a new compendium, and the demo's notes link
// only to entries that have pages.
function knownMissing(dir) {
  const missing = new Set();
  const written = new Set();
  for (const e of entries(dir)) {
    written.add(`g-${[...e.name][0].toUpperCase()}.htm`);
    if (e.raceLocation.trim() === "") {
      missing.add("g-.htm");
    } else {
      written.add(`g-${alnumUpper(e.raceLocation)}.htm`);
    }
  }
  for (let c = 65; c <= 90; c++) {
    const page = `g-${String.fromCharCode(c)}.htm`;
    if (!written.has(page)) {
      missing.add(page);
    }
  }
  return missing;
}

// Opens every page reachable from gindex.htm, by links and frames, in the browser. Returns the
// links that failed: a page that did not load, or an anchor its page does not have.
async function crawl(reports, missing) {
  let page = await browser.newPage();
  const start = pathToFileURL(path.join(reports, "gindex.htm")).href;
  const queue = [start];
  const seen = new Set(queue);
  const broken = [];
  const anchorsOf = new Map();
  const wantedAnchors = [];
  let loaded = 0;
  while (queue.length > 0) {
    const url = queue.shift();
    const file = path.basename(fileURLToPath(url));
    try {
      await page.goto(url, { waitUntil: "load" });
    } catch (e) {
      if (!missing.has(file)) {
        broken.push(`${file}: ${e.message.split("\n")[0]}`);
      }
      // A fresh page, so the error page of a missing file cannot disturb the next navigation.
      await page.close();
      page = await browser.newPage();
      continue;
    }
    loaded++;
    for (const frame of page.frames()) {
      if (!frame.url().startsWith("file:")) {
        broken.push(`${file}: frame ${frame.name()} did not load (${frame.url()})`);
        continue;
      }
      const found = await frame.evaluate(() => ({
        anchors: [...document.querySelectorAll("a[name]")].map((a) => a.getAttribute("name")),
        links: [...document.querySelectorAll("a[href]")].map((a) => a.href),
        frames: [...document.querySelectorAll("frame[src]")].map((f) => f.src),
      }));
      const here = frame.url().split("#")[0];
      anchorsOf.set(here, new Set(found.anchors));
      for (const link of [...found.links, ...found.frames]) {
        const [target, fragment] = link.split("#");
        if (!target.startsWith("file:")) {
          broken.push(`${file}: link leaves the site: ${link}`);
          continue;
        }
        if (fragment !== undefined && fragment !== "") {
          wantedAnchors.push({ from: file, target, fragment: decodeURIComponent(fragment) });
        }
        if (!seen.has(target)) {
          seen.add(target);
          queue.push(target);
        }
      }
    }
  }
  await page.close();
  for (const { from, target, fragment } of wantedAnchors) {
    const anchors = anchorsOf.get(target);
    if (anchors && !anchors.has(fragment)) {
      broken.push(`${from}: no anchor "${fragment}" in ${path.basename(fileURLToPath(target))}`);
    }
  }
  return { broken, loaded };
}

test("the web site: every frame loads and every link resolves", async (t) => {
  if (skipReason) {
    t.skip(skipReason);
    return;
  }
  const dir = demoCompendium("site");
  tavri("publish", dir, "--keep-changes");
  const reports = path.join(dir, "Reports");

  const page = await browser.newPage();
  await page.goto(pathToFileURL(path.join(reports, "gindex.htm")).href, { waitUntil: "load" });
  const frames = page.frames().filter((f) => f !== page.mainFrame());
  assert.deepEqual(frames.map((f) => path.basename(f.url())).sort(),
                   ["gcontents.htm", "gcontentsl.htm", "gtop.htm"]);
  const gmain = page.frame({ name: "gmain" });
  assert.equal(await gmain.locator("h1").textContent(), "New Campaign");
  // The letter strip opens its pages in the main frame.
  await page.frame({ name: "gletters" }).locator('a[href="g-A.htm"]').click();
  await gmain.waitForURL(/g-A\.htm$/);
  assert.match(await gmain.locator("table").innerText(), /Aldric Fenmoor/);
  await page.close();

  const { broken, loaded } = await crawl(reports, knownMissing(dir));
  assert.deepEqual(broken, []);
  assert.ok(loaded > 50, `only ${loaded} pages loaded`);
});

test("entry pages render the mark-up of their notes", async (t) => {
  if (skipReason) {
    t.skip(skipReason);
    return;
  }
  const dir = demoCompendium("entries");
  tavri("publish", dir, "--keep-changes");
  const aldric = entries(dir).find((e) => e.name === "Aldric Fenmoor");
  const page = await browser.newPage();
  await page.goto(pathToFileURL(path.join(dir, "Reports", `G${aldric.id}.htm`)).href);
  assert.equal(await page.title(), "Aldric Fenmoor");
  assert.equal(await page.locator("b").first().textContent(), "Fenmoor marches");
  const text = await page.locator("body").innerText();
  assert.ok(!text.includes("<b>"), "tags shown as text");
  assert.match(text, /forty years\.\n+He signed/);
  // The notes' link to another entry and the link back to the race/location page both work.
  await page.locator("a", { hasText: "Treaty of Brackwater" }).click();
  assert.equal(await page.locator("h1").textContent(), "Treaty of Brackwater");
  await page.locator("a", { hasText: "Click here to return to index" }).click();
  assert.equal(await page.locator("h1").textContent(), "Marchlands");
  await page.close();
});

test("the alphabetical site: every frame loads and every link and anchor resolves", async (t) => {
  if (skipReason) {
    t.skip(skipReason);
    return;
  }
  const dir = demoCompendium("alpha");
  tavri("publish", dir, "--keep-changes");
  tavri("alpha", dir);
  const reports = path.join(dir, "Reports");
  assert.ok(existsSync(path.join(reports, "temp.htm")));

  const page = await browser.newPage();
  await page.goto(pathToFileURL(path.join(reports, "gindex.htm")).href, { waitUntil: "load" });
  const names = page.frames().filter((f) => f !== page.mainFrame()).map((f) => f.name()).sort();
  assert.deepEqual(names, ["cornerFrame", "gmain", "leftFrame", "topFrame"]);
  await page.frame({ name: "topFrame" }).locator("a", { hasText: "Dwarf" }).click();
  const gmain = page.frame({ name: "gmain" });
  await gmain.waitForURL(/g-DWARF\.htm$/);
  await gmain.locator('a[href="#Ashdelve"]').click();
  assert.equal(await gmain.evaluate(() => location.hash), "#Ashdelve");
  await page.close();

  const { broken, loaded } = await crawl(reports, knownMissing(dir));
  assert.deepEqual(broken, []);
  assert.ok(loaded > 20, `only ${loaded} pages loaded`);
});

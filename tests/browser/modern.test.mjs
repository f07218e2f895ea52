// The modern web site (tavri-cli site) in a real browser, opened from disk: every entry is
// reachable from index.html by links, no page scrolls sideways on a phone, no page logs an
// error, search finds entries as the user types (ignoring accents), and print leaves out the
// navigation. Run with the other browser tests (see site.test.mjs).
import { test, before, after } from "node:test";
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import { mkdtempSync, rmSync, copyFileSync } from "node:fs";
import { tmpdir } from "node:os";
import path from "node:path";
import { fileURLToPath, pathToFileURL } from "node:url";
import { chromium } from "playwright-core";

const here = path.dirname(fileURLToPath(import.meta.url));
const cli = path.resolve(process.env.TAVRI_CLI ?? path.join(here, "../../build/tavri-cli"));
const chromiumPath = process.env.CHROMIUM ?? "/usr/bin/chromium";
const phone = { width: 390, height: 844 };

let browser = null;
let skipReason = null;
let work = null;

function tavri(...args) {
  return execFileSync(cli, args, { encoding: "utf8" });
}

before(async () => {
  try {
    browser = await chromium.launch({ executablePath: chromiumPath, args: ["--no-sandbox"] });
  } catch (e) {
    skipReason = `Chromium cannot start (${chromiumPath}): ${e.message.split("\n")[0]}`;
    console.log(`SKIPPED browser tests: ${skipReason}`);
  }
  work = mkdtempSync(path.join(tmpdir(), "tavri-modern-"));
});

after(async () => {
  if (browser) {
    await browser.close();
  }
  if (work) {
    rmSync(work, { recursive: true, force: true });
  }
});

// A compendium with its site written; returns { dir, site, ids }.
function compendium(name, kind) {
  const dir = path.join(work, name) + "/";
  if (kind === "demo") {
    tavri("new", "--demo", dir);
  } else {
    tavri("new", dir);
    const csv = path.join(work, `${name}.csv`);
    copyFileSync(path.join(here, "../data/hardtext/hardtext.csv"), csv);
    tavri("upload-csv", dir, csv);
  }
  tavri("site", dir);
  const ids = tavri("list", dir)
    .split("\n")
    .filter((l) => l.length > 0)
    .map((l) => l.split("\t")[5]);
  return { dir, site: path.join(dir, "Reports", "site"), ids };
}

// A page that records console errors and uncaught exceptions.
async function watchedPage(viewport, errors) {
  const page = await browser.newPage({ viewport });
  page.on("console", (m) => {
    if (m.type() === "error") {
      errors.push(`${page.url()}: ${m.text()}`);
    }
  });
  page.on("pageerror", (e) => errors.push(`${page.url()}: ${e.message}`));
  return page;
}

// Follows every link from index.html on a phone-sized page. Returns the pages reached, those
// that scroll sideways, and the links that lead out of the site or to nothing.
async function crawl(site, errors) {
  const page = await watchedPage(phone, errors);
  const start = pathToFileURL(path.join(site, "index.html")).href;
  const queue = [start];
  const seen = new Set(queue);
  const wide = [];
  const broken = [];
  while (queue.length > 0) {
    const url = queue.shift();
    const response = await page.goto(url, { waitUntil: "load" }).catch((e) => e);
    if (response instanceof Error) {
      broken.push(`${url}: ${response.message.split("\n")[0]}`);
      continue;
    }
    const found = await page.evaluate(() => ({
      width: document.documentElement.scrollWidth - document.documentElement.clientWidth,
      links: [...document.querySelectorAll("a[href]")].map((a) => a.href),
      resources: [...document.querySelectorAll("[src], link[href]")].map((e) => e.src ?? e.href),
    }));
    if (found.width > 0) {
      wide.push(`${path.basename(url)} by ${found.width}px`);
    }
    for (const r of found.resources) {
      if (!r.startsWith("file:")) {
        broken.push(`${url}: external resource ${r}`);
      }
    }
    for (const link of found.links) {
      const target = link.split("#")[0];
      if (!target.startsWith("file:")) {
        broken.push(`${url}: link leaves the site: ${link}`);
      } else if (!seen.has(target)) {
        seen.add(target);
        queue.push(target);
      }
    }
  }
  await page.close();
  return { reached: [...seen].map((u) => path.basename(fileURLToPath(u))), wide, broken };
}

for (const kind of ["demo", "hardtext"]) {
  test(`${kind} site: every entry reachable from index.html, no sideways scroll on a phone, no error`,
    async (t) => {
      if (skipReason) {
        t.skip(skipReason);
        return;
      }
      const { site, ids } = compendium(`crawl-${kind}`, kind);
      const errors = [];
      const { reached, wide, broken } = await crawl(site, errors);
      const missing = ids.filter((id) => !reached.includes(`entry-${id}.html`));
      assert.deepEqual({ missing, wide, broken, errors },
                       { missing: [], wide: [], broken: [], errors: [] });
    });
}

test("search lists entries as the user types, ignoring case and accents", async (t) => {
  if (skipReason) {
    t.skip(skipReason);
    return;
  }
  const { site } = compendium("search", "hardtext");
  const errors = [];
  const page = await watchedPage(phone, errors);
  await page.goto(pathToFileURL(path.join(site, "index.html")).href);
  const cases = [
    ["elan", ["Élan"]],
    ["LUKASZ", ["Łukasz Żółć"]],
    ["ετος", ["Ωmega Circle"]],          // the date "Ἔτος 3", without its breathing and accent
    ["orc 1204", ["Łukasz Żółć"]],       // every word, in any field
    ["香港", ["Ärzte Guild", "李小龍"]],  // race/location; name order
    ["zzz", []],
  ];
  for (const [query, names] of cases) {
    await page.locator("#q").fill(query);
    const shown = await page.locator("#results dt a").allTextContents();
    assert.deepEqual(shown, names, `query "${query}"`);
  }
  await page.locator("#q").fill("elan");
  await page.locator("#results dt a").first().click();
  assert.equal(await page.locator("h1").textContent(), "Élan");
  assert.deepEqual(errors, []);
  await page.close();
});

test("print leaves out the navigation, and a short entry prints on one page", async (t) => {
  if (skipReason) {
    t.skip(skipReason);
    return;
  }
  const { site } = compendium("print", "demo");
  const page = await browser.newPage();
  await page.goto(pathToFileURL(path.join(site, "entry-1.html")).href);
  const visible = () => page.evaluate(() =>
    ["header.site", "nav.pager"].map((s) => document.querySelector(s).checkVisibility()));
  assert.deepEqual(await visible(), [true, true]);
  await page.emulateMedia({ media: "print" });
  assert.deepEqual(await visible(), [false, false]);
  const pdf = (await page.pdf({ format: "A4" })).toString("latin1");
  assert.equal((pdf.match(/\/Type\s*\/Page\b/g) ?? []).length, 1);
  await page.close();
});

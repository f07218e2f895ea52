// The hard-text compendium (tests/data/hardtext) published with tavri-cli, in a real browser:
// every page declares UTF-8 as the line after "<head>" and Chromium reads it so, every hard name
// (accents, Greek, Polish, CJK, quotes) renders as stored, and every entry stands on a letter
// page that the letter strip links to from gindex.htm.
//
// Run from test.sh:  TAVRI_CLI=build/tavri-cli node --test tests/browser/
import { test, before, after } from "node:test";
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import { copyFileSync, mkdtempSync, readdirSync, readFileSync, rmSync } from "node:fs";
import { tmpdir } from "node:os";
import path from "node:path";
import { fileURLToPath, pathToFileURL } from "node:url";
import { chromium } from "playwright-core";

const here = path.dirname(fileURLToPath(import.meta.url));
const cli = path.resolve(process.env.TAVRI_CLI ?? path.join(here, "../../build/tavri-cli"));
const chromiumPath = process.env.CHROMIUM ?? "/usr/bin/chromium";
const hardCsv = path.join(here, "../data/hardtext/hardtext.csv");

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
  work = mkdtempSync(path.join(tmpdir(), "tavri-hardtext-"));
});

after(async () => {
  if (browser) {
    await browser.close();
  }
  if (work) {
    rmSync(work, { recursive: true, force: true });
  }
});

// The hard-text compendium published as the web site (alpha: then as the alphabetical site);
// returns its reports folder and its entries' trimmed names.
function publishedHardText(name, alpha) {
  const dir = path.join(work, name) + "/";
  tavri("new", dir);
  const csv = path.join(work, `${name}.csv`);  // the upload writes its log beside the file
  copyFileSync(hardCsv, csv);
  tavri("upload-csv", dir, csv);
  tavri("publish", dir, "--keep-changes");
  if (alpha) {
    tavri("alpha", dir);
  }
  const names = tavri("list", dir)
    .split("\n")
    .filter((l) => l.length > 0)
    .map((l) => l.split("\t")[1].trim());
  return { reports: path.join(dir, "Reports"), names };
}

const sites = [
  { label: "web site", alpha: false, strip: "gcontentsl.htm" },
  { label: "alphabetical site", alpha: true, strip: "glettersdates.htm" },
];

for (const site of sites) {
  test(`${site.label}: every page declares UTF-8 and shows the hard names`, async (t) => {
    if (skipReason) {
      t.skip(skipReason);
      return;
    }
    const { reports, names } = publishedHardText(`utf8-${site.alpha}`, site.alpha);
    const pages = readdirSync(reports).filter((f) => f.endsWith(".htm"));
    const page = await browser.newPage();
    let shown = "";
    for (const file of pages) {
      const lines = readFileSync(path.join(reports, file), "latin1").split("\r\n");
      const head = lines.indexOf("<head>");
      if (head >= 0) {
        assert.equal(lines[head + 1], '<meta charset="utf-8">', `${file}: the line after <head>`);
      }
      await page.goto(pathToFileURL(path.join(reports, file)).href, { waitUntil: "load" });
      if (head >= 0) {
        assert.equal(await page.evaluate(() => document.characterSet), "UTF-8", file);
      }
      shown += (await page.evaluate(() => document.body?.innerText ?? "")) + "\n";
    }
    await page.close();
    for (const name of names) {
      assert.ok(shown.includes(name), `"${name}" is shown on no page`);
    }
    assert.ok(!shown.includes("\uFFFD"), "a page shows a replacement character");
  });

  test(`${site.label}: every entry is reachable from gindex.htm through the letter strip`, async (t) => {
    if (skipReason) {
      t.skip(skipReason);
      return;
    }
    const { reports, names } = publishedHardText(`reach-${site.alpha}`, site.alpha);
    const page = await browser.newPage();
    await page.goto(pathToFileURL(path.join(reports, "gindex.htm")).href, { waitUntil: "load" });
    const strip = page.frames().find((f) => f.url().endsWith(`/${site.strip}`));
    assert.ok(strip, `gindex.htm shows no ${site.strip}`);
    const letterPages = await strip.evaluate(() =>
      [...document.querySelectorAll("a[href]")].map((a) => a.href).filter((h) => !h.endsWith("/gtop.htm")));
    let reached = "";
    for (const url of letterPages) {
      // A page of its own for each, so the error page of a dead link disturbs no other.
      const letters = await browser.newPage();
      try {
        await letters.goto(url, { waitUntil: "load" });
        reached += (await letters.evaluate(() => document.body?.innerText ?? "")) + "\n";
      } catch {
        // a dead link of the strip: the link checks of site.test.mjs report those
      }
      await letters.close();
    }
    await page.close();
    const unreachable = names.filter((name) => !reached.includes(name));
    assert.deepEqual(unreachable, [], "entries on no letter page that the strip links to");
  });
}

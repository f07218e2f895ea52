// The hard-text compendium (tests/data/hardtext) published with tavri-cli, in a real browser:
// every page declares UTF-8 as the line after "<head>" and Chromium reads it so, every hard name
// (accents, Greek, Polish, CJK, quotes) renders as stored, and every entry stands on a letter
// page that the letter strip links to from gindex.htm.
//
// Run from test.sh:  TAVRI_CLI=build/tavri-cli node --test tests/browser/
import { test } from "node:test";
import assert from "node:assert/strict";
import { copyFileSync, readdirSync, readFileSync } from "node:fs";
import path from "node:path";
import { fileURLToPath, pathToFileURL } from "node:url";
import { sharedBrowser, tavri } from "./support.mjs";

const here = path.dirname(fileURLToPath(import.meta.url));
const hardCsv = path.join(here, "../data/hardtext/hardtext.csv");
const run = sharedBrowser("tavri-hardtext-");

// The hard-text compendium published as the web site (alpha: then as the alphabetical site);
// returns its reports folder and its entries' trimmed names.
function publishedHardText(name, alpha) {
  const dir = path.join(run.work, name) + "/";
  tavri("new", dir);
  const csv = path.join(run.work, `${name}.csv`);  // the upload writes its log beside the file
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
    if (run.skipReason) {
      t.skip(run.skipReason);
      return;
    }
    const { reports, names } = publishedHardText(`utf8-${site.alpha}`, site.alpha);
    const pages = readdirSync(reports).filter((f) => f.endsWith(".htm"));
    const page = await run.browser.newPage();
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
    if (run.skipReason) {
      t.skip(run.skipReason);
      return;
    }
    const { reports, names } = publishedHardText(`reach-${site.alpha}`, site.alpha);
    const page = await run.browser.newPage();
    await page.goto(pathToFileURL(path.join(reports, "gindex.htm")).href, { waitUntil: "load" });
    const strip = page.frames().find((f) => f.url().endsWith(`/${site.strip}`));
    assert.ok(strip, `gindex.htm shows no ${site.strip}`);
    const letterPages = await strip.evaluate(() =>
      [...document.querySelectorAll("a[href]")].map((a) => a.href).filter((h) => !h.endsWith("/gtop.htm")));
    let reached = "";
    for (const url of letterPages) {
      // A page of its own for each, so the error page of a dead link disturbs no other.
      const letters = await run.browser.newPage();
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

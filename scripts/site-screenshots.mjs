// Takes docs/site-phone.png and docs/site-desktop.png, the pictures of the modern web site in
// the README: the demo compendium's site (tavri-cli site) in headless Chromium, the start page
// searching on a 390 x 844 phone and an entry page on a desktop. Run it again whenever the
// site's pages or style sheet change.
//   (cd tests/browser && npm ci) && node scripts/site-screenshots.mjs
// TAVRI_CLI names another tavri-cli (build/tavri-cli when unset); CHROMIUM another browser.
import { execFileSync } from "node:child_process";
import { mkdtempSync, rmSync } from "node:fs";
import { createRequire } from "node:module";
import { tmpdir } from "node:os";
import path from "node:path";
import { fileURLToPath, pathToFileURL } from "node:url";

const here = path.dirname(fileURLToPath(import.meta.url));
const root = path.join(here, "..");
const require = createRequire(path.join(root, "tests/browser/package.json"));
const { chromium } = require("playwright-core");
const cli = path.resolve(process.env.TAVRI_CLI ?? path.join(root, "build/tavri-cli"));

const work = mkdtempSync(path.join(tmpdir(), "tavri-site-shots-"));
try {
  const dir = path.join(work, "demo") + "/";
  execFileSync(cli, ["new", "--demo", dir]);
  execFileSync(cli, ["site", dir]);
  const site = path.join(dir, "Reports", "site");
  const entry = execFileSync(cli, ["list", dir, "--match", "Aldric"], { encoding: "utf8" })
    .split("\n")[0].split("\t")[5];

  const browser = await chromium.launch({
    executablePath: process.env.CHROMIUM ?? "/usr/bin/chromium",
    args: ["--no-sandbox"],
  });
  const phone = await browser.newPage({ viewport: { width: 390, height: 844 },
                                        deviceScaleFactor: 2, colorScheme: "light" });
  await phone.goto(pathToFileURL(path.join(site, "index.html")).href);
  await phone.locator("#q").fill("brack");
  await phone.screenshot({ path: path.join(root, "docs/site-phone.png") });

  const desktop = await browser.newPage({ viewport: { width: 1280, height: 800 },
                                          colorScheme: "dark" });
  await desktop.goto(pathToFileURL(path.join(site, `entry-${entry}.html`)).href);
  await desktop.screenshot({ path: path.join(root, "docs/site-desktop.png") });
  await browser.close();
  console.log("docs/site-phone.png and docs/site-desktop.png taken");
} finally {
  rmSync(work, { recursive: true, force: true });
}

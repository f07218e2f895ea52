// What the browser tests share: tavri-cli, and for each test file one headless Chromium and a
// scratch folder, made before the file's tests and removed after them.
//
// Chromium is /usr/bin/chromium (or $CHROMIUM). When it cannot start at all the tests are
// skipped with the reason; any other failure fails them.
import { before, after } from "node:test";
import { execFileSync } from "node:child_process";
import { mkdtempSync, rmSync } from "node:fs";
import { tmpdir } from "node:os";
import path from "node:path";
import { fileURLToPath } from "node:url";
import { chromium } from "playwright-core";

const here = path.dirname(fileURLToPath(import.meta.url));
const cli = path.resolve(process.env.TAVRI_CLI ?? path.join(here, "../../build/tavri-cli"));
const chromiumPath = process.env.CHROMIUM ?? "/usr/bin/chromium";

export function tavri(...args) {
  return execFileSync(cli, args, { encoding: "utf8" });
}

// Registers the calling file's before and after hooks. The object returned holds, once the
// tests run, the browser, the reason to skip (null when Chromium started) and the scratch folder.
export function sharedBrowser(prefix) {
  const run = { browser: null, skipReason: null, work: null };
  before(async () => {
    try {
      run.browser = await chromium.launch({
        executablePath: chromiumPath,
        args: ["--no-sandbox", "--allow-file-access-from-files"],
      });
    } catch (e) {
      run.skipReason = `Chromium cannot start (${chromiumPath}): ${e.message.split("\n")[0]}`;
      console.log(`SKIPPED browser tests: ${run.skipReason}`);
    }
    run.work = mkdtempSync(path.join(tmpdir(), prefix));
  });
  after(async () => {
    if (run.browser) {
      await run.browser.close();
    }
    if (run.work) {
      rmSync(run.work, { recursive: true, force: true });
    }
  });
  return run;
}

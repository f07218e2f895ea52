// The reading files in the readers people use. The hard-text compendium (tests/data/hardtext) and
// the demo world are published with tavri-cli (the web site, then the region RTF files); then
//   - LibreOffice (headless) converts every RTF file to text, and every entry's name and
//     description must be in PageTavri.rtf and in its region's file;
//   - calibre's ebook-convert converts both PML files to text, and every name (Greek, Polish,
//     CJK) must be there, the notes' entities decoded, with no formatting code showing.
// The pages in Chromium are checked by tests/browser/.
//
// Run from test.sh:  TAVRI_CLI=build/tavri-cli node tests/readers/check-readers.mjs
// Exits non-zero, after a summary of every failure, when a check fails.
import { execFileSync } from "node:child_process";
import { copyFileSync, mkdirSync, mkdtempSync, readdirSync, readFileSync, rmSync } from "node:fs";
import { tmpdir } from "node:os";
import path from "node:path";
import { fileURLToPath, pathToFileURL } from "node:url";

const here = path.dirname(fileURLToPath(import.meta.url));
const cli = path.resolve(process.env.TAVRI_CLI ?? path.join(here, "../../build/tavri-cli"));
const hardCsv = path.join(here, "../data/hardtext/hardtext.csv");
const work = mkdtempSync(path.join(tmpdir(), "tavri-readers-"));
const failures = [];
let checks = 0;

function run(program, args, options = {}) {
  return execFileSync(program, args, { encoding: "utf8", stdio: ["ignore", "pipe", "pipe"], ...options });
}

function check(ok, what) {
  checks++;
  if (!ok) {
    failures.push(what);
  }
}

// The entries as stored: { name, raceLocation, desc } per row of `tavri-cli list`, trimmed as
// the writers trim them where they do.
function entries(dir) {
  return run(cli, ["list", dir])
    .split("\n")
    .filter((l) => l.length > 0)
    .map((l) => {
      const [, name, raceLocation, , desc] = l.split("\t");
      return { name, raceLocation, desc };
    });
}

function compendium(name, make) {
  const dir = path.join(work, name) + "/";
  make(dir);
  run(cli, ["publish", dir]);
  run(cli, ["rtf", dir]);
  return dir;
}

const hard = compendium("hard", (dir) => {
  run(cli, ["new", dir]);
  // The upload writes its log beside the CSV file: upload a copy.
  mkdirSync(path.join(work, "csv"));
  const csv = path.join(work, "csv", "hardtext.csv");
  copyFileSync(hardCsv, csv);
  run(cli, ["upload-csv", dir, csv]);
});
const demo = compendium("demo", (dir) => run(cli, ["new", "--demo", dir]));

// LibreOffice: every RTF file of both compendiums in one run, with a profile of its own so that
// no other LibreOffice on the machine is disturbed.
function rtfTexts(dir) {
  const palm = path.join(dir, "Reports", "palm");
  const rtfs = readdirSync(palm).filter((f) => f.endsWith(".rtf"));
  const out = path.join(dir, "rtf-text");
  run("soffice", [
    `-env:UserInstallation=${pathToFileURL(path.join(work, "lo-profile")).href}`,
    "--headless", "--convert-to", "txt:Text (encoded):UTF8", "--outdir", out,
    ...rtfs.map((f) => path.join(palm, f)),
  ], { timeout: 300000 });
  const texts = new Map();
  for (const f of rtfs) {
    let text = "";
    try {
      text = readFileSync(path.join(out, f.replace(/\.rtf$/, ".txt")), "utf8");
    } catch {
      failures.push(`LibreOffice could not open ${f}`);
    }
    texts.set(f, text);
  }
  return texts;
}

for (const [label, dir] of [["hard text", hard], ["demo", demo]]) {
  const texts = rtfTexts(dir);
  const page = texts.get("PageTavri.rtf") ?? "";
  const regions = [...texts].filter(([f]) => f.startsWith("RegionTavri-")).map(([, t]) => t).join("\n");
  for (const e of entries(dir)) {
    for (const value of [e.name, e.desc]) {
      check(page.includes(value), `${label}: PageTavri.rtf in LibreOffice lacks "${value}"`);
      check(regions.includes(value), `${label}: no RegionTavri file in LibreOffice has "${value}"`);
    }
  }
  check(!/\\(par|b0|fs\d|ul)/.test(page + regions), `${label}: RTF control words show as text`);
}

// calibre: both PML files of the hard-text compendium.
function pmlText(dir, file) {
  const out = path.join(work, `${path.basename(dir)}-${file}.txt`);
  run("ebook-convert", [path.join(dir, "Reports", "palm", file), out], { timeout: 300000 });
  return readFileSync(out, "utf8");
}

const hardEntries = entries(hard);
for (const file of ["PR-Tavri.pml", "PageTavri.pml"]) {
  const text = pmlText(hard, file);
  for (const e of hardEntries) {
    check(text.includes(e.name.trim()), `calibre: ${file} lacks the name "${e.name}"`);
  }
  // The one backslash the compendium holds is text: any other is a code calibre did not read.
  const literal = "C:\\temp\\new";
  check(text.includes(literal), `calibre: ${file} lost the backslashes of ${literal}`);
  const rest = text.split(literal).join("");
  check(!rest.includes("\\"), `calibre: ${file} shows a formatting code: ${rest.match(/.{0,20}\\.{0,20}/)?.[0]}`);
  check(!/TITLE=/.test(text), `calibre: ${file} shows its title code`);
}
const tome = pmlText(hard, "PR-Tavri.pml");
for (const decoded of ["Salt & iron; café owner.", "Ξένος & φίλος", "香港 <九龍> notes"]) {
  check(tome.includes(decoded), `calibre: PR-Tavri.pml notes lack "${decoded}" (entities decoded)`);
}
check(!/&(amp|lt|gt|#\d+);/.test(tome), "calibre: PR-Tavri.pml shows an entity undecoded");

rmSync(work, { recursive: true, force: true });
if (failures.length > 0) {
  console.log(`readers: ${failures.length} of ${checks} checks FAILED`);
  for (const f of failures) {
    console.log(`  - ${f}`);
  }
  process.exit(1);
}
console.log(`readers: all ${checks} checks passed (LibreOffice: RTF; calibre: PML)`);

// The style sheet and the search script of the modern web site, kept here as text so that the
// program writes a whole site with nothing installed beside it.
#include "publish/ModernSiteAssets.h"

namespace tavri {
namespace {

const char kStyleSheet[] = R"css(/* Tavri site: one style sheet for every page. */
:root {
  color-scheme: light dark;
  --bg: #fbfaf6;
  --fg: #1f1c17;
  --muted: #675f52;
  --link: #1d5296;
  --line: #dcd4c4;
  --field: #ffffff;
}
@media (prefers-color-scheme: dark) {
  :root {
    --bg: #16171b;
    --fg: #e6e2d9;
    --muted: #a69f92;
    --link: #8db8f5;
    --line: #3a3b42;
    --field: #202127;
  }
}
* { box-sizing: border-box; }
html { -webkit-text-size-adjust: 100%; text-size-adjust: 100%; }
body {
  margin: 0;
  background: var(--bg);
  color: var(--fg);
  font: 1.0625rem/1.6 Georgia, "Noto Serif", "DejaVu Serif", serif;
  overflow-wrap: anywhere;
}
header.site {
  padding: 0.6rem max(1rem, calc((100% - 44rem) / 2 + 1rem));
  border-bottom: 1px solid var(--line);
  font-family: system-ui, sans-serif;
}
header.site a { color: var(--fg); font-weight: 600; text-decoration: none; }
main { max-width: 44rem; margin: 0 auto; padding: 0.5rem 1rem 2rem; }
a { color: var(--link); }
h1 { font-size: 1.9rem; line-height: 1.2; margin: 0.8rem 0 0.3rem; }
h2 { font-size: 1.15rem; margin: 1.8rem 0 0.5rem; font-family: system-ui, sans-serif; }
.count, .date, .group, .n, .facts dt { color: var(--muted); }
.count { margin-top: 0; font-family: system-ui, sans-serif; font-size: 0.95rem; }
.date, .group, .n { font-size: 0.9em; }
dl.entries dt { margin-top: 0.7rem; }
dl.entries dd { margin: 0 0 0 1rem; }
ul.initials { list-style: none; padding: 0; display: flex; flex-wrap: wrap; gap: 0.4rem; }
ul.initials a {
  display: inline-block;
  min-width: 2.4rem;
  padding: 0.2rem 0.5rem;
  border: 1px solid var(--line);
  border-radius: 0.4rem;
  text-align: center;
  text-decoration: none;
}
ul.groups { padding-left: 1.2rem; columns: 15rem; }
.facts { display: grid; grid-template-columns: max-content 1fr; gap: 0.1rem 1rem; margin: 0 0 1rem; }
.facts dd { margin: 0; }
.desc { font-style: italic; }
.notes { overflow-x: auto; }
.notes img { max-width: 100%; height: auto; margin: 0.2rem 1rem 0.5rem 0; }
.notes pre { white-space: pre-wrap; }
.notes table { border-collapse: collapse; }
.notes td, .notes th { border: 1px solid var(--line); padding: 0.2rem 0.4rem; }
.pager {
  display: flex;
  justify-content: space-between;
  gap: 1rem;
  margin-top: 2rem;
  padding-top: 0.8rem;
  border-top: 1px solid var(--line);
}
.pager a[rel="next"] { margin-left: auto; text-align: right; }
.search input {
  width: 100%;
  font: inherit;
  padding: 0.5rem 0.7rem;
  border: 1px solid var(--line);
  border-radius: 0.4rem;
  background: var(--field);
  color: var(--fg);
}
@media print {
  header.site, nav, .pager, .search { display: none; }
  body { background: #fff; color: #000; font-size: 11pt; line-height: 1.45; }
  main { max-width: none; padding: 0; }
  a { color: inherit; text-decoration: none; }
  h1 { margin-top: 0; }
}
)css";

const char kSearchScript[] =
    R"js(// Tavri site search: runs in the page, also when the site is opened from disk. The index is
// the script search-index.js, which sets TAVRI_INDEX: one array per field, in name order.
(function () {
  "use strict";
  var data = window.TAVRI_INDEX;
  var section = document.getElementById("search");
  var box = document.getElementById("q");
  var status = document.getElementById("status");
  var results = document.getElementById("results");
  if (!data || !section || !box) {
    return;
  }
  var LIMIT = 50;
  var SEP = "\u0001";
  // Letters that carry no combining mark to strip, folded by hand.
  var EXTRA = { "\u0142": "l", "\u00f8": "o", "\u0111": "d", "\u00f0": "d", "\u0127": "h",
                "\u00df": "ss", "\u00e6": "ae", "\u0153": "oe", "\u0131": "i" };
  function fold(text) {
    return text.normalize("NFD").replace(/\p{M}/gu, "").toLowerCase()
      .replace(/[\u0142\u00f8\u0111\u00f0\u0127\u00df\u00e6\u0153\u0131]/g, function (c) {
        return EXTRA[c];
      });
  }

  // Every entry's fields, folded, in one text: an entry per line, its fields split by SEP.
  var n = data.id.length;
  var lines = new Array(n);
  for (var i = 0; i < n; i++) {
    var g = data.group[i];
    lines[i] = data.name[i] + SEP + (g >= 0 ? data.groups[g] : "") + SEP + data.date[i] + SEP +
      data.desc[i];
  }
  var hay = fold(lines.join("\n") + "\n");
  lines = null;
  var starts = new Int32Array(n + 1);
  for (var e = 0, at = 0; e < n; e++) {
    starts[e] = at;
    at = hay.indexOf("\n", at) + 1;
  }
  starts[n] = hay.length;

  // The entry holding offset, looked for onward from entry from: matches come in order, so a
  // whole scan steps through the entries once.
  function entryAt(offset, from) {
    var e = from;
    while (starts[e + 1] <= offset) {
      e++;
    }
    return e;
  }

  function holdsAll(entry, words, from) {
    if (from >= words.length) {
      return true;
    }
    var text = hay.substring(starts[entry], starts[entry + 1]);
    for (var w = from; w < words.length; w++) {
      if (text.indexOf(words[w]) === -1) {
        return false;
      }
    }
    return true;
  }

  // The entries holding every word of the query, in name order. A query that only adds to the last one (the user typing on)
  // looks only at the last one's entries, unless they are so many that a scan is quicker.
  var last = null;
  function search(query) {
    var folded = fold(query);
    var words = folded.split(/\s+/).filter(function (w) { return w.length > 0; });
    if (words.length === 0) {
      last = null;
      return null;
    }
    words.sort(function (a, b) { return b.length - a.length; });
    var first = words[0];
    var found = [];
    if (last !== null && folded.indexOf(last.folded) === 0 && last.found.length <= n / 8) {
      for (var k = 0; k < last.found.length; k++) {
        if (holdsAll(last.found[k], words, 0)) {
          found.push(last.found[k]);
        }
      }
    } else {
      var entry = 0;
      for (var at = hay.indexOf(first); at !== -1; at = hay.indexOf(first, starts[entry + 1])) {
        entry = entryAt(at, entry);
        if (holdsAll(entry, words, 1)) {
          found.push(entry);
        }
      }
    }
    last = { folded: folded, found: found };
    return found;
  }

  // The entries to show: those whose text starts with the word first, the rest after them.
  function firstShown(found, word) {
    var leading = [], others = [];
    for (var f = 0; f < found.length && leading.length < LIMIT; f++) {
      if (hay.startsWith(word, starts[found[f]])) {
        leading.push(found[f]);
      } else if (others.length < LIMIT) {
        others.push(found[f]);
      }
    }
    return leading.concat(others).slice(0, LIMIT);
  }

  function span(cls, text) {
    var s = document.createElement("span");
    s.className = cls;
    s.textContent = text;
    return s;
  }

  function show(query) {
    var found = search(query);
    results.textContent = "";
    if (found === null) {
      status.textContent = "";
      return;
    }
    var longest = fold(query).split(/\s+/).reduce(function (a, b) {
      return b.length > a.length ? b : a;
    }, "");
    var picked = firstShown(found, longest);
    var shown = picked.length;
    var list = document.createDocumentFragment();
    for (var k = 0; k < shown; k++) {
      var i = picked[k];
      var dt = document.createElement("dt");
      var a = document.createElement("a");
      a.href = "entry-" + data.id[i] + ".html";
      a.textContent = data.name[i];
      dt.appendChild(a);
      if (data.group[i] >= 0) {
        dt.appendChild(document.createTextNode(" "));
        dt.appendChild(span("group", data.groups[data.group[i]]));
      }
      if (data.date[i] !== "") {
        dt.appendChild(document.createTextNode(" "));
        dt.appendChild(span("date", data.date[i]));
      }
      var dd = document.createElement("dd");
      dd.textContent = data.desc[i];
      list.appendChild(dt);
      list.appendChild(dd);
    }
    results.appendChild(list);
    status.textContent = found.length === 0 ? "No entry found." :
      found.length === 1 ? "1 entry found." :
      shown < found.length ? "The first " + shown + " of " + found.length + " entries found." :
      found.length + " entries found.";
  }

  box.addEventListener("input", function () { show(box.value); });
  section.hidden = false;
  var asked = new URLSearchParams(location.search).get("q");
  if (asked) {
    box.value = asked;
    show(asked);
  }
})();
)js";

}  // namespace

QByteArray SiteStyleSheet() {
    return QByteArray(kStyleSheet);
}

QByteArray SiteSearchScript() {
    return QByteArray(kSearchScript);
}

}  // namespace tavri

// Tavri site search: runs in the page, also when the site is opened from disk. The index is
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

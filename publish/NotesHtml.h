// The notes of an entry as HTML: the writer's mark-up read with libxml2's HTML parser (which
// recovers from tag soup as browsers do) and written back out, either as HTML5 for the web site
// or as well-formed XHTML for the e-book. What comes out is always balanced: an unclosed tag in
// a note ends with the note and never spills into the page around it.
//
// On the way out:
// - a link "G" + id + ".htm" (the classic site's EntryPageName) gets the href that the caller's
//   resolver gives for the id; when the resolver gives none, the link is unwrapped (its text
//   stays) and the id is reported as broken;
// - an image source "images\x" or "images/x" ("images" in any letter case) becomes the caller's
//   href for x (with "/" between its folders), and x is reported as used;
// - an element named in the drop set is left out with everything inside it, and reported;
// - each line break of the text becomes a <br>, as on the classic site's pages, except inside
//   pre, textarea, script and style, inside elements that cannot hold text (ul, table, ...), and
//   next to a block element (the break between "</p>" and "<p>" adds no empty line);
// - comments, processing instructions and characters that XML forbids are left out; img
//   align="left" or "right" becomes a float style, since HTML5 has no align;
// - in XHTML, void elements close themselves ("<br/>"), an attribute without a value repeats
//   its name, and a prefixed attribute other than xml:lang is dropped, as no namespace declares
//   it (the parser itself reads a prefixed element such as Word's "o:p" as "p").
// Everything else (elements, attributes, text) is kept as the writer wrote it.
#pragma once

#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace tavri {

enum class NotesSyntax { Html5, Xhtml };

struct NotesRules {
    NotesSyntax syntax = NotesSyntax::Html5;
    // The href of the entry with this id, or none when there is no such entry.
    std::function<std::optional<QString>(qint64 id)> entryHref;
    // The href of the image x of "images\x"; when unset, image sources stay as written.
    std::function<QString(const QString& image)> imageHref;
    // Lower-case names of the elements left out, with their content.
    QSet<QString> drop;
};

// What one note held. Each list is in order of first appearance, without repeats.
struct NotesFindings {
    std::vector<qint64> linkedEntries;  // ids whose links were resolved
    std::vector<qint64> brokenLinks;    // ids the resolver did not know: kept as text
    QStringList images;                 // x of every "images\x" rewritten
    QStringList dropped;                // names of the elements left out
};

// Elements that a reading system cannot show or run (script, form and its controls, frames,
// plug-ins) and those that belong in a page's head (style, link, meta, base, title).
const QSet<QString>& ActiveContentElements();

// text for an HTML or XHTML page, as element content or as a quoted attribute value: "&", "<",
// ">" and '"' escaped, characters that XML forbids left out.
QString EscapeMarkup(QStringView text);

// One parser, reused for every note of a run.
class NotesHtml {
public:
    NotesHtml();
    ~NotesHtml();
    NotesHtml(const NotesHtml&) = delete;
    NotesHtml& operator=(const NotesHtml&) = delete;

    // The notes, trimmed of blanks, written out by the rules; findings are replaced by this
    // note's. Line breaks in the result are CR LF.
    QString render(const QString& notes, const NotesRules& rules, NotesFindings& findings);

private:
    struct Parser;
    std::unique_ptr<Parser> parser_;
};

}  // namespace tavri

// The mark-up that the editor's aids write into an entry's notes, and the look-ups behind them:
// image tags, links to other entries' pages, the images folder's listing, the list of every
// entry to link to, and the entry a selected text names.
//
// The tags are written exactly as the published pages expect them: image paths are relative to
// the reports folder and keep the text "images\" (browsers read it as a slash); an entry's page
// is "G" + id + ".htm". Nothing here checks that an image file or an entry page exists.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "store/Recordset.h"

namespace tavri {

// <img src="images\F" align="left">
QString ImageTag(const QString& fileName);

// The placeholder file name of the plain image link, and where it sits inside ImageTag(): the
// aid selects it so that typing the real name replaces it.
inline constexpr const char* kImagePlaceholder = "IMAGENAME.JPG";
inline constexpr int kImagePlaceholderOffset = 17;  // length of <img src=" + images\ .
inline constexpr int kImagePlaceholderLength = 13;

// <a href="G<id>.htm">text</a>
QString EntryLink(qint64 id, const QString& text);

// The names of the normal files in folder ending in ".jpg", then those ending in ".gif", the
// extension matched without regard to letter case, each group in the listing's own order. A
// missing folder gives no names.
QStringList ImageFileNames(const QString& folder);

struct LinkChoice {
    QString text;  // name + " (" + race-location + ") " + desc
    qint64 id = 0;
};

// Every entry, in "namedex" order, as an item of the link list. Leaves entries on "namedex"
// past its end.
std::vector<LinkChoice> EntryLinkChoices(Recordset& entries);

struct LinkTarget {
    qint64 id = 0;
    QString name;
};

// The first entry in "namedex" order whose name is not before selected (the index's comparison,
// which ignores letter case), or none when selected comes after every name. Leaves entries on
// "namedex", on the entry found or on no record.
std::optional<LinkTarget> FindLinkTarget(Recordset& entries, const QString& selected);

}  // namespace tavri

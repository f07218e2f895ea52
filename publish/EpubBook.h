// The compendium as an EPUB 3 e-book, with an NCX besides for older reading systems.
//
// The book holds a title page, the navigation document (every race/location with its entries
// in name order), one section per entry grouped by race/location, and an alphabetical index
// page. Entry sections of one race/location share a content document, cut into parts of at
// most kEntriesPerDocument sections so that no reading system has to lay out one huge file.
// An entry's notes are written as well-formed XHTML: links to "G" + id + ".htm" lead to the
// entry's section, images of Reports/images/ that the notes use are packed into the book, and
// what a reading system cannot show is dropped and reported.
//
// The writer knows no window. It reads every entry once through EntryRs, keeps the book in
// memory until it is written, and writes it through ZipPackage, which replaces the file whole
// or not at all. Failures throw FileError or StoreError.
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include "app/AppState.h"
#include "publish/Progress.h"

namespace tavri {

inline constexpr int kEntriesPerDocument = 200;

struct EpubOptions {
    QString identifier;  // the book's stable identifier, "urn:uuid:" + a UUID
    QString language = QStringLiteral("en");
    QDateTime modified;  // the book's modification time; now when not valid
};

struct EpubReport {
    qint64 entries = 0;
    QStringList dropped;  // one line per thing left out of a note, naming the entry
};

// Is text a language tag that the book's metadata can carry ("en", "de-CH", "zh-Hant")?
bool IsLanguageTag(const QString& text);

// The book's default path: DataDir + "Reports/palm/Tavri.epub".
QString DefaultEpubPath(const AppState& state);

// Writes the book of the compendium to path. Leaves EntryRs on "namedex" past its end.
EpubReport WriteEpubBook(AppState& state, const QString& path, const EpubOptions& options,
                         PublishProgress& progress);

}  // namespace tavri

// The modern web site: a folder of its own (Reports/site/ unless told otherwise) that a browser
// opens from disk or from any web host, beside the classic framed site, which it never touches.
//
// Pages: index.html (title, entry count, search, the initials, the race/locations with their
// counts, the entries marked changed), one page per entry with or without notes (its facts,
// its notes, "Mentioned in" and the previous and next entry in name order), one page per
// initial and per race/location. Beside them one style sheet, the search script and the search
// index, loaded as a script so that search also works from file://, and the images the notes
// use, copied from Reports/images/.
//
// Page names are built on what does not change when an entry is renamed: an entry's page is
// "entry-" + id + ".html"; an initial's and a race/location's page carry the initial or the
// race/location itself (see SiteGroupPage), so they move only when it changes.
//
// Every file goes through OutputFile, so a file whose bytes did not change is not rewritten;
// pages of entries, initials and race/locations that no longer exist are removed. Nothing in
// the database changes. A failure throws FileError or StoreError; the files written until then
// stay.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "app/AppState.h"
#include "publish/Progress.h"

namespace tavri {

struct ModernSiteOptions {
    QString folder;                       // ends with "/"; empty: DefaultSiteFolder
    QString lang = QStringLiteral("en");  // the pages' lang attribute
};

// What a run wrote and what the writer should mend.
struct ModernSiteReport {
    QString folder;
    qint64 entries = 0;
    qint64 pages = 0;       // HTML pages of the site
    qint64 written = 0;     // files whose bytes changed (all others were left alone)
    qint64 indexBytes = 0;  // the search index
    struct Problem {
        qint64 id;     // the entry whose notes hold it
        QString name;  // that entry's name
        QString what;  // "G99.htm" or "images/x.jpg"
    };
    std::vector<Problem> brokenLinks;    // links to entries that no longer exist, kept as text
    std::vector<Problem> missingImages;  // images the notes use that Reports/images/ lacks
};

// One line per problem of a run, for the writer to mend: broken links first, then images.
QStringList DescribeProblems(const ModernSiteReport& report);

// DataDir + "Reports/site/".
QString DefaultSiteFolder(const AppState& state);

// The page of an entry: "entry-" + id + ".html".
QString SiteEntryPage(qint64 id);
// The page of an initial ("letter-") or of a race/location ("group-"): the prefix, then each
// letter or digit in lower case, "-" as it is, a blank as "_" and any other character as "~" +
// its code point in hex + "~", then ".html". Different texts give different names unless they
// differ only in letter case, and the name is a safe file name.
QString SiteLetterPage(const QString& initial);
QString SiteGroupPage(const QString& raceLocation);

// The initial under which a name is listed: its first character in upper case.
QString SiteInitial(const QString& name);

// Writes the whole site. Leaves EntryRs on index "namedex".
ModernSiteReport WriteModernSite(AppState& state, const ModernSiteOptions& options,
                                 PublishProgress& progress);

}  // namespace tavri

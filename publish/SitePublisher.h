// The framed HTML web site: the start page made from the user's framebase.txt, the two contents
// pages, one index page per initial letter and per race/location, and (through EntryPages.h) a
// page per entry with notes; then the reading files of the palm folder.
//
// The publisher knows no window. Its front end (the main window, tavri-cli) asks the two
// questions, passes the answers in, shows the progress it reports and clears the changed flags
// afterwards with ClearChangedFlags (Publication.h) when the user agreed. Every file or database
// failure throws FileError or StoreError; the files the run had not ended are abandoned (their
// writers go out of scope unclosed), and nothing in the database has been changed by the run.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

#include "app/AppState.h"
#include "base/OutputFile.h"
#include "publish/GroupedWalk.h"
#include "publish/Progress.h"
#include "publish/Publication.h"

namespace tavri {

// The colour rules of one run, worked out once at its start.
struct SiteStyle {
    bool hasBackground = false;
    QString linkAttributes;
    QString colourAttributes;
};

// Is there a page background, Reports/images/gback.jpg?
bool HasBackground(const AppState& state);
// " link=Q..Q vlink=Q..Q alink=Q..Q" from "linkcolour", or "" when it is blank.
QString LinkAttributes(const AppState& state);
// LinkAttributes followed by " BGCOLOR=Q..Q" from "nameH" when that is not blank.
QString ColourAttributes(const AppState& state);
SiteStyle ReadSiteStyle(const AppState& state);

// The line right after "<head>" on every page: the pages are UTF-8.
inline constexpr char16_t kCharsetLine[] = u"<meta charset=\"utf-8\">";

// "<html>", "<head>", the charset line, "<title>" + campaign + "</title>", "</head>".
void PageHead(OutputFile& out, const QString& campaign);
// The site's body tag, with the ink colour read afresh from the options record.
QString SiteBodyTag(const AppState& state, const SiteStyle& style);
// AlphaNumOnly of the upper-case race/location: the "g-" + key + ".htm" page's key.
QString RaceLocationKey(const QString& raceLocation);
// The upper-case first character of a stored name: its letter page "g-" + letter + ".htm".
QString EntryLetter(const QString& name);
// The page file name of a letter or race/location key, safe to create in the reports folder.
QString IndexPageName(const QString& key);
// "A" to "Z": the letters that the letter strips always link.
QStringList LatinCapitals();
bool IsLatinCapital(const QString& letter);

// The six lines of the current entry's row in an index table. afterNameCell, when given, runs
// between the name cell and the race/location cell (the letter walk writes entry pages there).
void IndexRow(OutputFile& out, const Recordset& entry,
              const std::function<void()>& afterNameCell = {});

// gcontents.htm's strip of race/locations, fed in "rldex" order: one link to the page of each
// run of equal stored values (exact comparison; a missing value never starts a run), each
// followed by afterLink, all on one line. The caller writes the page's start through out();
// finish ends the line and the page.
class RaceLocationStrip : public WalkWriter {
public:
    RaceLocationStrip(const AppState& state, QString afterLink);
    OutputFile& out() { return out_; }
    void entry(const Recordset& rs) override;
    void finish() override;

private:
    OutputFile out_;
    QString afterLink_;
    QString previous_ = QStringLiteral("&");
};

// What the user chose for a run.
struct SitePublishOptions {
    // Publish Changed: entry pages are rewritten only for entries marked changed; every other
    // page is written in full from all entries.
    bool changedOnly = false;
};

// The whole site and the palm folder's reading files, in the phases IndexPages and
// RaceLocationPages, all read from one snapshot of the compendium, which the result holds for
// ClearChangedFlags with the number of entries published. A missing framebase.txt is reported
// (FileError) before anything is written. Leaves EntryRs on index "id".
std::unique_ptr<Publication> PublishSite(AppState& state, const SitePublishOptions& options,
                                         PublishProgress& progress);

// The reading files of the palm folder, the phase ReadingFiles: TomeOutput, then
// TavriPageOutput (each makes the folder when it is missing).
void WriteReadingFiles(AppState& state, PublishProgress& progress);

}  // namespace tavri

// The page rules the two framed sites share: the colours and body tags read from the options
// record, the head every page opens with, the index pages' names and rows, the strip of
// race/locations in gcontents.htm and the top page gtop.htm. The web site (SitePublisher.h) and
// the alphabetical site (AlphaSite.h) are each built from these; neither uses the other.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

#include "app/AppState.h"
#include "base/OutputFile.h"
#include "publish/GroupedWalk.h"
#include "store/Recordset.h"

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
// An empty line, "</body>", "</html>": the end of the web site's pages.
void PageEnd(OutputFile& out);
// The site's body tag, with the ink colour read afresh from the options record.
QString SiteBodyTag(const AppState& state, const SiteStyle& style);
// The alphabetical site's body tag: background and ink as the web site's, then only the link
// attributes (these pages carry no background colour). The ink colour is read afresh.
QString AlphaBodyTag(const AppState& state, const SiteStyle& style);

// gtop.htm, the first page of the main frame: the campaign as heading.
void WriteTopPage(AppState& state, const SiteStyle& style);
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

}  // namespace tavri

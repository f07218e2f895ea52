// The page rules the two framed sites share.
#include "publish/SitePages.h"

#include <QFileInfo>
#include <utility>

#include "base/Sutils.h"
#include "base/TextCodec.h"
#include "publish/EntryPages.h"
#include "publish/FileNames.h"

namespace tavri {
namespace {

const QString kQ = QStringLiteral("\"");

QString quoted(const QString& value) {
    return kQ + value + kQ;
}

QString optionText(const AppState& state, QStringView field) {
    return state.OptionsRs->text(field);
}

}  // namespace

bool HasBackground(const AppState& state) {
    return QFileInfo(state.ImagesDir() + QStringLiteral("gback.jpg")).isFile();
}

QString LinkAttributes(const AppState& state) {
    const QString colour = optionText(state, u"linkcolour");
    if (IsBlank(colour)) {
        return QString();
    }
    return QStringLiteral(" link=") + quoted(colour) + QStringLiteral(" vlink=") + quoted(colour) +
           QStringLiteral(" alink=") + quoted(colour);
}

QString ColourAttributes(const AppState& state) {
    QString attributes = LinkAttributes(state);
    const QString background = optionText(state, u"nameH");
    if (!IsBlank(background)) {
        attributes += QStringLiteral(" BGCOLOR=") + quoted(background);
    }
    return attributes;
}

SiteStyle ReadSiteStyle(const AppState& state) {
    return SiteStyle{HasBackground(state), LinkAttributes(state), ColourAttributes(state)};
}

void PageHead(OutputFile& out, const QString& campaign) {
    out.line(u"<html>");
    out.line(u"<head>");
    out.line(kCharsetLine);
    out.line(QStringLiteral("<title>") + campaign + QStringLiteral("</title>"));
    out.line(u"</head>");
}

void PageEnd(OutputFile& out) {
    out.line();
    out.line(u"</body>");
    out.line(u"</html>");
}

QString SiteBodyTag(const AppState& state, const SiteStyle& style) {
    const QString ink = optionText(state, u"inkcolour");
    const QString start = style.hasBackground
                              ? QStringLiteral("<body background=images/gback.jpg text=")
                              : QStringLiteral("<body text=");
    return start + quoted(ink) + style.colourAttributes + QStringLiteral(">");
}

QString RaceLocationKey(const QString& raceLocation) {
    return AlphaNumOnly(raceLocation.toUpper());
}

QString EntryLetter(const QString& name) {
    return leftCodePoints(name, 1).toUpper();
}

QString IndexPageName(const QString& key) {
    return QStringLiteral("g-") + SafeFileNamePart(key) + QStringLiteral(".htm");
}

void IndexRow(OutputFile& out, const Recordset& entry, const std::function<void()>& afterNameCell) {
    const QString name = TrimSpaces(entry.text(u"name"));
    out.line(u"<tr>");
    if (HasEntryPage(entry)) {
        out.line(QStringLiteral("<td><a href=\"") + EntryPageName(entry.field(u"id").toLongLong()) +
                 QStringLiteral("\">") + name + QStringLiteral("</a><td>"));
    } else {
        out.line(QStringLiteral("<td>") + name + QStringLiteral("<td>"));
    }
    if (afterNameCell) {
        afterNameCell();
    }
    out.line(QStringLiteral("<td>") + TrimSpaces(entry.text(u"race-location")) +
             QStringLiteral("<td>"));
    out.line(QStringLiteral("<td>") + TrimSpaces(entry.text(u"date")) + QStringLiteral("<td>"));
    out.line(QStringLiteral("<td>") + TrimSpaces(entry.text(u"desc")) + QStringLiteral("<td>"));
    out.line(u"</tr>");
}

QString AlphaBodyTag(const AppState& state, const SiteStyle& style) {
    const QString ink = optionText(state, u"inkcolour");
    const QString start = style.hasBackground
                              ? QStringLiteral("<body background=images/gback.jpg text=\"")
                              : QStringLiteral("<body text=\"");
    return start + ink + QStringLiteral("\"") + style.linkAttributes + QStringLiteral(">");
}

void WriteTopPage(AppState& state, const SiteStyle& style) {
    OutputFile out(state.ReportsDir() + QStringLiteral("gtop.htm"), OutputFormat::Html);
    const QString campaign = optionText(state, u"campaign");
    PageHead(out, campaign);
    out.line(AlphaBodyTag(state, style));
    out.line(QStringLiteral("<h1>") + campaign + QStringLiteral("</h1>"));
    out.line(u"</body>");
    out.line(u"</html>");
    out.close();
}

RaceLocationStrip::RaceLocationStrip(const AppState& state, QString afterLink)
    : out_(state.ReportsDir() + QStringLiteral("gcontents.htm"), OutputFormat::Html),
      afterLink_(std::move(afterLink)) {}

void RaceLocationStrip::entry(const Recordset& rs) {
    const QVariant value = rs.field(u"race-location");
    if (!value.isNull() && value.toString() != previous_) {
        previous_ = value.toString();
        out_.part(QStringLiteral("<a href=\"g-") + RaceLocationKey(previous_) +
                  QStringLiteral(".htm\" target=\"gmain\">") + previous_ + QStringLiteral("</a>") +
                  afterLink_);
    }
}

void RaceLocationStrip::finish() {
    PageEnd(out_);
    out_.close();
}

QStringList LatinCapitals() {
    QStringList letters;
    for (char16_t l = u'A'; l <= u'Z'; ++l) {
        letters.push_back(QString(QChar{l}));
    }
    return letters;
}

bool IsLatinCapital(const QString& letter) {
    return letter.size() == 1 && letter.front() >= QLatin1Char('A') &&
           letter.front() <= QLatin1Char('Z');
}

}  // namespace tavri

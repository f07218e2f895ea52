// Entry pages of the web site.
#include "publish/EntryPages.h"

#include "base/OutputFile.h"
#include "base/Sutils.h"

namespace tavri {

bool HasEntryPage(const Recordset& entry) {
    return !IsBlank(entry.text(u"details"));
}

QString BreakBeforeCarriageReturns(const QString& text) {
    QString result;
    result.reserve(text.size() + text.size() / 8);
    for (QChar c : text) {
        if (c == QLatin1Char('\r')) {
            result += QLatin1String("<br>");
        }
        result += c;
    }
    return result;
}

void WriteEntryPage(const AppState& state, const Recordset& entry, const SiteStyle& style,
                    bool changedOnly, PublishProgress& progress) {
    if (changedOnly && !entry.field(u"changed").toBool()) {
        return;
    }
    const QString notes = BreakBeforeCarriageReturns(TrimSpaces(entry.text(u"details")));
    const QString name = entry.text(u"name");
    OutputFile page(state.ReportsDir() + EntryPageName(entry.field(u"id").toLongLong()),
                    OutputFormat::Html);
    progress.entry(name);

    page.line(u"<html>");
    page.line(u"<head>");
    page.line(kCharsetLine);
    page.line(QStringLiteral("<title>") + name + QStringLiteral("</title>"));
    page.line(QStringLiteral("<link rel=\"stylesheet\"href=\"TavriStyle.css\">"));
    page.line(u"</head>");
    page.line(SiteBodyTag(state, style));
    page.line(QStringLiteral("<h1>") + name + QStringLiteral("</h1>"));
    page.line(QStringLiteral("<p>") + NewlinesToBr(entry.text(u"desc")) + QStringLiteral("</p>"));
    page.line(u"<hr>");
    page.line(QStringLiteral("<p>") + notes + QStringLiteral("</p>"));
    page.line();
    page.line(u"<hr>");
    page.line(QStringLiteral("<a href=\"g-") + RaceLocationKey(entry.text(u"race-location")) +
              QStringLiteral(".htm\">Click here to return to index</a>"));
    page.line(u"</body>");
    page.line(u"</html>");
    page.close();
}

}  // namespace tavri

// The ad-hoc report.
#include "publish/AdHocReport.h"

#include "base/OutputFile.h"
#include "base/Sutils.h"
#include "publish/SitePages.h"

namespace tavri {

QString WriteAdHocReport(AppState& state, const std::vector<qint64>& ids,
                         const QString& queryText) {
    const QString path = state.ReportsDir() + QStringLiteral("AdHoc.htm");
    OutputFile out(path, OutputFormat::Html);
    PageHead(out, state.OptionsRs->text(u"campaign"));
    out.line(u"<body>");
    out.line(QStringLiteral("<h1>Query on ") + queryText + QStringLiteral("</h1>"));

    Recordset& rs = *state.EntryRs;
    rs.setIndex(u"id");
    for (const qint64 id : ids) {
        out.line(QStringLiteral("<table width=\"100%\"><tr><td>"));
        rs.seek(u"=", QVariant(static_cast<qlonglong>(id)));
        if (rs.noMatch()) {
            continue;
        }
        out.line(QStringLiteral("<b>Name: </b>") + TrimSpaces(rs.text(u"name")) +
                 QStringLiteral("<br>"));
        out.line(QStringLiteral("<b>Race/Loc'n: </b>") + TrimSpaces(rs.text(u"race-location")) +
                 QStringLiteral("<br>"));
        out.line(QStringLiteral("<b>Date: </b>") + TrimSpaces(rs.text(u"date")) +
                 QStringLiteral("<br>"));
        out.line(QStringLiteral("<b>Description: </b>") + TrimSpaces(rs.text(u"desc")) +
                 QStringLiteral("<br>"));
        const QString notes = TrimSpaces(rs.text(u"details"));
        if (!notes.isEmpty()) {
            out.line(notes + QStringLiteral("<br>"));
        }
        out.line(u"</td></tr></table>");
        out.line(u"<hr>");
    }
    out.line(u"</body>");
    out.line(u"</html>");
    out.close();
    return path;
}

QString ReportWrittenMessage(const QString& path) {
    return QStringLiteral("Report written to ") + path;
}

}  // namespace tavri

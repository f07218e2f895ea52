// The ad-hoc report: the listed entries in list order, byte for byte.
#include <gtest/gtest.h>

#include "publish/AdHocReport.h"
#include "support/TestSupport.h"

namespace tavri {
namespace {

using test::ReadAll;
using test::TempCompendium;

QByteArray Lines(std::initializer_list<QByteArray> lines) {
    QByteArray bytes;
    for (const QByteArray& l : lines) {
        bytes += l;
        bytes += "\r\n";
    }
    return bytes;
}

const QByteArray kHead = Lines({"<html>", "<head>", "<meta charset=\"utf-8\">",
                                "<title>The Reach</title>", "</head>", "<body>"});
const QByteArray kOpen = Lines({"<table width=\"100%\"><tr><td>"});
const QByteArray kEnd = Lines({"</body>", "</html>"});

TEST(AdHocReportTest, EntriesFollowTheListOrderAndMissingIdsLeaveAnOpenBlock) {
    TempCompendium c(QStringLiteral("The Reach"));
    const qint64 first =
        c.add({" Zed ", " Orc ", " 12 ", " Green ", " Line one\r\n<b>two</b> ", false});
    const qint64 second = c.add({"Amy", "", "", u"Caf\u00E9 \u2603"_qs, "   ", true});
    const QString path = WriteAdHocReport(c.state(), {second, 0, first}, QStringLiteral(" orc "));
    EXPECT_EQ(path, c.state().ReportsDir() + "AdHoc.htm");
    EXPECT_EQ(
        ReadAll(path).toStdString(),
        (kHead + Lines({"<h1>Query on  orc </h1>"}) + kOpen +
         Lines({"<b>Name: </b>Amy<br>", "<b>Race/Loc'n: </b><br>", "<b>Date: </b><br>",
                "<b>Description: </b>Caf\xC3\xA9 \xE2\x98\x83<br>", "</td></tr></table>", "<hr>"}) +
         kOpen + kOpen +
         Lines({"<b>Name: </b>Zed<br>", "<b>Race/Loc'n: </b>Orc<br>", "<b>Date: </b>12<br>",
                "<b>Description: </b>Green<br>", "Line one\r\n<b>two</b><br>", "</td></tr></table>",
                "<hr>"}) +
         kEnd)
            .toStdString());
    EXPECT_EQ(ReportWrittenMessage(path),
              "Report written to " + c.state().ReportsDir() + "AdHoc.htm");
}

TEST(AdHocReportTest, AnEmptyListGivesTheHeadingOnly) {
    TempCompendium c(QStringLiteral("The Reach"));
    c.add({"Amy", "", "", "", "", false});
    const QString path = WriteAdHocReport(c.state(), {}, QString());
    EXPECT_EQ(ReadAll(path).toStdString(),
              (kHead + Lines({"<h1>Query on </h1>"}) + kEnd).toStdString());
}

}  // namespace
}  // namespace tavri

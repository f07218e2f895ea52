// The Export menu's web site and e-book, run as the user runs them: at the end of the menu bar,
// through the progress frame, ending with a status line that says where the output is, and a
// warning that lists what the notes link to in vain or lost. They publish nothing: the changed
// flags stay.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

#include "support/ScriptedDialogs.h"
#include "support/TestSupport.h"
#include "ui/Form1.h"

namespace tavri {
namespace {

class FrameWatch : public ScriptedDialogs {
public:
    // Shows the window with its list filled and watches it; false when it never appears.
    bool watch(Form1& w) {
        w.setEndProgram([] {});
        w.RefreshList();
        w.show();
        window = &w;
        return QTest::qWaitForWindowExposed(&w);
    }
    void beep() override {
        ScriptedDialogs::beep();
        if (window != nullptr) {
            phaseAtBeep = window->Frame2->isVisible() ? window->Label3->text() : QString();
        }
    }
    Form1* window = nullptr;
    QString phaseAtBeep;
};

TEST(Form1Export, WebSiteIsWrittenThroughTheProgressFrameAndTheStatusLineSaysWhere) {
    test::TempCompendium c;
    c.add({"Zed", "Orc", "12", "Green", "Knows <a href=\"G9.htm\">a ghost</a>", true});
    c.add({"Amy", "Elf", "", "Small", "", false});
    FrameWatch dialogs;
    Form1 w(c.state(), dialogs);
    ASSERT_TRUE(dialogs.watch(w));

    const QList<QAction*> bar = w.menuBar()->actions();
    ASSERT_FALSE(bar.isEmpty());
    EXPECT_EQ(bar.back()->text(), QStringLiteral("E&xport"));
    EXPECT_EQ(bar.back()->menu()->actions(), (QList<QAction*>{w.mnuwebsite, w.mnuebook}));
    w.mnuwebsite->trigger();

    const QString site = c.dir() + QStringLiteral("Reports/site/");
    EXPECT_TRUE(QFileInfo::exists(site + QStringLiteral("entry-1.html")));
    EXPECT_EQ(dialogs.phaseAtBeep, QStringLiteral("Writing web site:"));
    EXPECT_FALSE(w.Frame2->isVisible());
    EXPECT_TRUE(w.mnuwebsite->isEnabled() && w.Command4->isEnabled());
    EXPECT_EQ(w.statusBar()->currentMessage(),
              QStringLiteral("Web site written: ") + site + QStringLiteral("index.html"));
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_TRUE(dialogs.messages()[0].contains(QStringLiteral("G9.htm in the notes of \"Zed\"")));
    EXPECT_EQ(w.Command4Tag, QString());
    Recordset& rs = *c.state().EntryRs;
    rs.setIndex(u"id");
    rs.seek(u"=", 1);
    EXPECT_TRUE(rs.field(u"changed").toBool());
}

// The book goes to the palm folder, which the user may have removed.
TEST(Form1Export, EbookIsWrittenThroughTheProgressFrameAndTheStatusLineNamesIt) {
    test::TempCompendium c;
    c.add({"Cy", "Elf", "", "", "Run <script>x()</script>", true});
    QDir(c.state().PalmDir()).removeRecursively();
    FrameWatch dialogs;
    Form1 w(c.state(), dialogs);
    ASSERT_TRUE(dialogs.watch(w));
    w.mnuebook->trigger();

    const QString book = c.state().PalmDir() + QStringLiteral("Tavri.epub");
    EXPECT_TRUE(QFileInfo(book).isFile());
    EXPECT_EQ(dialogs.phaseAtBeep, QStringLiteral("Writing the e-book:"));
    EXPECT_FALSE(w.Frame2->isVisible());
    EXPECT_EQ(w.statusBar()->currentMessage(), QStringLiteral("E-book written: ") + book);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_TRUE(dialogs.messages()[0].endsWith(u"\nCy (id 1): left out <script>"))
        << dialogs.messages()[0].toStdString();
    Recordset& rs = *c.state().EntryRs;
    rs.setIndex(u"id");
    rs.seek(u"=", 1);
    EXPECT_TRUE(rs.field(u"changed").toBool());
}

}  // namespace
}  // namespace tavri

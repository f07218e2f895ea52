// The Export menu's web site, run as the user runs it: through the progress frame, ending with a
// status line that says where the site is, and a warning that lists what the notes link to in vain.
// It publishes nothing: the changed flags stay.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

#include "app/Dialogs.h"
#include "support/TestSupport.h"
#include "ui/Form1.h"

namespace tavri {
namespace {

class FrameWatch : public ScriptedDialogs {
public:
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
    w.setEndProgram([] {});
    w.RefreshList();
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    dialogs.window = &w;

    EXPECT_EQ(w.mnuexport->actions(), QList<QAction*>{w.mnuwebsite});
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

}  // namespace
}  // namespace tavri

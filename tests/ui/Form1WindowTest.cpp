// The main window as a window: its layout and how it grows, its menus, the Options dialog,
// Exit and the close box, and the switch that turns the commands off while publishing.
#include <gtest/gtest.h>

#include <sqlite3.h>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "support/ScriptedDialogs.h"
#include "support/TestSupport.h"
#include "ui/Form1.h"
#include "ui/Grid1.h"
#include "ui/Twips.h"

namespace tavri {
namespace {

using test::TempCompendium;

class Form1Window : public ::testing::Test {
protected:
    Form1Window() : c(QStringLiteral("Campaign Notes")), w(c.state(), dialogs) {
        w.setEndProgram([this] { ++ended; });
    }

    void show() {
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    }

    QList<QPushButton*> buttons() const {
        return {w.Command1, w.Command5, w.Command2, w.Command3, w.Command8,
                w.Command7, w.Command6, w.Command4, w.Command9};
    }
    QList<QAction*> menuItems() const {
        return {w.mnuexit,
                w.mnucurrent,
                w.mnuBookmark,
                w.mnuOptions,
                w.mnualpha,
                w.mnuupload,
                w.mnuexport->menuAction()};
    }
    QList<QWidget*> filterControls() const {
        return {w.Combo1, w.Check1, w.Text1, w.Option1[0], w.Option1[1], w.Option1[2]};
    }

    int databaseChanges() { return sqlite3_total_changes(c.state().Db->handle()); }

    TempCompendium c;
    ScriptedDialogs dialogs;
    Form1 w;
    int ended = 0;
};

TEST_F(Form1Window, ControlsSitAtTheirDesignPositionsWithTheirCaptions) {
    show();
    EXPECT_EQ(w.windowTitle(), c.state().AppTitle);
    EXPECT_EQ(w.centralWidget()->size(), TwipsRect(0, 0, 9345, 7920).size());
    EXPECT_NEAR(PixelsToTwips(w.centralWidget()->width()), 9345, 15);
    EXPECT_NEAR(PixelsToTwips(w.centralWidget()->height()), 7920, 15);
    EXPECT_EQ(w.Frame1->geometry(), TwipsRect(0, 0, 9255, 6615));
    EXPECT_EQ(w.Grid1->geometry(), TwipsRect(120, 240, 9015, 5295));
    EXPECT_EQ(w.Command4->geometry(), TwipsRect(8040, 5760, 855, 615));
    EXPECT_EQ(w.Command8->geometry(), TwipsRect(4800, 6480, 855, 615));
    EXPECT_EQ(w.Frame2->geometry(), TwipsRect(1920, 960, 4215, 3255));
    EXPECT_EQ(w.Label2->geometry(), TwipsRect(480, 1680, 3255, 255));
    EXPECT_EQ(w.Frame3->geometry(), TwipsRect(0, 6600, 9255, 1215));
    EXPECT_EQ(w.Text1->geometry(), TwipsRect(2760, 480, 2295, 285));
    EXPECT_EQ(w.Frame4->geometry(), TwipsRect(7320, 120, 1815, 975));
    EXPECT_EQ(w.Option1[2]->geometry(), TwipsRect(120, 720, 1575, 195));
    EXPECT_EQ(w.Grid1->parentWidget(), w.Frame1);
    EXPECT_EQ(w.Frame2->parentWidget(), w.Frame1);
    EXPECT_EQ(w.ProgressBar->parentWidget(), w.Frame2);
    EXPECT_GT(w.ProgressBar->y(), w.Label2->geometry().bottom());
    EXPECT_EQ(w.Frame4->parentWidget(), w.Frame3);
    EXPECT_EQ(w.Option1[0]->parentWidget(), w.Frame4);

    QStringList captions;
    for (QPushButton* b : buttons()) {
        captions << b->text();
        EXPECT_FALSE(b->toolTip().isEmpty()) << b->text().toStdString();
    }
    EXPECT_EQ(captions, (QStringList{"Add", "Copy", "Edit", "Delete", "Publish Alpha", "Create RTF",
                                     "Publish Changed", "Publish", "Clear"}));
    EXPECT_EQ(w.Frame1->title(), "Records");
    EXPECT_EQ(w.Frame2->title(), "Progress");
    EXPECT_EQ(w.Frame3->title(), "Filters");
    EXPECT_EQ(w.Frame4->title(), "Changed?");
    EXPECT_EQ(w.Label1->text(), "Text Match");
    EXPECT_EQ(w.Label4->text(), "Date Match");
    EXPECT_EQ(w.Label2->text(), "Label2");
    EXPECT_EQ(w.Label3->text(), "Label2");
    EXPECT_EQ(w.Check1->text(), "Just Race/Loc");
    EXPECT_EQ(w.Option1[0]->text(), "All");
    EXPECT_EQ(w.Option1[1]->text(), "Changed");
    EXPECT_EQ(w.Option1[2]->text(), "Unchanged");
}

TEST_F(Form1Window, StartsWithAllSelectedNothingCheckedPublishAlphaOffAndProgressHidden) {
    show();
    EXPECT_TRUE(w.Option1[0]->isChecked());
    EXPECT_FALSE(w.Check1->isChecked());
    EXPECT_EQ(w.Text1->text(), "");
    EXPECT_FALSE(w.Command8->isEnabled());
    EXPECT_TRUE(w.Frame2->isHidden());
    EXPECT_TRUE(w.Combo1->isEditable());
}

// The Export menu comes last (its own test checks it); the six items before it stay as they were.
TEST_F(Form1Window, TheMenuBarHoldsSixItemsWithoutSubmenusInOrderThenExport) {
    QList<QAction*> bar = w.menuBar()->actions();
    ASSERT_FALSE(bar.isEmpty());
    EXPECT_EQ(bar.takeLast(), w.mnuexport->menuAction());
    QStringList texts;
    for (QAction* a : bar) {
        texts << a->text();
        EXPECT_EQ(a->menu(), nullptr);
    }
    EXPECT_EQ(texts, (QStringList{"&Exit", "&Report Current", "&Bookmark", "&Options", "&AlphaPage",
                                  "&Upload CSV"}));
    EXPECT_EQ(w.menuBar()->actions(), menuItems());
}

TEST_F(Form1Window, KeyboardFocusStartsInTheList) {
    show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    EXPECT_EQ(QApplication::focusWidget(), w.Grid1);
}

TEST_F(Form1Window, TheListAndFramesGrowWithTheWindowAndTheDesignSizeIsTheMinimum) {
    show();
    const QRect grid = w.Grid1->geometry();
    const QRect publish = w.Command4->geometry();
    const QRect add = w.Command1->geometry();
    const QRect filters = w.Frame3->geometry();
    const QRect changed = w.Frame4->geometry();
    const QRect combo = w.Combo1->geometry();
    w.resize(w.width() + 120, w.height() + 80);
    QCoreApplication::processEvents();
    EXPECT_EQ(w.Grid1->geometry(), grid.adjusted(0, 0, 120, 80));
    EXPECT_EQ(w.Command4->geometry(), publish.translated(120, 80));
    EXPECT_EQ(w.Command1->geometry(), add.translated(0, 80));
    EXPECT_EQ(w.Frame3->geometry(), filters.adjusted(0, 80, 120, 80));
    EXPECT_EQ(w.Frame4->geometry(), changed.translated(120, 0));
    EXPECT_EQ(w.Combo1->geometry(), combo);
    EXPECT_EQ(w.centralWidget()->minimumSize(), TwipsRect(0, 0, 9345, 7920).size());
}

TEST_F(Form1Window, OptionsAsksFourQuestionsInOrderWithTheCurrentValues) {
    Recordset& options = *c.state().OptionsRs;
    options.edit();
    options.setField(u"nameH", "#112233");
    options.setField(u"inkcolour", "black");
    options.setField(u"linkcolour", QVariant());
    options.update();

    w.mnuOptions->trigger();

    const auto& shown = dialogs.shown();
    ASSERT_EQ(shown.size(), 4u);
    const QString prompts[4] = {"Tavri Name", "Background Colour", "Ink Colour", "Link Colour"};
    const QString defaults[4] = {"Campaign Notes", "#112233", "black", ""};
    const QString titles[4] = {c.state().AppTitle, "", "", ""};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(shown[i].kind, ScriptedDialogs::Shown::Kind::Input);
        EXPECT_EQ(shown[i].message.text, prompts[i]);
        EXPECT_EQ(shown[i].defaultText, defaults[i]);
        EXPECT_EQ(shown[i].message.title, titles[i]);
    }
}

TEST_F(Form1Window, OptionsCancelledEverywhereChangesNothingButStillUpdates) {
    const int before = databaseChanges();
    w.mnuOptions->trigger();
    EXPECT_EQ(databaseChanges(), before + 1) << "one update of the options record";
    c.reopen();
    Recordset& options = *c.state().OptionsRs;
    EXPECT_EQ(options.text(u"campaign"), "Campaign Notes");
    EXPECT_EQ(options.text(u"nameH"), "");
    EXPECT_EQ(options.text(u"inkcolour"), "");
    EXPECT_EQ(options.text(u"linkcolour"), "");
}

TEST_F(Form1Window, OptionsWritesOnlyTheAnswersGivenExactlyAsTyped) {
    dialogs.type("");
    dialogs.type("");
    dialogs.type("  not a colour ");
    dialogs.type("");
    w.mnuOptions->trigger();
    c.reopen();
    Recordset& options = *c.state().OptionsRs;
    EXPECT_EQ(options.text(u"campaign"), "Campaign Notes");
    EXPECT_EQ(options.text(u"nameH"), "");
    EXPECT_EQ(options.text(u"inkcolour"), "  not a colour ");
    EXPECT_EQ(options.text(u"linkcolour"), "");
}

TEST_F(Form1Window, ANewTitleReachesTheListCaptionAtTheNextRefreshOnly) {
    show();
    w.RefreshList();
    dialogs.type("Middle Earth");
    w.mnuOptions->trigger();
    EXPECT_EQ(w.Frame1->title(), "Campaign Notes 0 records");
    QTest::mouseClick(w.Command9, Qt::LeftButton);
    EXPECT_EQ(w.Frame1->title(), "Middle Earth 0 records");
}

TEST_F(Form1Window, ExitClosesTheEntryCursorAndTheDatabaseAndEnds) {
    w.mnuexit->trigger();
    EXPECT_FALSE(c.state().EntryRs->isOpen());
    EXPECT_FALSE(c.state().Db->isOpen());
    EXPECT_EQ(ended, 1);
}

TEST_F(Form1Window, TheCloseBoxEndsTheProgramAndClosesTheDatabaseToo) {
    show();
    EXPECT_TRUE(w.close());
    EXPECT_FALSE(c.state().EntryRs->isOpen());
    EXPECT_FALSE(c.state().Db->isOpen());
    EXPECT_EQ(ended, 1);
}

TEST_F(Form1Window, CommandsSwitchOffAndOnTogetherAndPublishAlphaStaysOff) {
    show();
    w.setCommandsEnabled(false);
    for (QPushButton* b : buttons()) {
        EXPECT_FALSE(b->isEnabled()) << b->text().toStdString();
    }
    for (QAction* a : menuItems()) {
        EXPECT_FALSE(a->isEnabled()) << a->text().toStdString();
    }
    for (QWidget* f : filterControls()) {
        EXPECT_FALSE(f->isEnabled());
    }
    EXPECT_FALSE(w.Grid1->isEnabled()) << "a double click would start Edit";
    w.setCommandsEnabled(true);
    for (QPushButton* b : buttons()) {
        EXPECT_EQ(b->isEnabled(), b != w.Command8) << b->text().toStdString();
    }
    for (QAction* a : menuItems()) {
        EXPECT_TRUE(a->isEnabled());
    }
    for (QWidget* f : filterControls()) {
        EXPECT_TRUE(f->isEnabled());
    }
    EXPECT_TRUE(w.Grid1->isEnabled());
}

TEST_F(Form1Window, AClosingDuringAPublicationWaitsUntilItEnds) {
    show();
    w.setCommandsEnabled(false);
    EXPECT_FALSE(w.close());
    EXPECT_TRUE(c.state().Db->isOpen()) << "the publication still needs the database";
    EXPECT_EQ(ended, 0);
    w.setCommandsEnabled(true);
    QCoreApplication::processEvents();
    EXPECT_FALSE(c.state().Db->isOpen());
    EXPECT_EQ(ended, 1);
}

}  // namespace
}  // namespace tavri

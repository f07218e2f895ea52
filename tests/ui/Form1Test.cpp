// The main window as the user drives it: which gesture refreshes the list with which filter (the
// filter rules themselves are the entry list's, tested there), the race/location list, the
// columns, type-ahead, Options, Exit and the close box, the switch that turns the commands off
// while a publication runs, and a list that agrees with tavri-cli's.
#include <gtest/gtest.h>

#include <sqlite3.h>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "app/Dialogs.h"
#include "support/TestSupport.h"
#include "tests/ui/Form2TestModal.h"
#include "ui/Form1.h"
#include "ui/Form2.h"
#include "ui/Grid1.h"

namespace tavri {
namespace {

using test::TempCompendium;
using Names = std::vector<QString>;

Names ListedNames(const Form1& w) {
    Names names;
    for (int r = 1; r < w.Grid1->rows(); ++r) {
        names.push_back(w.Grid1->textMatrix(r, 1));
    }
    return names;
}

QStringList Row(const TextGrid& g, int row) {
    QStringList cells;
    for (int col = 0; col < g.cols(); ++col) {
        cells << g.textMatrix(row, col);
    }
    return cells;
}

// Clicks a check box or option button on its indicator, where a click always lands.
void Click(QWidget* button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

// Picks an item from Combo1's drop-down list with the mouse.
void Pick(QComboBox* combo, const QString& text) {
    combo->showPopup();
    QAbstractItemView* view = combo->view();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view->window()));
    const QModelIndex item = view->model()->index(combo->findText(text, Qt::MatchExactly), 0);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(item).center());
}

// Runs a gesture that should open the editor; the name the editor showed, after cancelling it
// ("" when it never opened).
QString EditorNameAfter(Form1& w, const std::function<void()>& gesture) {
    auto shown = std::make_shared<QString>();
    test::WhenModal([&w, shown](QWidget* modal) {
        if (modal == &w.editor()) {
            *shown = w.editor().Text1->text();
            w.editor().Command2->click();
        }
    });
    gesture();
    QCoreApplication::processEvents();
    return *shown;
}

class Form1Test : public ::testing::Test {
protected:
    void SetUp() override {
        c.add({"Legolas", "Elf", "1066", "Prince of Mirkwood", "Sees far.", true});
        c.add({"Galadriel", "elf", "300", "Lady of the Wood", QString(), false});
        c.add({"Gimli", "Dwarf", "2879", "Son of Gloin", QString(), false});
        c.add({"Grishnakh", "Orc", "3019", "Captain", "Serves the orc lords", true});
        c.add({"Shagrat", "Mordor", "3018", "Orc captain", QString(), false});
        c.add({"Aragorn", "  ", "2931", "Ranger", QString(), false});
        w.setEndProgram([this] { ++ended; });
        w.RefreshList();
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        dialogs.clear();
    }

    TempCompendium c{QStringLiteral("Campaign Notes")};
    ScriptedDialogs dialogs;
    Form1 w{c.state(), dialogs};
    int ended = 0;
};

TEST_F(Form1Test, StartsUnfilteredWithTheHeaderCurrentAndTheFocusInTheList) {
    EXPECT_TRUE(w.Option1[0]->isChecked() && !w.Check1->isChecked() && w.Text1->text().isEmpty());
    EXPECT_FALSE(w.Command8->isEnabled());
    EXPECT_TRUE(w.Frame2->isHidden());
    EXPECT_EQ(Row(*w.Grid1, 0), (QStringList{"More?", "Name", "Race/Loc", "Date", "Desc", "ID"}));
    EXPECT_EQ(ListedNames(w),
              (Names{"Aragorn", "Galadriel", "Gimli", "Grishnakh", "Legolas", "Shagrat"}));
    EXPECT_EQ(Row(*w.Grid1, 5),
              (QStringList{"*", "Legolas", "Elf", "1066", "Prince of Mirkwood", "1"}));
    EXPECT_EQ(w.Grid1->textMatrix(1, 0), "");
    EXPECT_EQ(w.Frame1->title(), QStringLiteral("Campaign Notes 6 records"));
    EXPECT_EQ(w.Grid1->row() + w.Grid1->col(), 0);
    EXPECT_EQ(w.Grid1->horizontalHeader()->sectionSize(5), 0) << "the id column is hidden";
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    EXPECT_EQ(QApplication::focusWidget(), w.Grid1);
    EXPECT_FALSE(w.Grid1->selectionModel()->hasSelection()) << "no entry is selected";

    TempCompendium empty;
    Form1 none(empty.state(), dialogs);
    none.RefreshList();
    EXPECT_EQ(none.Grid1->rows(), 1);
    EXPECT_EQ(none.Frame1->title(), QStringLiteral("New Campaign 0 records"));
    EXPECT_EQ(none.Combo1->count(), 1) << "only the text the box held";
}

TEST_F(Form1Test, RowsComeInTheGridsOwnOrderByNameWithATabKeptInItsCell) {
    for (const char* name : {"10", "9", "legolas", "Tab\tName"}) {
        c.add({name, "Elf\tHome", "", "d\te", QString(), false});
    }
    w.RefreshList();
    const Names refreshed = ListedNames(w);
    EXPECT_EQ(refreshed, (Names{"9", "10", "Aragorn", "Galadriel", "Gimli", "Grishnakh", "Legolas",
                                "legolas", "Shagrat", "Tab\tName"}));
    EXPECT_EQ(Row(*w.Grid1, 10), (QStringList{"", "Tab\tName", "Elf\tHome", "", "d\te", "10"}));
    w.Grid1->sort(1);
    EXPECT_EQ(ListedNames(w), refreshed);
}

// Each gesture on the filter controls, in turn: what it lists, how many refreshes (beeps) it
// took, and whether Just Race/Loc is checked afterwards.
TEST_F(Form1Test, EachFilterGestureRefreshesWhenItShouldWithWhatTheControlsHold) {
    const auto type = [](QWidget* target, const char* text) { QTest::keyClicks(target, text); };
    const auto enter = [](QWidget* target) { QTest::keyClick(target, Qt::Key_Return); };
    const Names all{"Aragorn", "Galadriel", "Gimli", "Grishnakh", "Legolas", "Shagrat"};
    const Names unchanged{"Aragorn", "Galadriel", "Gimli", "Shagrat"};
    const struct {
        const char* gesture;
        std::function<void()> act;
        Names names;
        int beeps;
        bool justRaceLoc;
    } steps[] = {
        {"typing in Text Match", [&] { type(w.Combo1, "orc"); }, all, 0, false},
        {"Enter in Text Match", [&] { enter(w.Combo1); }, {"Grishnakh", "Shagrat"}, 1, false},
        {"checking Just Race/Loc", [&] { Click(w.Check1); }, {"Grishnakh"}, 1, true},
        // Unchecking in code raises the check box's click, which refreshes once more.
        {"Enter unchecks it", [&] { enter(w.Combo1); }, {"Grishnakh", "Shagrat"}, 2, false},
        {"checking it again", [&] { Click(w.Check1); }, {"Grishnakh"}, 1, true},
        {"typing a date", [&] { type(w.Text1, "3018"); }, {"Grishnakh"}, 0, true},
        {"Enter in Date Match keeps it", [&] { enter(w.Text1); }, {}, 1, true},
        {"Clear", [&] { QTest::mouseClick(w.Command9, Qt::LeftButton); }, all, 1, false},
        {"Just Race/Loc with no text", [&] { Click(w.Check1); }, all, 0, true},
        {"Changed", [&] { Click(w.Option1[1]); }, {"Grishnakh", "Legolas"}, 1, true},
        {"Unchanged", [&] { Click(w.Option1[2]); }, unchanged, 1, true},
        {"Clear keeps the option", [&] { QTest::mouseClick(w.Command9, Qt::LeftButton); },
         unchanged, 1, false},
        {"All", [&] { Click(w.Option1[0]); }, all, 1, false},
    };
    for (const auto& k : steps) {
        SCOPED_TRACE(k.gesture);
        dialogs.clear();
        k.act();
        EXPECT_EQ(ListedNames(w), k.names);
        EXPECT_EQ(dialogs.beeps(), k.beeps);
        EXPECT_EQ(w.Check1->isChecked(), k.justRaceLoc);
        EXPECT_TRUE(w.Frame1->title().endsWith(QStringLiteral(" %1 records").arg(k.names.size())));
    }
    EXPECT_EQ(w.Combo1->currentText() + w.Text1->text(), "");
}

// The refresh selects the item equal to its text itself, as a pick of its own that does not
// refresh again; the user's next pick still does.
TEST_F(Form1Test, PickingARaceLocationRefreshesAtOnceEvenRightAfterARefresh) {
    Pick(w.Combo1, "Dwarf");
    EXPECT_EQ(dialogs.beeps(), 1);
    EXPECT_EQ(ListedNames(w), (Names{"Gimli"}));
    EXPECT_EQ(w.Combo1Tag, "");
    Pick(w.Combo1, "Orc");
    EXPECT_EQ(dialogs.beeps(), 2);
    EXPECT_EQ(ListedNames(w), (Names{"Grishnakh", "Shagrat"}));
}

TEST_F(Form1Test, TheRaceLocationListsHoldTheTextThenEachDistinctValueWithItsId) {
    QComboBox editorBox;
    editorBox.addItem("stale");
    w.setEditorRaceBox(&editorBox);
    QTest::keyClicks(w.Combo1, "Elf");
    QTest::keyClick(w.Combo1, Qt::Key_Return);
    QStringList items;
    for (const QComboBox* box : {w.Combo1, &editorBox}) {
        for (int i = 0; i < box->count(); ++i) {
            items << box->itemText(i) + "=" + box->itemData(i).toString();
        }
    }
    // "Elf" and "elf" differ in letter case: two items. The blank race/location gives none.
    const QStringList one{"Elf=0", "Dwarf=3", "elf=2", "Elf=1", "Mordor=5", "Orc=4"};
    EXPECT_EQ(items, one + one) << "the editor's box gets the same";
    EXPECT_EQ(w.Combo1->currentText(), "Elf");
    EXPECT_EQ(w.Combo1->currentIndex(), 3) << "the last item equal to the text is selected";
}

// The list and the filters grow with the window, the buttons follow their edges, the shown
// columns fit their headers and the last fills the list; a width the user drags stays across
// refreshes.
TEST_F(Form1Test, TheLayoutGrowsTheColumnsFitAndTheUsersWidthsStay) {
    QHeaderView* header = w.Grid1->horizontalHeader();
    for (int col = 0; col < 5; ++col) {
        EXPECT_GT(header->sectionSize(col),
                  header->fontMetrics().horizontalAdvance(w.Grid1->textMatrix(0, col)));
    }
    const int desc = header->sectionSize(4), name = header->sectionSize(1);
    EXPECT_EQ(header->sectionViewportPosition(4) + desc, w.Grid1->viewport()->width());
    const QList<QWidget*> parts{w.Grid1, w.Command4, w.Command1, w.Frame3, w.Frame4, w.Combo1};
    QList<QRect> grown;
    for (QWidget* part : parts) {
        grown << part->geometry();
    }
    grown = {grown[0].adjusted(0, 0, 150, 80), grown[1].translated(150, 80),
             grown[2].translated(0, 80),       grown[3].adjusted(0, 80, 150, 80),
             grown[4].translated(150, 0),      grown[5]};
    w.resize(w.width() + 150, w.height() + 80);
    QCoreApplication::processEvents();
    for (int i = 0; i < parts.size(); ++i) {
        EXPECT_EQ(parts[i]->geometry(), grown[i]) << i;
    }
    EXPECT_EQ(header->sectionSize(4), desc + 150) << "the last shown column stretches";
    const QPoint edge(header->sectionViewportPosition(1) + name - 1, header->height() / 2);
    QTest::mousePress(header->viewport(), Qt::LeftButton, {}, edge);
    QTest::mouseMove(header->viewport(), edge + QPoint(20, 0));
    QTest::mouseMove(header->viewport(), edge + QPoint(40, 0));
    QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, edge + QPoint(40, 0));
    ASSERT_EQ(header->sectionSize(1), name + 40);
    const int date = header->sectionSize(3);
    Click(w.Option1[1]);
    EXPECT_EQ(header->sectionSize(1), name + 40) << "the dragged width stays";
    EXPECT_EQ(header->sectionSize(3), date) << "the others keep theirs";
}

// A key moves to the first name starting with it in lower case, beeps and scrolls that row to
// the top; a key no name starts with ("G", "z") leaves the current cell.
TEST_F(Form1Test, TypeAheadFindsTheFirstNameStartingWithTheLowerCaseLetter) {
    const auto press = [&](char key, int row, int beeps, int top, int firstShown) {
        SCOPED_TRACE(key);
        QTest::keyClick(w.Grid1, key);
        EXPECT_EQ(w.Grid1->row(), row);
        EXPECT_EQ(w.Grid1->col(), 1);
        EXPECT_EQ(w.Grid1->topRow(), top);
        EXPECT_EQ(dialogs.beeps(), beeps);
        QCoreApplication::processEvents();
        EXPECT_EQ(w.Grid1->selectionModel()->currentIndex().row(), row - 1) << "the view shows it";
        EXPECT_EQ(w.Grid1->rowAt(0), firstShown) << "the view's first visible row";
    };
    w.Grid1->setFocus();
    press('g', 2, 1, 2, 0);  // Galadriel
    press('G', 2, 1, 1, 0);
    press('s', 6, 2, 6, 0);  // Shagrat, the last row
    press('z', 6, 2, 1, 0);
    Database::Transaction tx(*c.state().Db);
    for (int i = 0; i < 300; ++i) {
        c.add(
            {QStringLiteral("Yak %1").arg(i, 3, 10, QLatin1Char('0')), "Hill", "", "", {}, false});
    }
    tx.commit();
    w.RefreshList();
    QCoreApplication::processEvents();
    press('y', 7, 4, 7, 6);  // the first yak, after the six named entries
    press('l', 5, 5, 5, 4);  // Legolas
}

TEST_F(Form1Test, ADoubleClickOrEnterInTheListEditsThatEntry) {
    const QRect gimli = w.Grid1->visualRect(w.Grid1->model()->index(2, 1));
    EXPECT_EQ(
        EditorNameAfter(
            w,
            [&] { QTest::mouseDClick(w.Grid1->viewport(), Qt::LeftButton, {}, gimli.center()); }),
        "Gimli");
    w.Grid1->setFocus();
    QTest::keyClick(w.Grid1, 'l');
    EXPECT_EQ(EditorNameAfter(w, [&] { QTest::keyClick(w.Grid1, Qt::Key_Return); }), "Legolas");
    EXPECT_EQ(w.Grid1->row(), 5) << "no name starts with Enter's character";
}

TEST_F(Form1Test, AStoreErrorIsReportedAndTheListStaysAsItWas) {
    c.state().EntryRs->close();
    QTest::mouseClick(w.Command9, Qt::LeftButton);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_TRUE(dialogs.messages()[0].contains("closed"));
    EXPECT_EQ(dialogs.beeps(), 0);
    EXPECT_EQ(ListedNames(w).size(), 6u);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the hourglass is gone";
}

// Each question offers the current value; an empty answer keeps it, any other is stored as typed;
// the record is updated once even when nothing changed. The list's caption follows at its next
// refresh only.
TEST_F(Form1Test, OptionsOffersTheCurrentValuesAndStoresOnlyTheAnswersGiven) {
    Recordset& options = *c.state().OptionsRs;
    options.edit();
    options.setField(u"nameH", "#112233");
    options.setField(u"inkcolour", "black");
    options.update();
    for (const char* typed : {"Middle Earth", "", "  not a colour ", ""}) {
        dialogs.type(typed);
    }
    const int before = sqlite3_total_changes(c.state().Db->handle());
    w.mnuOptions->trigger();
    EXPECT_EQ(sqlite3_total_changes(c.state().Db->handle()), before + 1);
    QStringList asked;
    for (const auto& s : dialogs.shown()) {
        asked << s.message.text + "=" + s.defaultText;
    }
    EXPECT_EQ(asked, (QStringList{"Tavri Name=Campaign Notes", "Background Colour=#112233",
                                  "Ink Colour=black", "Link Colour="}));
    EXPECT_EQ(w.Frame1->title(), "Campaign Notes 6 records");
    QTest::mouseClick(w.Command9, Qt::LeftButton);
    EXPECT_EQ(w.Frame1->title(), "Middle Earth 6 records");
    c.reopen();
    Recordset& stored = *c.state().OptionsRs;
    EXPECT_EQ(stored.text(u"campaign") + "|" + stored.text(u"nameH") + "|" +
                  stored.text(u"inkcolour") + "|" + stored.text(u"linkcolour"),
              "Middle Earth|#112233|  not a colour |");
}

TEST(Form1End, ExitAndTheCloseBoxCloseTheDatabaseAndEndTheProgram) {
    for (const bool closeBox : {false, true}) {
        TempCompendium c;
        ScriptedDialogs dialogs;
        Form1 w(c.state(), dialogs);
        int ended = 0;
        w.setEndProgram([&] { ++ended; });
        w.show();
        if (closeBox) {
            EXPECT_TRUE(w.close());
        } else {
            w.mnuexit->trigger();
        }
        EXPECT_FALSE(c.state().EntryRs->isOpen()) << closeBox;
        EXPECT_FALSE(c.state().Db->isOpen()) << closeBox;
        EXPECT_EQ(ended, 1) << closeBox;
    }
}

// A close asked for while a publication runs waits until the commands are back on.
TEST_F(Form1Test, CommandsSwitchOffAndOnTogetherAndAClosingWaitsForThem) {
    const std::vector<QObject*> commands{w.Command1,   w.Command5,
                                         w.Command2,   w.Command3,
                                         w.Command7,   w.Command6,
                                         w.Command4,   w.Command9,
                                         w.Combo1,     w.Check1,
                                         w.Text1,      w.Option1[0],
                                         w.Option1[1], w.Option1[2],
                                         w.Grid1,      w.mnuexit,
                                         w.mnucurrent, w.mnuBookmark,
                                         w.mnuOptions, w.mnualpha,
                                         w.mnuupload,  w.mnuexport->menuAction()};
    for (const bool on : {false, true, false}) {
        w.setCommandsEnabled(on);
        for (QObject* command : commands) {
            EXPECT_EQ(command->property("enabled").toBool(), on)
                << command->property("text").toString().toStdString();
        }
        EXPECT_FALSE(w.Command8->isEnabled());
    }
    EXPECT_FALSE(w.close());
    EXPECT_TRUE(c.state().Db->isOpen()) << "the publication still needs the database";
    EXPECT_EQ(ended, 0);
    w.setCommandsEnabled(true);
    QCoreApplication::processEvents();
    EXPECT_FALSE(c.state().Db->isOpen());
    EXPECT_EQ(ended, 1);
}

// The window and `tavri-cli list` build the same list: the same rows in the same order, for hard
// names too (accents, Greek, CJK, names equal but for letter case, numbers).
TEST(Form1AndCli, TheWindowsListAndTavriCliListAgree) {
    TempCompendium c;
    int n = 0;
    for (const char* name :
         {"émile", "Émile", "Emile", "Zoë", "zoe", "Ωμέγα", "αλφα", "Άλφα", "東京", "北京", "ORC",
          "orc", "Orc", "10", "9", "Ängström", "Straße"}) {
        c.add({name, n % 2 ? "Orc" : "Élfe", QString::number(n), "d", "", n % 3 == 0});
        ++n;
    }
    ScriptedDialogs dialogs;
    Form1 w(c.state(), dialogs);
    const struct {
        QStringList args;
        const char* text;
        bool raceOnly;
        int option;
    } cases[] = {{{}, "", false, 0},
                 {{"--match", "ÉMILE"}, "ÉMILE", false, 0},
                 {{"--match", "orc", "--race-only"}, "orc", true, 0},
                 {{"--changed"}, "", false, 1},
                 {{"--unchanged", "--match", "élfe"}, "élfe", false, 2}};
    for (const auto& k : cases) {
        SCOPED_TRACE(k.args.join(' ').toStdString());
        w.Combo1->setEditText(k.text);
        w.Check1->setChecked(k.raceOnly);
        w.Option1[k.option]->setChecked(true);
        w.RefreshList();
        QStringList window;
        for (int r = 1; r < w.Grid1->rows(); ++r) {
            window << Row(*w.Grid1, r).join('\t');
        }
        QProcess cli;
        cli.start(QStringLiteral(TAVRI_CLI_PATH), QStringList{"list", c.dir()} + k.args);
        ASSERT_TRUE(cli.waitForFinished(60000));
        EXPECT_FALSE(window.isEmpty());
        EXPECT_EQ(QString::fromUtf8(cli.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts),
                  window);
    }
}

}  // namespace
}  // namespace tavri

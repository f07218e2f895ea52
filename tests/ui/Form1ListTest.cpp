// The main window's list and its filter controls, driven as a user drives them: typing,
// Enter, picking from the race/location list, the check box, the option buttons, Clear and
// type-ahead in the list.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolTip>

#include "support/ScriptedDialogs.h"
#include "support/TestSupport.h"
#include "tests/ui/Form2TestModal.h"
#include "ui/Form1.h"
#include "ui/Form2.h"
#include "ui/Grid1.h"

namespace tavri {
namespace {

using test::EntrySpec;
using test::TempCompendium;
using Names = std::vector<QString>;

Names ListedNames(const Form1& w) {
    Names names;
    for (int r = 1; r < w.Grid1->rows(); ++r) {
        names.push_back(w.Grid1->textMatrix(r, 1));
    }
    return names;
}

// Clicks a check box or option button on its indicator, where a click always lands.
void Click(QWidget* button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

// Picks an item from Combo1's drop-down list with the mouse.
void Pick(QComboBox* combo, const QString& text) {
    const int index = combo->findText(text, Qt::MatchExactly);
    ASSERT_GE(index, 0) << text.toStdString();
    combo->showPopup();
    QAbstractItemView* view = combo->view();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view->window()));
    const QRect item = view->visualRect(view->model()->index(index, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, item.center());
}

// Runs a gesture that should open the editor; returns the name the editor showed, after
// cancelling it ("" when it never opened).
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

class Form1List : public ::testing::Test {
protected:
    Form1List() : c(QStringLiteral("Campaign Notes")) {}

    void SetUp() override {
        c.add({"Legolas", "Elf", "1066", "Prince of Mirkwood", "Sees far.", true});
        c.add({"Galadriel", "elf", "300", "Lady of the Wood", QString(), false});
        c.add({"Gimli", "Dwarf", "2879", "Son of Gloin", QString(), false});
        c.add({"Grishnakh", "Orc", "3019", "Captain", "Serves the orc lords", true});
        c.add({"Shagrat", "Mordor", "3019", "Orc captain", QString(), false});
        c.add({"Aragorn", "  ", "2931", "Ranger", QString(), false});
        start();
    }

    // The window as start-up leaves it: one refresh, then shown.
    void start() {
        w = std::make_unique<Form1>(c.state(), dialogs);
        w->setEndProgram([] {});
        w->RefreshList();
        w->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
        dialogs.clear();
    }

    void type(QWidget* target, const QString& text) { QTest::keyClicks(target, text); }
    void enter(QWidget* target) { QTest::keyClick(target, Qt::Key_Return); }

    TempCompendium c;
    ScriptedDialogs dialogs;
    std::unique_ptr<Form1> w;
};

TEST(Form1Empty, AnEmptyTableGivesTheHeaderRowOnlyAndACountOfNought) {
    TempCompendium c(QStringLiteral("Campaign Notes"));
    ScriptedDialogs dialogs;
    Form1 w(c.state(), dialogs);
    w.RefreshList();
    EXPECT_EQ(w.Grid1->rows(), 1);
    EXPECT_EQ(w.Grid1->cols(), 6);
    EXPECT_EQ(w.Frame1->title(), QStringLiteral("Campaign Notes 0 records"));
    EXPECT_EQ(dialogs.beeps(), 1);
    EXPECT_EQ(w.Combo1->count(), 1) << "only the text the box held";
}

TEST_F(Form1List, ARefreshFillsHeaderRowsCaptionAndLeavesTheHeaderCurrent) {
    const QStringList headers{"More?", "Name", "Race/Loc", "Date", "Desc", "ID"};
    for (int col = 0; col < 6; ++col) {
        EXPECT_EQ(w->Grid1->textMatrix(0, col), headers[col]);
        EXPECT_EQ(w->Grid1->model()->headerData(col, Qt::Horizontal).toString(), headers[col]);
    }
    EXPECT_EQ(ListedNames(*w),
              (Names{"Aragorn", "Galadriel", "Gimli", "Grishnakh", "Legolas", "Shagrat"}));
    EXPECT_EQ(w->Grid1->textMatrix(5, 0), "*");
    EXPECT_EQ(w->Grid1->textMatrix(5, 2), "Elf");
    EXPECT_EQ(w->Grid1->textMatrix(5, 3), "1066");
    EXPECT_EQ(w->Grid1->textMatrix(5, 4), "Prince of Mirkwood");
    EXPECT_EQ(w->Grid1->textMatrix(5, 5), "1");
    EXPECT_EQ(w->Grid1->textMatrix(1, 0), "");
    EXPECT_EQ(w->Frame1->title(), QStringLiteral("Campaign Notes 6 records"));
    EXPECT_EQ(w->Grid1->row(), 0);
    EXPECT_EQ(w->Grid1->col(), 0);
    EXPECT_EQ(w->Grid1->horizontalHeader()->sectionSize(5), 0) << "the id column is hidden";
    QCoreApplication::processEvents();
    EXPECT_FALSE(w->Grid1->selectionModel()->hasSelection()) << "no entry is selected";
}

TEST_F(Form1List, TheListIsInTheOrderOfTheGridsOwnSortByName) {
    c.add({"10", "Elf", "", "", QString(), false});
    c.add({"9", "Elf", "", "", QString(), false});
    c.add({"legolas", "Elf", "", "", QString(), false});
    w->RefreshList();
    const Names refreshed = ListedNames(*w);
    EXPECT_EQ(refreshed, (Names{"9", "10", "Aragorn", "Galadriel", "Gimli", "Grishnakh", "Legolas",
                                "legolas", "Shagrat"}));
    w->Grid1->sort(1);
    EXPECT_EQ(ListedNames(*w), refreshed);
}

TEST_F(Form1List, ATabInsideAValueStaysInItsCellSoTheIdColumnHoldsTheId) {
    const qint64 id = c.add({"Tab\tName", "Elf\tHome", "1", "d\te", QString(), false});
    w->RefreshList();
    int row = 0;
    for (int r = 1; r < w->Grid1->rows(); ++r) {
        row = w->Grid1->textMatrix(r, 1) == "Tab\tName" ? r : row;
    }
    ASSERT_GT(row, 0);
    EXPECT_EQ(w->Grid1->textMatrix(row, 2), "Elf\tHome");
    EXPECT_EQ(w->Grid1->textMatrix(row, 4), "d\te");
    EXPECT_EQ(w->Grid1->textMatrix(row, 5), QString::number(id));
}

TEST_F(Form1List, EveryRefreshBeepsOnceAndTheCountFollowsTheFilter) {
    type(w->Combo1, "orc");
    enter(w->Combo1);
    EXPECT_EQ(dialogs.beeps(), 1);
    EXPECT_EQ(w->Frame1->title(), QStringLiteral("Campaign Notes 2 records"));
}

TEST_F(Form1List, TypingDoesNotRefreshButEnterDoesAndUnchecksJustRaceLoc) {
    type(w->Combo1, "orc");
    EXPECT_EQ(dialogs.beeps(), 0);
    EXPECT_EQ(ListedNames(*w).size(), 6u);
    enter(w->Combo1);
    EXPECT_EQ(ListedNames(*w), (Names{"Grishnakh", "Shagrat"}));
    EXPECT_EQ(w->Combo1->currentText(), "orc") << "the typed text stays in the box";
    EXPECT_EQ(dialogs.beeps(), 1);
}

TEST_F(Form1List, SearchTextIgnoresLetterCaseAndSurroundingSpaces) {
    type(w->Combo1, "  ORC ");
    enter(w->Combo1);
    EXPECT_EQ(ListedNames(*w), (Names{"Grishnakh", "Shagrat"}));
}

TEST_F(Form1List, StarAndTheRunTogetherRaceAndDateMatch) {
    type(w->Combo1, "*");
    enter(w->Combo1);
    EXPECT_EQ(ListedNames(*w), (Names{"Grishnakh", "Legolas"}));
    w->Combo1->lineEdit()->clear();
    type(w->Combo1, "ELF1066");
    enter(w->Combo1);
    EXPECT_EQ(ListedNames(*w), (Names{"Legolas"}));
}

TEST_F(Form1List, JustRaceLocClickRefreshesOnlyWithAText) {
    Click(w->Check1);
    EXPECT_TRUE(w->Check1->isChecked());
    EXPECT_EQ(dialogs.beeps(), 0) << "no text, no refresh";
    type(w->Combo1, "orc");
    Click(w->Check1);  // off
    Click(w->Check1);  // on again
    EXPECT_EQ(dialogs.beeps(), 2);
    EXPECT_EQ(ListedNames(*w), (Names{"Grishnakh"})) << "Shagrat is an Orc only by description";
}

// Unchecking in code raises the check box's click, which refreshes once more.
TEST_F(Form1List, EnterWithJustRaceLocCheckedUnchecksItAndRefreshesTwice) {
    type(w->Combo1, "orc");
    Click(w->Check1);
    ASSERT_EQ(ListedNames(*w), (Names{"Grishnakh"}));
    dialogs.clear();
    enter(w->Combo1);
    EXPECT_FALSE(w->Check1->isChecked());
    EXPECT_EQ(dialogs.beeps(), 2);
    EXPECT_EQ(ListedNames(*w), (Names{"Grishnakh", "Shagrat"}));
}

TEST_F(Form1List, PickingARaceLocationRefreshesAtOnceEvenRightAfterARefresh) {
    Pick(w->Combo1, "Dwarf");
    EXPECT_EQ(dialogs.beeps(), 1);
    EXPECT_EQ(ListedNames(*w), (Names{"Gimli"}));
    EXPECT_EQ(w->Combo1Tag, "");
    // The refresh selected the item equal to its text itself; the user's next pick still counts.
    Pick(w->Combo1, "Orc");
    EXPECT_EQ(dialogs.beeps(), 2);
    EXPECT_EQ(ListedNames(*w), (Names{"Grishnakh", "Shagrat"}));
}

TEST_F(Form1List, TheRaceLocationListHoldsTheTextThenEachDistinctValueWithItsId) {
    type(w->Combo1, "Elf");
    enter(w->Combo1);
    QStringList texts;
    std::vector<qlonglong> data;
    for (int i = 0; i < w->Combo1->count(); ++i) {
        texts << w->Combo1->itemText(i);
        data.push_back(w->Combo1->itemData(i).toLongLong());
    }
    // "Elf" and "elf" differ in letter case: two items. The blank race/location gives none.
    // Equal to the index, the two elves are ordered by name: Galadriel (elf), Legolas (Elf).
    EXPECT_EQ(texts, (QStringList{"Elf", "Dwarf", "elf", "Elf", "Mordor", "Orc"}));
    EXPECT_EQ(data, (std::vector<qlonglong>{0, 3, 2, 1, 5, 4}));
    EXPECT_EQ(w->Combo1->currentText(), "Elf");
    EXPECT_EQ(w->Combo1->currentIndex(), 3) << "the last item equal to the text is selected";
}

TEST_F(Form1List, TheEditorsRaceBoxGetsTheSameItemsAtEveryRefresh) {
    QComboBox editorBox;
    editorBox.addItem("stale");
    w->setEditorRaceBox(&editorBox);
    w->RefreshList();
    ASSERT_EQ(editorBox.count(), w->Combo1->count());
    for (int i = 0; i < editorBox.count(); ++i) {
        EXPECT_EQ(editorBox.itemText(i), w->Combo1->itemText(i));
        EXPECT_EQ(editorBox.itemData(i), w->Combo1->itemData(i));
    }
}

TEST_F(Form1List, TheChangedOptionsFilterAndEachClickRefreshes) {
    Click(w->Option1[1]);
    EXPECT_EQ(ListedNames(*w), (Names{"Grishnakh", "Legolas"}));
    Click(w->Option1[2]);
    EXPECT_EQ(ListedNames(*w), (Names{"Aragorn", "Galadriel", "Gimli", "Shagrat"}));
    Click(w->Option1[0]);
    EXPECT_EQ(ListedNames(*w).size(), 6u);
    EXPECT_EQ(dialogs.beeps(), 3);
}

TEST_F(Form1List, ClearEmptiesTheTextsAndUnchecksButKeepsTheChangedOption) {
    Click(w->Option1[1]);
    type(w->Combo1, "orc");
    Click(w->Check1);
    type(w->Text1, "3019");
    enter(w->Text1);
    ASSERT_EQ(ListedNames(*w), (Names{"Grishnakh"}));
    dialogs.clear();
    QTest::mouseClick(w->Command9, Qt::LeftButton);
    EXPECT_EQ(w->Combo1->currentText(), "");
    EXPECT_EQ(w->Text1->text(), "");
    EXPECT_FALSE(w->Check1->isChecked());
    EXPECT_TRUE(w->Option1[1]->isChecked());
    EXPECT_EQ(ListedNames(*w), (Names{"Grishnakh", "Legolas"}));
    EXPECT_EQ(dialogs.beeps(), 1);
}

TEST_F(Form1List, DateMatchStartsEmptyAndFiltersOnEnter) {
    EXPECT_EQ(w->Text1->text(), "");
    type(w->Text1, "3019");
    EXPECT_EQ(dialogs.beeps(), 0);
    enter(w->Text1);
    EXPECT_EQ(ListedNames(*w), (Names{"Grishnakh", "Shagrat"}));
    type(w->Combo1, "captain");
    enter(w->Combo1);
    EXPECT_EQ(ListedNames(*w), (Names{"Grishnakh", "Shagrat"}));
}

TEST_F(Form1List, EnterInDateMatchRefreshesAndKeepsJustRaceLoc) {
    type(w->Combo1, "orc");
    Click(w->Check1);
    ASSERT_EQ(ListedNames(*w), (Names{"Grishnakh"}));
    dialogs.clear();
    type(w->Text1, "3019");
    enter(w->Text1);
    EXPECT_TRUE(w->Check1->isChecked());
    EXPECT_EQ(dialogs.beeps(), 1);
    // Shagrat's date matches and "orc" is in his description, but not in his race/location.
    EXPECT_EQ(ListedNames(*w), (Names{"Grishnakh"}));
}

TEST_F(Form1List, EveryShownColumnFitsItsHeaderAndTheLastFillsTheList) {
    const QHeaderView* header = w->Grid1->horizontalHeader();
    for (int col = 0; col < 5; ++col) {
        EXPECT_GT(header->sectionSize(col),
                  header->fontMetrics().horizontalAdvance(w->Grid1->textMatrix(0, col)))
            << w->Grid1->textMatrix(0, col).toStdString();
    }
    const int desc = header->sectionSize(4);
    EXPECT_EQ(header->sectionViewportPosition(4) + desc, w->Grid1->viewport()->width());
    w->resize(w->width() + 150, w->height());
    QCoreApplication::processEvents();
    EXPECT_EQ(header->sectionSize(4), desc + 150) << "the last shown column stretches";
}

// Drags the right edge of a column's header by dx pixels, as the user does.
void DragColumnEdge(TextGrid& grid, int col, int dx) {
    QHeaderView* header = grid.horizontalHeader();
    const QPoint edge(header->sectionViewportPosition(col) + header->sectionSize(col) - 1,
                      header->height() / 2);
    QTest::mousePress(header->viewport(), Qt::LeftButton, {}, edge);
    QTest::mouseMove(header->viewport(), edge + QPoint(dx / 2, 0));
    QTest::mouseMove(header->viewport(), edge + QPoint(dx, 0));
    QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, edge + QPoint(dx, 0));
}

TEST_F(Form1List, WidthsTheUserDragsAreKeptAcrossRefreshes) {
    QHeaderView* header = w->Grid1->horizontalHeader();
    const int name = header->sectionSize(1);
    const int date = header->sectionSize(3);
    DragColumnEdge(*w->Grid1, 1, 40);
    ASSERT_EQ(header->sectionSize(1), name + 40);
    type(w->Combo1, "o");
    enter(w->Combo1);
    Click(w->Option1[1]);
    EXPECT_EQ(header->sectionSize(1), name + 40) << "the dragged width stays";
    EXPECT_EQ(header->sectionSize(3), date) << "the others keep theirs";
}

TEST_F(Form1List, ACutOffCellShowsItsWholeTextAsATooltip) {
    const QString longDate = "in the second year of the long winter after the fall";
    c.add({"Ancalagon", "Dragon", longDate, "Black", QString(), false});
    w->RefreshList();
    struct Case {
        int row, col;
        QString tip;
    };
    // The cell that fits first: a tooltip, once shown, takes a while to fade.
    const Case cases[] = {{2, 3, QString()}, {1, 3, longDate}};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.row);
        const QRect cell = w->Grid1->visualRect(w->Grid1->model()->index(k.row - 1, k.col));
        QHelpEvent help(QEvent::ToolTip, cell.center(),
                        w->Grid1->viewport()->mapToGlobal(cell.center()));
        QApplication::sendEvent(w->Grid1->viewport(), &help);
        EXPECT_EQ(QToolTip::isVisible() ? QToolTip::text() : QString(), k.tip);
    }
    QToolTip::hideText();
}

TEST_F(Form1List, TypeAheadFindsTheFirstNameStartingWithTheLowerCaseLetter) {
    w->Grid1->setFocus();
    QTest::keyClick(w->Grid1, 'g');
    EXPECT_EQ(w->Grid1->row(), 2) << "Galadriel";
    EXPECT_EQ(w->Grid1->col(), 1);
    EXPECT_EQ(w->Grid1->topRow(), 2);
    EXPECT_EQ(dialogs.beeps(), 1);

    QTest::keyClick(w->Grid1, 'G');  // "G": no name starts with it
    EXPECT_EQ(w->Grid1->row(), 2);
    EXPECT_EQ(w->Grid1->col(), 1);
    EXPECT_EQ(dialogs.beeps(), 1);

    QTest::keyClick(w->Grid1, 's');
    EXPECT_EQ(w->Grid1->row(), 6) << "Shagrat, the last row";
    QTest::keyClick(w->Grid1, 'z');
    EXPECT_EQ(w->Grid1->row(), 6) << "a letter no name starts with leaves the current cell";
    QCoreApplication::processEvents();
    EXPECT_EQ(w->Grid1->selectionModel()->currentIndex().row(), 5) << "the view shows it";
}

TEST_F(Form1List, ADoubleClickOnARowEditsThatEntry) {
    const QRect gimli = w->Grid1->visualRect(w->Grid1->model()->index(2, 1));
    EXPECT_EQ(
        EditorNameAfter(
            *w,
            [&] { QTest::mouseDClick(w->Grid1->viewport(), Qt::LeftButton, {}, gimli.center()); }),
        "Gimli");
}

TEST_F(Form1List, EnterInTheListEditsTheSelectedEntryAndLeavesItSelected) {
    w->Grid1->setFocus();
    QTest::keyClick(w->Grid1, 'l');
    ASSERT_EQ(w->Grid1->row(), 5);
    EXPECT_EQ(EditorNameAfter(*w, [&] { QTest::keyClick(w->Grid1, Qt::Key_Return); }), "Legolas");
    EXPECT_EQ(w->Grid1->row(), 5) << "no name starts with Enter's character";
}

TEST_F(Form1List, TypeAheadScrollsTheFoundRowToTheTop) {
    Database::Transaction tx(*c.state().Db);
    for (int i = 0; i < 300; ++i) {
        c.add(
            {QStringLiteral("Yak %1").arg(i, 3, 10, QLatin1Char('0')), "Hill", "", "", {}, false});
    }
    tx.commit();
    w->RefreshList();
    QCoreApplication::processEvents();
    QTest::keyClick(w->Grid1, 'y');
    EXPECT_EQ(w->Grid1->row(), 7) << "the first yak, after the six named entries";
    EXPECT_EQ(w->Grid1->topRow(), 7);
    QCoreApplication::processEvents();
    EXPECT_EQ(w->Grid1->rowAt(0), 6) << "the view's first visible row";
    QTest::keyClick(w->Grid1, 'l');
    EXPECT_EQ(w->Grid1->topRow(), 5) << "Legolas";
    QCoreApplication::processEvents();
    EXPECT_EQ(w->Grid1->rowAt(0), 4);
}

TEST_F(Form1List, AStoreErrorIsReportedAndTheListStaysAsItWas) {
    c.state().EntryRs->close();
    type(w->Combo1, "orc");
    enter(w->Combo1);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_TRUE(dialogs.messages()[0].contains("closed"));
    EXPECT_EQ(dialogs.beeps(), 0);
    EXPECT_EQ(ListedNames(*w).size(), 6u);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the hourglass is gone";
}

}  // namespace
}  // namespace tavri

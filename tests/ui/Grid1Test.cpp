// The text grid: row numbering with the header as row 0, adding rows, the generic sort, the
// current cell and top row as code and the user move them, and column widths in twips.
#include <gtest/gtest.h>

#include <QHeaderView>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include "ui/Grid1.h"
#include "ui/Twips.h"

namespace tavri {
namespace {

QStringList Column(const TextGrid& g, int col) {
    QStringList texts;
    for (int r = 1; r < g.rows(); ++r) {
        texts << g.textMatrix(r, col);
    }
    return texts;
}

class Grid : public ::testing::Test {
protected:
    Grid() {
        g.setCols(3);
        g.setTextMatrix(0, 0, "Key");
        g.setTextMatrix(0, 1, "Name");
        g.setTextMatrix(0, 2, "Id");
        g.resize(400, 300);
    }
    void show() {
        g.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&g));
    }
    TextGrid g;
};

TEST_F(Grid, RowZeroIsTheHeaderAndDataRowsFollowIt) {
    g.addItem("a\tAlpha\t1");
    g.addItem("b\tBeta\t2");
    EXPECT_EQ(g.rows(), 3);
    EXPECT_EQ(g.model()->rowCount(), 2);
    EXPECT_EQ(g.model()->headerData(1, Qt::Horizontal).toString(), "Name");
    EXPECT_EQ(g.model()->index(0, 1).data().toString(), "Alpha");
    EXPECT_EQ(g.textMatrix(2, 2), "2");
    g.setTextMatrix(0, 1, "Who");
    EXPECT_EQ(g.model()->headerData(1, Qt::Horizontal).toString(), "Who");
    EXPECT_EQ(g.textMatrix(9, 0), "") << "outside the grid reads as empty";
}

TEST_F(Grid, AddItemSplitsAtTabsAndAddRowKeepsATabInItsCell) {
    g.addItem("x\ty");
    g.addRow({"p", "q\tr", "7"});
    EXPECT_EQ(g.textMatrix(1, 0), "x");
    EXPECT_EQ(g.textMatrix(1, 1), "y");
    EXPECT_EQ(g.textMatrix(1, 2), "");
    EXPECT_EQ(g.textMatrix(2, 1), "q\tr");
    EXPECT_EQ(g.textMatrix(2, 2), "7");
}

TEST_F(Grid, ClearEmptiesCellsAndKeepsRowsAndSetRowsKeepsTheHeader) {
    g.addItem("a\tAlpha\t1");
    g.clear();
    EXPECT_EQ(g.rows(), 2);
    EXPECT_EQ(g.textMatrix(0, 1), "");
    EXPECT_EQ(g.textMatrix(1, 1), "");
    g.setRow(1);
    g.setRows(0);
    EXPECT_EQ(g.rows(), 1);
    EXPECT_EQ(g.row(), 0) << "the current row moves back inside the grid";
}

TEST_F(Grid, SortOrdersDataRowsGenericallyAndStablyLeavingTheHeader) {
    for (const char* line :
         {"1\tpear", "2\t10", "3\tApple", "4\tapple", "5\t9", "6\t", "7\tPEAR"}) {
        g.addItem(QString::fromLatin1(line));
    }
    g.sort(1);
    EXPECT_EQ(Column(g, 1), (QStringList{"9", "10", "", "Apple", "apple", "pear", "PEAR"}));
    EXPECT_EQ(Column(g, 0), (QStringList{"5", "2", "6", "3", "4", "1", "7"}))
        << "rows move whole; equal names keep their order";
    EXPECT_EQ(g.textMatrix(0, 1), "Name");
    EXPECT_EQ(g.model()->index(0, 1).data().toString(), "9") << "the view sees the new order";
}

TEST_F(Grid, ChangesInABatchReachTheViewAsOneReset) {
    QSignalSpy resets(g.model(), &QAbstractItemModel::modelReset);
    QSignalSpy inserts(g.model(), &QAbstractItemModel::rowsInserted);
    {
        TextGrid::Batch batch(g);
        g.setRows(1);
        for (int i = 0; i < 1000; ++i) {
            g.addRow({QString::number(i), QStringLiteral("n%1").arg(i), {}});
        }
        g.sort(1);
    }
    EXPECT_EQ(resets.count(), 1);
    EXPECT_EQ(inserts.count(), 0);
    EXPECT_EQ(g.model()->rowCount(), 1000);
}

TEST_F(Grid, TheCurrentCellIsSetCheaplyAndTheViewFollowsWithoutScrolling) {
    for (int i = 0; i < 200; ++i) {
        g.addRow({QString::number(i), QStringLiteral("n%1").arg(i), {}});
    }
    show();
    for (int r = 0; r < g.rows(); ++r) {
        g.setRow(r);
        g.setCol(2);
    }
    g.setRow(150);
    g.setCol(1);
    EXPECT_EQ(g.text(), "n149");
    QCoreApplication::processEvents();
    EXPECT_EQ(g.selectionModel()->currentIndex(), g.model()->index(149, 1));
    EXPECT_EQ(g.topRow(), 1) << "setting the row does not scroll";
    EXPECT_EQ(g.rowAt(0), 0);
    g.setRow(0);
    QCoreApplication::processEvents();
    EXPECT_FALSE(g.selectionModel()->currentIndex().isValid());
    EXPECT_FALSE(g.selectionModel()->hasSelection());
}

TEST_F(Grid, TopRowScrollsTheViewAndReadsBackWhatIsShown) {
    for (int i = 0; i < 200; ++i) {
        g.addRow({QString::number(i), QStringLiteral("n%1").arg(i), {}});
    }
    show();
    g.setTopRow(50);
    EXPECT_EQ(g.topRow(), 50);
    QCoreApplication::processEvents();
    EXPECT_EQ(g.rowAt(0), 49);
    EXPECT_EQ(g.topRow(), 50);
    g.verticalScrollBar()->setValue(10);  // the user scrolls
    EXPECT_EQ(g.topRow(), 11);
}

TEST_F(Grid, AClickMakesTheClickedCellCurrentAndFocusAloneDoesNot) {
    g.addItem("a\tAlpha\t1");
    g.addItem("b\tBeta\t2");
    show();
    g.setFocus();
    QCoreApplication::processEvents();
    EXPECT_EQ(g.row(), 0);
    const QRect cell = g.visualRect(g.model()->index(1, 1));
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(g.row(), 2);
    EXPECT_EQ(g.col(), 1);
    EXPECT_EQ(g.text(), "Beta");
}

TEST_F(Grid, KeysThatTypeACharacterAreReportedAndArrowsMoveTheCell) {
    g.addItem("a\tAlpha\t1");
    g.addItem("b\tBeta\t2");
    show();
    QSignalSpy keys(&g, &TextGrid::keyPress);
    QTest::keyClick(&g, 'q');
    QTest::keyClick(&g, Qt::Key_Return);
    ASSERT_EQ(keys.count(), 2);
    EXPECT_EQ(keys[0][0].toString(), "q");
    EXPECT_EQ(keys[1][0].toString(), "\r");
    g.setRow(1);
    QCoreApplication::processEvents();
    QTest::keyClick(&g, Qt::Key_Down);
    EXPECT_EQ(g.row(), 2);
    EXPECT_EQ(keys.count(), 2) << "an arrow types nothing";
}

TEST_F(Grid, ColumnWidthsAreTwipsAndAOneTwipColumnIsHidden) {
    g.setColWidth(1, 2000);
    g.setColWidth(2, 1);
    EXPECT_EQ(g.colWidth(1), 2000);
    EXPECT_EQ(g.horizontalHeader()->sectionSize(1), TwipsToPixels(2000));
    EXPECT_EQ(g.colWidth(2), 1);
    EXPECT_EQ(g.horizontalHeader()->sectionSize(2), 0);
    g.addItem("a\tb\tc");  // widths survive changes of the rows
    g.setRows(1);
    EXPECT_EQ(g.horizontalHeader()->sectionSize(1), TwipsToPixels(2000));
    EXPECT_EQ(g.horizontalHeader()->sectionSize(2), 0);
}

}  // namespace
}  // namespace tavri

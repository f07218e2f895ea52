// The text grid: row 0 as the header, adding rows, the generic sort, batches, the current cell
// and top row as code and the user move them, widths, and its model as Qt's model checker sees it.
#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>
#include <QtWidgets>

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

// What the model checker reports, collected instead of printed.
QStringList modelFaults;
void CollectModelFaults(QtMsgType, const QMessageLogContext& context, const QString& text) {
    if (QByteArray(context.category).startsWith("qt.modeltest")) {
        modelFaults << text;
    }
}

class Grid : public ::testing::Test {
protected:
    Grid() {
        g.setCols(3);
        g.setTextMatrix(0, 1, "Name");
        g.resize(400, 300);
    }
    void show(int rows) {
        for (int i = 0; i < rows; ++i) {
            g.addRow({QString::number(i), QStringLiteral("n%1").arg(i), {}});
        }
        g.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&g));
    }
    TextGrid g;
};

// Every kind of change, watched by Qt's model checker: rows one by one, cells, the header, sort,
// columns, clear, row counts, and a batch that reaches the view as one reset.
TEST_F(Grid, ChangesKeepRowZeroAsTheHeaderAndPassQtsModelChecker) {
    modelFaults.clear();
    const QtMessageHandler previous = qInstallMessageHandler(CollectModelFaults);
    auto tester = std::make_unique<QAbstractItemModelTester>(
        g.model(), QAbstractItemModelTester::FailureReportingMode::Warning);
    for (const char* line : {"1\tpear", "2\t10", "3\tApple", "4\tapple", "5\t9", "6\t"}) {
        g.addItem(QString::fromLatin1(line));
    }
    g.addRow({"7", "PEAR\tx", "a\tb"});  // a TAB inside a cell stays there
    EXPECT_EQ(g.model()->index(0, 1).data().toString(), "pear");
    EXPECT_EQ(g.textMatrix(7, 2), "a\tb");
    EXPECT_EQ(g.textMatrix(1, 2), "") << "a short line leaves the last cells empty";
    EXPECT_EQ(g.textMatrix(9, 0), "") << "outside the grid reads as empty";
    g.sort(1);
    EXPECT_EQ(Column(g, 1), (QStringList{"9", "10", "", "Apple", "apple", "pear", "PEAR\tx"}));
    EXPECT_EQ(Column(g, 0), (QStringList{"5", "2", "6", "3", "4", "1", "7"}))
        << "rows move whole; equal names keep their order";
    EXPECT_EQ(g.model()->index(0, 1).data().toString(), "9") << "the view sees the new order";
    g.setTextMatrix(0, 1, "Who");
    EXPECT_EQ(g.model()->headerData(1, Qt::Horizontal).toString(), "Who");
    g.setTextMatrix(2, 1, "ten");
    EXPECT_EQ(g.model()->index(1, 1).data().toString(), "ten");
    g.setCols(4);
    g.clear();
    EXPECT_EQ(g.rows(), 8);
    EXPECT_EQ(g.textMatrix(0, 1) + g.textMatrix(1, 1), "");
    g.setRow(7);
    g.setRows(0);
    EXPECT_EQ(g.rows(), 1);
    EXPECT_EQ(g.row(), 0) << "the current row moves back inside the grid";

    QSignalSpy resets(g.model(), &QAbstractItemModel::modelReset);
    QSignalSpy inserts(g.model(), &QAbstractItemModel::rowsInserted);
    {
        TextGrid::Batch batch(g);
        for (int i = 0; i < 1000; ++i) {
            g.addRow({QString::number(i), QStringLiteral("n%1").arg(i)});
        }
        g.sort(1);
        g.setCols(2);
    }
    EXPECT_EQ(resets.count(), 1);
    EXPECT_EQ(inserts.count(), 0);
    EXPECT_EQ(g.model()->rowCount(), 1000);
    g.setRows(3);
    tester.reset();
    qInstallMessageHandler(previous);
    EXPECT_EQ(modelFaults, QStringList());
}

// The view follows the current cell at the next turn, without scrolling;
// setTopRow scrolls, and topRow reads back what the user scrolled to.
TEST_F(Grid, TheViewFollowsTheCurrentCellAndTheTopRow) {
    show(200);
    g.setRow(150);
    g.setCol(1);
    EXPECT_EQ(g.text(), "n149");
    QCoreApplication::processEvents();
    EXPECT_EQ(g.selectionModel()->currentIndex(), g.model()->index(149, 1));
    EXPECT_EQ(g.topRow(), 1) << "setting the row does not scroll";
    g.setRow(0);
    g.setTopRow(50);
    EXPECT_EQ(g.topRow(), 50);
    QCoreApplication::processEvents();
    EXPECT_FALSE(g.selectionModel()->hasSelection());
    EXPECT_EQ(g.rowAt(0), 49);
    g.verticalScrollBar()->setValue(10);  // the user scrolls
    EXPECT_EQ(g.topRow(), 11);
}

TEST_F(Grid, ClicksKeysTooltipsAndColumnWidths) {
    show(2);
    g.setFocus();
    QCoreApplication::processEvents();
    EXPECT_EQ(g.row(), 0);
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {},
                      g.visualRect(g.model()->index(1, 1)).center());
    EXPECT_EQ(g.text(), "n1");
    QSignalSpy keys(&g, &TextGrid::keyPress);
    QTest::keyClick(&g, 'q');
    QTest::keyClick(&g, Qt::Key_Return);
    g.setRow(1);
    QCoreApplication::processEvents();
    QTest::keyClick(&g, Qt::Key_Down);
    EXPECT_EQ(g.row(), 2);
    ASSERT_EQ(keys.count(), 2) << "an arrow types nothing";
    EXPECT_EQ(keys[0][0].toString() + keys[1][0].toString(), "q\r");

    // A cut-off cell shows its whole text as a tooltip; the cell that fits first, as a tooltip,
    // once shown, takes a while to fade.
    const QString longText = "in the second year of the long winter after the fall of the tower";
    g.setTextMatrix(1, 1, longText);
    for (const auto& [col, tip] : {std::pair{0, QString()}, std::pair{1, longText}}) {
        const QRect cell = g.visualRect(g.model()->index(0, col));
        QHelpEvent help(QEvent::ToolTip, cell.center(), g.viewport()->mapToGlobal(cell.center()));
        QApplication::sendEvent(g.viewport(), &help);
        EXPECT_EQ(QToolTip::isVisible() ? QToolTip::text() : QString(), tip) << col;
    }
    QToolTip::hideText();

    // Column widths are twips, and a one-twip column stays hidden across changes.
    g.setColWidth(1, 2000);
    g.setColWidth(2, 1);
    EXPECT_EQ(g.colWidth(1), 2000);
    EXPECT_EQ(g.colWidth(2), 1);
    for (int pass = 0; pass < 2; ++pass) {
        EXPECT_EQ(g.horizontalHeader()->sectionSize(1), TwipsToPixels(2000));
        EXPECT_EQ(g.horizontalHeader()->sectionSize(2), 0);
        g.addItem("a\tb\tc");
        g.setRows(1);
    }
}

}  // namespace
}  // namespace tavri

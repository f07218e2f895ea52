// The main window's list: a grid of text cells whose row 0 is the header row.
//
// Rows and columns are numbered as the entry commands number them: row 0 holds the column
// headers and is shown as the table's header, so it stays visible above the data rows 1 to
// rows() - 1. The cells live in one flat vector; the view asks only for the cells it paints, so
// 100,000 rows load, scroll and sort without lag.
//
// The current cell (row(), col()) and the top row are the grid's own state. Setting them from
// code is cheap (a command may walk every row): the view follows at the next turn of the event
// loop, without scrolling unless setTopRow asked for it. A click or a key that moves the view's
// current cell updates them at once. Row 0 as the current row means no entry is selected.
//
// A cell too narrow for its text shows the whole text as a tooltip.
#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <QTableView>
#include <optional>
#include <vector>

namespace tavri {

class TextGridModel;

class TextGrid : public QTableView {
    Q_OBJECT
public:
    explicit TextGrid(QWidget* parent = nullptr);

    int rows() const;
    void setRows(int rows);  // keeps the first rows, adds empty ones; at least the header row
    int cols() const;
    void setCols(int cols);

    int row() const { return row_; }
    void setRow(int row);  // clamped to the rows there are
    int col() const { return col_; }
    void setCol(int col);
    // The first data row shown; 0 when there is none.
    int topRow() const;
    void setTopRow(int row);

    // Cell text; "" outside the grid.
    QString textMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, const QString& text);
    // The current cell's text.
    QString text() const { return textMatrix(row_, col_); }
    void setText(const QString& text) { setTextMatrix(row_, col_, text); }

    // Column widths in twips: as set, or as the user last dragged them.
    int colWidth(int col) const;
    void setColWidth(int col, int twips);
    // Has the user dragged this column's width?
    bool colWidthSetByUser(int col) const;
    // The last shown column takes up the room the others leave (off by default).
    void setStretchLastColumn(bool stretch);

    // Appends a data row whose cells are the TAB-separated parts of line.
    void addItem(const QString& line);
    // Appends a data row with these cells, so that a TAB inside a value stays in its cell.
    void addRow(const QStringList& cells);
    // Empties every cell; rows, columns and widths stay.
    void clear();
    // Orders the data rows by a column, ascending, in the generic order (cells that read as
    // numbers first, by value; the rest by the compendium collation); equal cells keep their
    // order.
    void sort(int col);

    // Groups many changes into one model reset, for filling the grid in bulk.
    class Batch {
    public:
        explicit Batch(TextGrid& grid);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        TextGrid& grid_;
    };

signals:
    void dblClick();
    // A key that types a character (Enter gives "\r"); Tab and the movement keys are the view's.
    void keyPress(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    friend class TextGridModel;
    void beginChange();
    void endChange();
    void scheduleViewSync();
    void syncView();
    void viewCurrentChanged(const QModelIndex& current);
    void applyColWidth(int col);
    QString& cell(int row, int col) { return cells_[static_cast<size_t>(row) * cols_ + col]; }

    TextGridModel* model_;
    std::vector<QString> cells_;  // row-major, row 0 first
    int rows_ = 1;
    int cols_ = 2;
    std::vector<int> colWidths_;    // twips
    std::vector<bool> userWidths_;  // dragged by the user
    bool dragging_ = false;         // a mouse button is down on the header
    int row_ = 0;
    int col_ = 0;
    std::optional<int> pendingTop_;
    int batchDepth_ = 0;
    bool syncPending_ = false;
    bool syncing_ = false;
};

}  // namespace tavri

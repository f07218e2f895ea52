// The text grid: a flat vector of cells behind a table model, shown by a QTableView whose
// horizontal header paints row 0.
#include "ui/Grid1.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QToolTip>
#include <algorithm>

#include "app/EntryList.h"
#include "ui/Twips.h"

namespace tavri {

namespace {
constexpr int kDefaultColWidth = 1200;  // twips, for a column the program gives no width
}

// The model shows data rows 1.. as its rows 0..; the header row is its horizontal header.
class TextGridModel : public QAbstractTableModel {
public:
    explicit TextGridModel(TextGrid& grid) : QAbstractTableModel(&grid), grid_(grid) {}

    int rowCount(const QModelIndex& parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : grid_.rows_ - 1;
    }
    int columnCount(const QModelIndex& parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : grid_.cols_;
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || !index.isValid()) {
            return {};
        }
        return grid_.textMatrix(index.row() + 1, index.column());
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (role != Qt::DisplayRole || orientation != Qt::Horizontal) {
            return {};
        }
        return grid_.textMatrix(0, section);
    }

    void beginReset() { beginResetModel(); }
    void endReset() { endResetModel(); }
    void beginAppend(int modelRow) { beginInsertRows(QModelIndex(), modelRow, modelRow); }
    void endAppend() { endInsertRows(); }
    void cellChanged(int gridRow, int col) {
        if (gridRow == 0) {
            emit headerDataChanged(Qt::Horizontal, col, col);
        } else {
            const QModelIndex i = index(gridRow - 1, col);
            emit dataChanged(i, i, {Qt::DisplayRole});
        }
    }

private:
    TextGrid& grid_;
};

TextGrid::TextGrid(QWidget* parent) : QTableView(parent), model_(new TextGridModel(*this)) {
    cells_.resize(static_cast<size_t>(rows_) * cols_);
    colWidths_.assign(cols_, kDefaultColWidth);
    userWidths_.assign(cols_, false);
    setModel(model_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setWordWrap(false);
    setTabKeyNavigation(false);
    verticalHeader()->hide();
    // Fixed row heights keep a long list cheap: the view never measures rows.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setMinimumSectionSize(0);
    // Only a drag on the header counts as the user's width; the header's own stretching of the
    // last column does not.
    horizontalHeader()->viewport()->installEventFilter(this);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int section, int, int newSize) {
                if (!syncing_ && dragging_ && section < cols_ && newSize > 0) {
                    colWidths_[section] = PixelsToTwips(newSize);
                    userWidths_[section] = true;
                }
            });
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { viewCurrentChanged(current); });
    for (int c = 0; c < cols_; ++c) {
        applyColWidth(c);
    }
}

int TextGrid::rows() const {
    return rows_;
}

int TextGrid::cols() const {
    return cols_;
}

void TextGrid::beginChange() {
    if (batchDepth_ == 0) {
        model_->beginReset();
    }
    ++batchDepth_;
}

void TextGrid::endChange() {
    if (--batchDepth_ > 0) {
        return;
    }
    {
        QScopedValueRollback guard(syncing_, true);
        model_->endReset();
        for (int c = 0; c < cols_; ++c) {
            applyColWidth(c);
        }
    }
    scheduleViewSync();
}

TextGrid::Batch::Batch(TextGrid& grid) : grid_(grid) {
    grid_.beginChange();
}

TextGrid::Batch::~Batch() {
    grid_.endChange();
}

void TextGrid::setRows(int rows) {
    rows = std::max(rows, 1);
    beginChange();
    rows_ = rows;
    cells_.resize(static_cast<size_t>(rows_) * cols_);
    row_ = std::min(row_, rows_ - 1);
    pendingTop_.reset();
    endChange();
}

void TextGrid::setCols(int cols) {
    cols = std::max(cols, 1);
    if (cols == cols_) {
        return;
    }
    beginChange();
    std::vector<QString> cells(static_cast<size_t>(rows_) * cols);
    const int kept = std::min(cols, cols_);
    for (int r = 0; r < rows_; ++r) {
        for (int c = 0; c < kept; ++c) {
            cells[static_cast<size_t>(r) * cols + c] = std::move(cell(r, c));
        }
    }
    cells_ = std::move(cells);
    cols_ = cols;
    colWidths_.resize(cols_, kDefaultColWidth);
    userWidths_.resize(cols_, false);
    col_ = std::min(col_, cols_ - 1);
    endChange();
}

void TextGrid::setRow(int row) {
    row_ = std::clamp(row, 0, rows_ - 1);
    scheduleViewSync();
}

void TextGrid::setCol(int col) {
    col_ = std::clamp(col, 0, cols_ - 1);
    scheduleViewSync();
}

int TextGrid::topRow() const {
    if (rows_ <= 1) {
        return 0;
    }
    if (pendingTop_) {
        return *pendingTop_;
    }
    return std::clamp(verticalScrollBar()->value() + 1, 1, rows_ - 1);
}

void TextGrid::setTopRow(int row) {
    if (rows_ <= 1) {
        return;
    }
    pendingTop_ = std::clamp(row, 1, rows_ - 1);
    scheduleViewSync();
}

QString TextGrid::textMatrix(int row, int col) const {
    if (row < 0 || row >= rows_ || col < 0 || col >= cols_) {
        return QString();
    }
    return cells_[static_cast<size_t>(row) * cols_ + col];
}

void TextGrid::setTextMatrix(int row, int col, const QString& text) {
    if (row < 0 || row >= rows_ || col < 0 || col >= cols_) {
        return;
    }
    cell(row, col) = text;
    if (batchDepth_ == 0) {
        model_->cellChanged(row, col);
    }
}

int TextGrid::colWidth(int col) const {
    return col >= 0 && col < cols_ ? colWidths_[col] : 0;
}

void TextGrid::setColWidth(int col, int twips) {
    if (col < 0 || col >= cols_) {
        return;
    }
    colWidths_[col] = std::max(twips, 0);
    applyColWidth(col);
}

bool TextGrid::colWidthSetByUser(int col) const {
    return col >= 0 && col < cols_ && userWidths_[col];
}

void TextGrid::setStretchLastColumn(bool stretch) {
    horizontalHeader()->setStretchLastSection(stretch);
}

void TextGrid::applyColWidth(int col) {
    QScopedValueRollback guard(syncing_, true);
    const int pixels = TwipsToPixels(colWidths_[col]);
    // A column narrower than a pixel (the list's id column) is hidden in effect.
    horizontalHeader()->setSectionHidden(col, pixels <= 0);
    if (pixels > 0) {
        horizontalHeader()->resizeSection(col, pixels);
    }
}

void TextGrid::addItem(const QString& line) {
    addRow(line.split(QLatin1Char('\t')));
}

void TextGrid::addRow(const QStringList& cells) {
    const bool single = batchDepth_ == 0;
    if (single) {
        model_->beginAppend(rows_ - 1);
    }
    cells_.resize(cells_.size() + cols_);
    ++rows_;
    const int n = std::min(static_cast<int>(cells.size()), cols_);
    for (int c = 0; c < n; ++c) {
        cell(rows_ - 1, c) = cells[c];
    }
    if (single) {
        model_->endAppend();
    }
}

void TextGrid::clear() {
    beginChange();
    std::fill(cells_.begin(), cells_.end(), QString());
    endChange();
}

void TextGrid::sort(int col) {
    if (col < 0 || col >= cols_ || rows_ <= 2) {
        return;
    }
    std::vector<const QString*> keys;
    keys.reserve(rows_ - 1);
    for (int r = 1; r < rows_; ++r) {
        keys.push_back(&cells_[static_cast<size_t>(r) * cols_ + col]);
    }
    const std::vector<qsizetype> order = GenericSortOrder(keys);
    bool unchanged = true;
    for (size_t i = 0; i < order.size() && unchanged; ++i) {
        unchanged = order[i] == static_cast<qsizetype>(i);
    }
    if (unchanged) {
        return;
    }
    beginChange();
    std::vector<QString> cells;
    cells.reserve(cells_.size());
    for (int c = 0; c < cols_; ++c) {
        cells.push_back(std::move(cell(0, c)));
    }
    for (qsizetype from : order) {
        for (int c = 0; c < cols_; ++c) {
            cells.push_back(std::move(cell(static_cast<int>(from) + 1, c)));
        }
    }
    cells_ = std::move(cells);
    endChange();
}

void TextGrid::scheduleViewSync() {
    if (syncPending_) {
        return;
    }
    syncPending_ = true;
    QMetaObject::invokeMethod(
        this, [this] { syncView(); }, Qt::QueuedConnection);
}

// Brings the view's current cell and scroll position to the grid's state, without the view's
// own scrolling to the current cell.
void TextGrid::syncView() {
    syncPending_ = false;
    QScopedValueRollback guard(syncing_, true);
    const bool scrolls = hasAutoScroll();
    setAutoScroll(false);
    if (row_ >= 1) {
        selectionModel()->setCurrentIndex(
            model_->index(row_ - 1, col_),
            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    } else {
        selectionModel()->clear();
    }
    setAutoScroll(scrolls);
    if (pendingTop_) {
        doItemsLayout();
        verticalScrollBar()->setValue(*pendingTop_ - 1);
        pendingTop_.reset();
    }
}

void TextGrid::viewCurrentChanged(const QModelIndex& current) {
    if (syncing_) {
        return;
    }
    if (current.isValid()) {
        row_ = current.row() + 1;
        col_ = current.column();
    } else {
        row_ = 0;
        col_ = 0;
    }
}

// The view makes its first cell current when it gains focus; here the header row stays current
// until the user or the program moves.
void TextGrid::focusInEvent(QFocusEvent* event) {
    const int row = row_;
    const int col = col_;
    QTableView::focusInEvent(event);
    if (row_ != row || col_ != col) {
        row_ = row;
        col_ = col;
        scheduleViewSync();
    }
}

void TextGrid::keyPressEvent(QKeyEvent* event) {
    const bool tab = event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab;
    if (!event->text().isEmpty() && !tab) {
        event->accept();
        emit keyPress(event->text());
        return;
    }
    QTableView::keyPressEvent(event);
}

bool TextGrid::eventFilter(QObject* watched, QEvent* event) {
    if (watched == horizontalHeader()->viewport()) {
        // A double click on a column's edge fits the column to its text: the user's width too.
        if (event->type() == QEvent::MouseButtonPress ||
            event->type() == QEvent::MouseButtonDblClick) {
            dragging_ = true;
        } else if (event->type() == QEvent::MouseButtonRelease) {
            dragging_ = false;
        }
    }
    return QTableView::eventFilter(watched, event);
}

bool TextGrid::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QModelIndex index = indexAt(help->pos());
        const QString text = index.isValid() ? index.data().toString() : QString();
        // The room a cell's text has: its rectangle less the margins the style draws it with.
        const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
        const int room = visualRect(index).width() - 2 * margin;
        if (!text.isEmpty() && fontMetrics().horizontalAdvance(text) > room) {
            QToolTip::showText(help->globalPos(), text, viewport(), visualRect(index));
        } else {
            QToolTip::hideText();
        }
        return true;
    }
    return QTableView::viewportEvent(event);
}

void TextGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    QTableView::mouseDoubleClickEvent(event);
    emit dblClick();
}

}  // namespace tavri

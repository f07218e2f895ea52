// The main window: layout, the list refresh, the filter and list handlers, Options and Exit.
#include "ui/Form1.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QStyleOptionButton>
#include <QStylePainter>

#include "ui/AnchoredLayout.h"
#include "ui/Grid1.h"
#include "ui/Twips.h"

namespace tavri {
namespace {

// The design size of the client area, in twips; also its minimum.
constexpr int kDesignWidth = 9345;
constexpr int kDesignHeight = 7920;

const QString kNoUpdate = QStringLiteral("noupdate");

// The hourglass for the length of a scope, restored also when the scope ends by an error.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// The first character of a text as a code point, or 0 for an empty text.
char32_t FirstCodePoint(const QString& text) {
    if (text.isEmpty()) {
        return 0;
    }
    if (text.size() > 1 && text[0].isHighSurrogate() && text[1].isLowSurrogate()) {
        return QChar::surrogateToUcs4(text[0], text[1]);
    }
    return text[0].unicode();
}

// A button whose caption wraps onto a second line when the button is too narrow for it, as
// "Publish Changed" is at its design width.
class WrappingButton : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent*) override {
        QStylePainter painter(this);
        QStyleOptionButton option;
        initStyleOption(&option);
        const QString caption = option.text;
        option.text.clear();
        painter.drawControl(QStyle::CE_PushButton, option);
        const QRect room = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
        style()->drawItemText(&painter, room,
                              Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic, palette(),
                              isEnabled(), caption, QPalette::ButtonText);
    }
};

// A column's width in twips: the design width, widened where the window's font needs more room
// for the header or a typical value. A column hidden by a width under a pixel stays hidden.
int ReadableWidth(const TextGrid& grid, int twips, const QString& header, const QString& typical) {
    if (TwipsToPixels(twips) <= 0) {
        return twips;
    }
    const QStyle* style = grid.style();
    const QFontMetrics& cells = grid.fontMetrics();
    const QFontMetrics headers = grid.horizontalHeader()->fontMetrics();
    const int headerRoom = headers.horizontalAdvance(header) +
                           2 * style->pixelMetric(QStyle::PM_HeaderMargin, nullptr, &grid) + 4;
    const int cellRoom =
        cells.horizontalAdvance(typical) +
        2 * (style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &grid) + 1) + 4;
    return std::max(twips, PixelsToTwips(std::max(headerRoom, cellRoom)));
}

bool IsEnter(const QKeyEvent* key) {
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

}  // namespace

// The placements are kept in the window so that a resize can lay the controls out again.
struct Form1Layout {
    QWidget* client = nullptr;
    AnchoredLayout placements{kDesignWidth, kDesignHeight};
};

Form1::Form1(AppState& state, Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), state_(state), dialogs_(dialogs) {
    setWindowTitle(state_.AppTitle);
    buildLayout();
    buildMenus();
    connectHandlers();
    connectEntryCommands();
    connectPublishCommands();

    statusBar();  // made now, so that the window's first size has room for it
    fitToScreen();
    Grid1->setFocus();
}

Form1::~Form1() = default;

// The client area's minimum is its design size, or less where the screen's available room is
// smaller, so that the whole window, menu bar and title bar included, is on the screen at any
// scaling. The window opens at that size in the middle of the available room.
void Form1::fitToScreen() {
    const QSize design = layout_->placements.designSize();
    const QScreen* screen = QGuiApplication::primaryScreen();
    QSize minimum = design;
    if (screen != nullptr) {
        centralWidget()->setMinimumSize(design);
        // Menu bar and status bar; before the window is shown its frame is not known, so a title
        // bar's height is allowed for.
        const QSize around = minimumSizeHint() - design;
        const int titleBar = style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this);
        const QSize room = screen->availableGeometry().size() - around - QSize(0, titleBar);
        minimum = design.boundedTo(room);
    }
    centralWidget()->setMinimumSize(minimum);
    resize(minimumSizeHint());
    if (screen != nullptr) {
        const QRect available = screen->availableGeometry();
        QRect frame = frameGeometry();
        frame.moveCenter(available.center());
        frame.moveTop(std::max(frame.top(), available.top()));
        frame.moveLeft(std::max(frame.left(), available.left()));
        move(frame.topLeft());
    }
}

void Form1::buildLayout() {
    layout_ = std::make_unique<Form1Layout>();
    auto* client = new QWidget(this);
    setCentralWidget(client);
    layout_->client = client;
    client->installEventFilter(this);

    auto place = [this](QWidget* w, int l, int t, int width, int height, unsigned anchors) {
        layout_->placements.place(w, l, t, width, height, anchors);
    };
    auto button = [&place](QWidget* parent, const QString& caption, const QString& tip, int l,
                           int t, int width, int height, unsigned anchors) {
        QPushButton* b = new WrappingButton(caption, parent);
        b->setToolTip(tip);
        place(b, l, t, width, height, anchors);
        return b;
    };

    Frame1 = new QGroupBox(QStringLiteral("Records"), client);
    place(Frame1, 0, 0, 9255, 6615, GrowWidth | GrowHeight);
    Grid1 = new TextGrid(Frame1);
    Grid1->setStretchLastColumn(true);
    place(Grid1, 120, 240, 9015, 5295, GrowWidth | GrowHeight);
    Command1 = button(Frame1, QStringLiteral("Add"), QStringLiteral("Add a new entry"), 120, 5760,
                      735, 615, FollowBottom);
    Command5 = button(Frame1, QStringLiteral("Copy"),
                      QStringLiteral("Copy the selected entry into a new one"), 1080, 5760, 735,
                      615, FollowBottom);
    Command2 = button(Frame1, QStringLiteral("Edit"), QStringLiteral("Edit the selected entry"),
                      2040, 5760, 735, 615, FollowBottom);
    Command3 = button(Frame1, QStringLiteral("Delete"), QStringLiteral("Delete the selected entry"),
                      3000, 5760, 735, 615, FollowBottom);
    Command8 = button(Frame1, QStringLiteral("Publish Alpha"),
                      QStringLiteral("Publish the alphabetical page site (use the AlphaPage menu)"),
                      4800, 6480, 855, 615, FollowBottom | FollowRight);
    Command8->setEnabled(false);
    // Its design place runs past Frame1's bottom edge, where only a clipped stub would show.
    Command8->hide();
    Command7 = button(Frame1, QStringLiteral("Create RTF"),
                      QStringLiteral("Write an RTF document for each race/location"), 5880, 5760,
                      855, 615, FollowBottom | FollowRight);
    Command6 = button(Frame1, QStringLiteral("Publish Changed"),
                      QStringLiteral("Publish the web site, rewriting only changed entries' pages"),
                      6960, 5760, 855, 615, FollowBottom | FollowRight);
    Command4 =
        button(Frame1, QStringLiteral("Publish"), QStringLiteral("Publish the whole web site"),
               8040, 5760, 855, 615, FollowBottom | FollowRight);

    Frame2 = new QGroupBox(QStringLiteral("Progress"), Frame1);
    place(Frame2, 1920, 960, 4215, 3255, Centre);
    // Painted opaque, so the grid's rows do not show through between its labels.
    Frame2->setAutoFillBackground(true);
    Frame2->hide();
    Label3 = new QLabel(QStringLiteral("Label2"), Frame2);
    place(Label3, 480, 960, 3255, 255, Fixed);
    Label2 = new QLabel(QStringLiteral("Label2"), Frame2);
    place(Label2, 480, 1680, 3255, 255, Fixed);
    ProgressBar = new QProgressBar(Frame2);
    place(ProgressBar, 480, 2160, 3255, 255, Fixed);

    Frame3 = new QGroupBox(QStringLiteral("Filters"), client);
    place(Frame3, 0, 6600, 9255, 1215, GrowWidth | FollowBottom);
    Label1 = new QLabel(QStringLiteral("Text Match"), Frame3);
    place(Label1, 360, 240, 975, 255, Fixed);
    Combo1 = new QComboBox(Frame3);
    Combo1->setEditable(true);
    Combo1->setInsertPolicy(QComboBox::NoInsert);
    Combo1->setCompleter(nullptr);  // what is typed stays as typed
    Combo1->setToolTip(QStringLiteral(
        "Text to look for in the entries; pick a race/location to list it at once, or type a "
        "text and press Enter"));
    place(Combo1, 360, 480, 1815, 315, Fixed);
    Check1 = new QCheckBox(QStringLiteral("Just Race/Loc"), Frame3);
    Check1->setToolTip(QStringLiteral("Look for the text in the race/location only"));
    place(Check1, 360, 840, 1695, 255, Fixed);
    Command9 =
        button(Frame3, QStringLiteral("Clear"), QStringLiteral("Clear the text and date filters"),
               1440, 240, 735, 255, Fixed);
    Label4 = new QLabel(QStringLiteral("Date Match"), Frame3);
    place(Label4, 2760, 240, 1695, 255, Fixed);
    Text1 = new QLineEdit(Frame3);
    Text1->setToolTip(QStringLiteral(
        "List only the entries whose date contains this text; press Enter to apply"));
    place(Text1, 2760, 480, 2295, 285, Fixed);
    Frame4 = new QGroupBox(QStringLiteral("Changed?"), Frame3);
    place(Frame4, 7320, 120, 1815, 975, FollowRight);
    const QString options[3] = {QStringLiteral("All"), QStringLiteral("Changed"),
                                QStringLiteral("Unchanged")};
    const QString tips[3] = {QStringLiteral("List changed and unchanged entries"),
                             QStringLiteral("List only entries changed since the last publication"),
                             QStringLiteral("List only entries not changed since then")};
    for (int i = 0; i < 3; ++i) {
        Option1[i] = new QRadioButton(options[i], Frame4);
        Option1[i]->setToolTip(tips[i]);
        place(Option1[i], 120, 240 + 240 * i, 1575, 195, Fixed);
    }
    Option1[0]->setChecked(true);
    placeControls();
}

void Form1::buildMenus() {
    QMenuBar* bar = menuBar();
    mnuexit = bar->addAction(QStringLiteral("&Exit"));
    mnucurrent = bar->addAction(QStringLiteral("&Report Current"));
    mnuBookmark = bar->addAction(QStringLiteral("&Bookmark"));
    mnuOptions = bar->addAction(QStringLiteral("&Options"));
    mnualpha = bar->addAction(QStringLiteral("&AlphaPage"));
    mnuupload = bar->addAction(QStringLiteral("&Upload CSV"));
    mnuexport = bar->addMenu(QStringLiteral("E&xport"));
    mnuwebsite = mnuexport->addAction(QStringLiteral("&Web site\u2026"));
    mnuebook = mnuexport->addAction(QStringLiteral("&E-book (EPUB)\u2026"));
}

void Form1::connectHandlers() {
    connect(Combo1, &QComboBox::activated, this, [this](int) { Combo1_Click(); });
    connect(Combo1->lineEdit(), &QLineEdit::textEdited, this, &Form1::Combo1_Change);
    Combo1->installEventFilter(this);
    Combo1->lineEdit()->installEventFilter(this);
    connect(Check1, &QCheckBox::clicked, this, &Form1::Check1_Click);
    for (int i = 0; i < 3; ++i) {
        connect(Option1[i], &QRadioButton::clicked, this, [this, i] { Option1_Click(i); });
    }
    connect(Command9, &QPushButton::clicked, this, &Form1::Command9_Click);
    connect(Text1, &QLineEdit::returnPressed, this, [this] { Text1_KeyPress('\r'); });
    connect(Grid1, &TextGrid::dblClick, this, &Form1::Grid1_DblClick);
    connect(Grid1, &TextGrid::keyPress, this, &Form1::Grid1_KeyPress);
    connect(mnuexit, &QAction::triggered, this, &Form1::mnuexit_Click);
    connect(mnuOptions, &QAction::triggered, this, &Form1::mnuOptions_Click);
    connect(mnuupload, &QAction::triggered, this, &Form1::mnuupload_Click);
}

// Lays the controls out at their design positions, the growing ones taking up the room the
// window has beyond its design size, or giving it up on a screen smaller than that.
void Form1::placeControls() {
    layout_->placements.apply(layout_->client->size());
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (layout_ && watched == layout_->client && event->type() == QEvent::Resize) {
        placeControls();
    } else if (Combo1 != nullptr && (watched == Combo1 || watched == Combo1->lineEdit()) &&
               event->type() == QEvent::KeyPress) {
        // Enter is the combo box's own key; it must neither pick an item nor reach the box.
        if (IsEnter(static_cast<QKeyEvent*>(event))) {
            Combo1_KeyPress('\r');
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void Form1::reportError(const QString& message) {
    dialogs_.inform(message, QString(), MessageIcon::Critical);
}

ListFilter Form1::currentFilter() const {
    ListFilter filter;
    filter.matchText = Combo1->currentText();
    filter.raceOnly = Check1->isChecked();
    filter.changed = Option1[1]->isChecked()   ? ChangedFilter::Changed
                     : Option1[2]->isChecked() ? ChangedFilter::Unchanged
                                               : ChangedFilter::All;
    filter.dateMatch = Text1->text();
    return filter;
}

void Form1::RefreshList() {
    WaitCursor hourglass;
    // Both scans run before any control changes, so that a store error leaves the window
    // showing what it showed.
    const EntryListing listing = BuildEntryList(state_, currentFilter());
    const QString campaign = state_.OptionsRs->text(u"campaign");

    int count = 0;
    {
        TextGrid::Batch batch(*Grid1);
        Grid1->clear();
        Grid1->setCols(6);
        Grid1->setRows(1);
        Grid1->setRow(0);
        Grid1->setCol(0);
        struct Column {
            const char* header;
            // Twips; 0 keeps the grid's own width. The last shown column (Desc) is given only
            // the room for its header: it stretches over what the others leave, which at the
            // design size and widths is its design width, 4700.
            int width;
            const char* typical;  // a value the column should show whole
        };
        static const Column kColumns[6] = {{"More?", 400, "*"},
                                           {"Name", 2000, "Aldric Fenmoor"},
                                           {"Race/Loc", 0, "Marchlands"},
                                           {"Date", 600, "founded 880"},
                                           {"Desc", 15, ""},
                                           {"ID", 1, ""}};
        for (int c = 0; c < 6; ++c) {
            Grid1->setTextMatrix(0, c, QLatin1String(kColumns[c].header));
            // A width the user dragged stays for the life of the window.
            if (Grid1->colWidthSetByUser(c)) {
                continue;
            }
            const int twips = kColumns[c].width > 0 ? kColumns[c].width : Grid1->colWidth(c);
            Grid1->setColWidth(c, ReadableWidth(*Grid1, twips, QLatin1String(kColumns[c].header),
                                                QLatin1String(kColumns[c].typical)));
        }
        for (const ListRow& row : listing.rows) {
            Grid1->addRow({row.mark, row.name, row.raceLocation, row.date, row.desc,
                           QString::number(row.id)});
            ++count;
        }
        fillRaceLocationLists(listing.raceLocations);
        // The rows came in the order Grid1->sort(1) gives (BuildEntryList sorts them with the
        // grid's own generic order), so the sort by Name is already done.
    }
    Frame1->setTitle(campaign + QLatin1Char(' ') + QString::number(count) +
                     QStringLiteral(" records"));
    Grid1->setRow(0);
    Grid1->setCol(0);
    dialogs_.beep();
}

// Combo1's list: the text it held, then the race/locations; the editor's box gets the same.
// Each item equal to the held text is selected in turn, as a pick the window makes itself.
void Form1::fillRaceLocationLists(const std::vector<RaceLocationItem>& items) {
    const QString remembered = Combo1->currentText();
    {
        const QSignalBlocker block(Combo1);
        Combo1->clear();
        Combo1->addItem(remembered, QVariant(qlonglong{0}));
        for (const RaceLocationItem& item : items) {
            Combo1->addItem(item.text, QVariant(qlonglong{item.id}));
        }
        Combo1->setEditText(remembered);
    }
    if (editorRaceBox_ != nullptr) {
        editorRaceBox_->clear();
    }
    for (int i = 0; i < Combo1->count(); ++i) {
        if (editorRaceBox_ != nullptr) {
            editorRaceBox_->addItem(Combo1->itemText(i), Combo1->itemData(i));
        }
        if (Combo1->itemText(i) == remembered) {
            Combo1Tag = kNoUpdate;
            {
                const QSignalBlocker block(Combo1);
                Combo1->setCurrentIndex(i);
            }
            Combo1_Click();
        }
    }
}

void Form1::Combo1_Click() {
    if (Combo1Tag == kNoUpdate) {
        Combo1Tag.clear();
        return;
    }
    guarded([this] { RefreshList(); });
}

void Form1::Combo1_Change() {
    if (Combo1Tag == kNoUpdate) {
        Combo1Tag.clear();
    }
}

void Form1::Combo1_KeyPress(int keyAscii) {
    if (keyAscii != '\r') {
        return;
    }
    setCheck1(false);
    guarded([this] { RefreshList(); });
}

// Sets Check1 from code and runs its click handler when the value changes, as a click would.
void Form1::setCheck1(bool checked) {
    if (Check1->isChecked() == checked) {
        return;
    }
    {
        const QSignalBlocker block(Check1);
        Check1->setChecked(checked);
    }
    Check1_Click();
}

void Form1::Check1_Click() {
    if (!Combo1->currentText().isEmpty()) {
        guarded([this] { RefreshList(); });
    }
}

void Form1::Option1_Click(int) {
    guarded([this] { RefreshList(); });
}

void Form1::Command9_Click() {
    {
        const QSignalBlocker block(Combo1);
        Combo1->setEditText(QString());
    }
    Combo1_Change();
    Text1->clear();
    setCheck1(false);
    guarded([this] { RefreshList(); });
}

// Enter applies the date filter; "Just Race/Loc" stays as it is.
void Form1::Text1_KeyPress(int keyAscii) {
    if (keyAscii == '\r') {
        guarded([this] { RefreshList(); });
    }
}

void Form1::Grid1_DblClick() {
    Command2_Click();
}

// Enter edits the selected entry; then every key moves to the first name that starts with it
// (in lower case), scrolled to the top. A key no name starts with leaves the current cell.
void Form1::Grid1_KeyPress(const QString& key) {
    if (key == QLatin1String("\r")) {
        Command2_Click();
    }
    const char32_t typed = FirstCodePoint(key);
    for (int r = 1; r < Grid1->rows(); ++r) {
        const char32_t first = FirstCodePoint(Grid1->textMatrix(r, 1));
        if (first != 0 && QChar::toLower(first) == typed) {
            Grid1->setRow(r);
            Grid1->setCol(1);
            dialogs_.beep();
            Grid1->setTopRow(r);
            return;
        }
    }
}

void Form1::mnuOptions_Click() {
    guarded([this] {
        Recordset& options = *state_.OptionsRs;
        options.edit();
        try {
            const auto ask = [&](const QString& prompt, const QString& title, QStringView field) {
                const QString answer = dialogs_.input(prompt, title, options.text(field));
                if (!answer.isEmpty()) {
                    options.setField(field, answer);
                }
            };
            ask(QStringLiteral("Tavri Name"), state_.AppTitle, u"campaign");
            ask(QStringLiteral("Background Colour"), QString(), u"nameh");
            ask(QStringLiteral("Ink Colour"), QString(), u"inkcolour");
            ask(QStringLiteral("Link Colour"), QString(), u"linkcolour");
            options.update();
        } catch (...) {
            options.cancelUpdate();
            throw;
        }
    });
}

void Form1::mnuexit_Click() {
    state_.Close();
    endProgram();
}

void Form1::closeEvent(QCloseEvent* event) {
    if (!commandsEnabled_ && !ending_) {
        // A publication is running: closing the database under it would cut it off halfway.
        // Say so at once; the window closes when the run has finished.
        closeRequested_ = true;
        Label3->setText(QStringLiteral("Finishing the publication\u2026"));
        Label3->repaint();
        event->ignore();
        return;
    }
    state_.Close();
    event->accept();
    endProgram();
}

void Form1::endProgram() {
    if (ending_) {
        return;
    }
    ending_ = true;
    if (endProgram_) {
        endProgram_();
    } else {
        QCoreApplication::quit();
    }
}

void Form1::setCommandsEnabled(bool enabled) {
    commandsEnabled_ = enabled;
    for (QWidget* w : std::initializer_list<QWidget*>{
             Command1, Command5, Command2, Command3, Command7, Command6, Command4, Command9, Combo1,
             Check1, Text1, Option1[0], Option1[1], Option1[2], Grid1}) {
        w->setEnabled(enabled);
    }
    Command8->setEnabled(false);
    for (QAction* a : {mnuexit, mnucurrent, mnuBookmark, mnuOptions, mnualpha, mnuupload,
                       mnuexport->menuAction()}) {
        a->setEnabled(enabled);
    }
    if (enabled && closeRequested_) {
        closeRequested_ = false;
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
    }
}

}  // namespace tavri

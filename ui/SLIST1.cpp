// The select-from-list dialog.
#include "ui/SLIST1.h"

#include <QEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <cmath>

#include "base/Sutils.h"
#include "store/Collation.h"
#include "ui/Twips.h"

namespace tavri {
namespace {

// Design sizes, in twips. Below the minimum the list would need a negative size.
constexpr int kDesignWidth = 4260;
constexpr int kDesignHeight = 4650;
constexpr int kMinimumHeight = 2610;  // the margins (1710) and room for a few items

constexpr int kDataRole = Qt::UserRole;

// Items in the compendium's case-insensitive order rather than Qt's code-unit order.
class SortedItem : public QListWidgetItem {
public:
    SortedItem(const QString& text, qint64 data) : QListWidgetItem(text) {
        setData(kDataRole, QVariant::fromValue<qlonglong>(data));
    }
    bool operator<(const QListWidgetItem& other) const override {
        return compareKeys(text(), other.text()) < 0;
    }
};

QRect ScreenRect(const QWidget* w) {
    const QScreen* screen = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect(0, 0, 1024, 768);
}

QPushButton* MakeButton(const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setAutoDefault(false);
    return b;
}

}  // namespace

SLIST1::SLIST1(Dialogs& dialogs, QWidget* parent) : QDialog(parent), dialogs_(dialogs) {
    setObjectName(QStringLiteral("SLIST1"));
    setWindowTitle(QStringLiteral("Select from list"));
    setModal(true);

    Frame3D1 = new QFrame(this);
    Frame3D1->setFrameShape(QFrame::Panel);
    Frame3D1->setFrameShadow(QFrame::Raised);
    PlaceInTwips(Frame3D1, 0, 0, 4215, 4575);

    Label1 = new QLabel(QStringLiteral("SORTED VERSION"), this);
    PlaceInTwips(Label1, 120, 240, 3975, 255);

    List1 = new QListWidget(this);
    List1->setSelectionMode(QAbstractItemView::MultiSelection);
    List1->setSortingEnabled(false);  // sorted once before each showing, see SortIfNeeded
    PlaceInTwips(List1, 120, 600, 3975, 3345);
    List1->installEventFilter(this);

    Command1 = MakeButton(QStringLiteral("&OK"), this);
    PlaceInTwips(Command1, 120, 3960, 735, 495);
    Command2 = MakeButton(QStringLiteral("&Cancel"), this);
    PlaceInTwips(Command2, 960, 3960, 735, 495);
    Command5 = MakeButton(QStringLiteral("MatchMark"), this);
    PlaceInTwips(Command5, 2040, 3960, 1095, 255);
    Command3 = MakeButton(QStringLiteral("All"), this);
    PlaceInTwips(Command3, 3480, 3960, 615, 255);
    Command4 = MakeButton(QStringLiteral("None"), this);
    PlaceInTwips(Command4, 3480, 4200, 615, 255);

    Label2 = new QLabel(QStringLiteral("Label2"), this);
    PlaceInTwips(Label2, 3120, 4320, 255, 255);
    Label2->hide();
    Label3 = new QLabel(QStringLiteral("Label3"), this);
    PlaceInTwips(Label3, 2880, 4320, 255, 255);
    Label3->hide();

    connect(Command1, &QPushButton::clicked, this, &SLIST1::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &SLIST1::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &SLIST1::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &SLIST1::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &SLIST1::Command5_Click);
    connect(List1, &QListWidget::itemDoubleClicked, this, &SLIST1::Command1_Click);

    setMinimumSize(TwipsToPixels(kDesignWidth), TwipsToPixels(kMinimumHeight));
    resize(TwipsToPixels(kDesignWidth), TwipsToPixels(kDesignHeight));
    Form_Load();
}

void SLIST1::Form_Load() {
    const QRect screen = ScreenRect(this);
    QSize size = this->size();
    if (size.height() < std::lround(0.75 * screen.height())) {
        size.setHeight(static_cast<int>(std::lround(0.75 * screen.height())));
    }
    if (size.width() < std::lround(0.5 * screen.width())) {
        size.setWidth(static_cast<int>(std::lround(0.5 * screen.width())));
    }
    resize(size);
    CentreOnScreen();
    if (LeadingNumber(Label2->text()) < 1) {
        Label2->setText(QStringLiteral("1"));
    }
    if (!(LeadingNumber(Label3->text()) >= 1)) {
        Label3->setText(QStringLiteral("1"));
    }
}

void SLIST1::CentreOnScreen() {
    const QRect screen = ScreenRect(this);
    const QSize outer = frameGeometry().size();
    move(screen.left() + (screen.width() - outer.width()) / 2,
         screen.top() + (screen.height() - outer.height()) / 2);
}

void SLIST1::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    Form_Resize();
}

void SLIST1::Form_Resize() {
    CentreOnScreen();
    // The layout follows the window in twips; the minimum size keeps every size positive.
    const int w = PixelsToTwips(width());
    const int h = PixelsToTwips(height());
    PlaceInTwips(Frame3D1, 0, 0, w - 165, h - 480);
    PlaceInTwips(List1, 120, 600, w - 405, h - 1710);
    PlaceInTwips(Label1, 120, 240, w - 405, 255);
    const int buttonTop = 600 + (h - 1710) + 15;
    PlaceInTwips(Command1, 120, buttonTop, 735, 495);
    PlaceInTwips(Command2, 960, buttonTop, 735, 495);
    PlaceInTwips(Command5, 2040, buttonTop, 1095, 255);
    PlaceInTwips(Command3, 3480, buttonTop, 615, 255);
    PlaceInTwips(Command4, 3480, buttonTop + 255, 615, 255);
}

void SLIST1::Clear() {
    List1->clear();
    unsorted_ = false;
}

void SLIST1::AddItem(const QString& text, qint64 data) {
    List1->addItem(new SortedItem(text, data));
    unsorted_ = true;
}

void SLIST1::SortIfNeeded() {
    // One stable sort of the whole list is far cheaper than keeping it sorted item by item.
    if (unsorted_) {
        List1->sortItems(Qt::AscendingOrder);
        unsorted_ = false;
    }
}

int SLIST1::exec() {
    SortIfNeeded();
    const int result = QDialog::exec();
    if (result != Accepted) {
        // Hiding hands the focus on, and a list view that regains it makes its first row
        // current; a cancel must end with no current item.
        Command4_Click();
    }
    return result;
}

std::vector<SLIST1::Item> SLIST1::SelectedItems() const {
    std::vector<Item> items;
    for (int i = 0; i < List1->count(); ++i) {
        const QListWidgetItem* item = List1->item(i);
        if (item->isSelected()) {
            items.push_back({item->text(), item->data(kDataRole).toLongLong()});
        }
    }
    return items;
}

void SLIST1::Command1_Click() {
    const auto count = static_cast<double>(SelectedItems().size());
    if (count == 0) {
        dialogs_.inform(QStringLiteral("No items selected"));
    } else if (count > LeadingNumber(Label2->text())) {
        dialogs_.inform(QStringLiteral("Too many items selected; limit is ") + Label2->text());
    } else if (count < LeadingNumber(Label3->text())) {
        dialogs_.inform(QStringLiteral("Too few items selected; minimum is ") + Label3->text());
    } else {
        done(Accepted);
    }
}

void SLIST1::Command2_Click() {
    Command4_Click();
    done(Rejected);
}

void SLIST1::reject() {
    Command2_Click();
}

void SLIST1::Command3_Click() {
    for (int i = 0; i < List1->count(); ++i) {
        List1->item(i)->setSelected(true);
    }
}

void SLIST1::Command4_Click() {
    List1->clearSelection();
    List1->setCurrentRow(-1);
}

void SLIST1::Command5_Click() {
    const QString typed = dialogs_.input(
        QStringLiteral("Select all entries containing this string"), QString(), QString());
    if (typed.isEmpty()) {
        return;
    }
    const QString wanted = typed.toUpper();
    for (int i = 0; i < List1->count(); ++i) {
        QListWidgetItem* item = List1->item(i);
        if (item->text().toUpper().contains(wanted)) {
            item->setSelected(true);
        }
    }
}

bool SLIST1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == List1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Command1_Click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace tavri

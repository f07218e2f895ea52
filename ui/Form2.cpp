// The entry editor and its notes mark-up aids.
#include "ui/Form2.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QVBoxLayout>
#include <QValidator>
#include <limits>

#include "base/Error.h"
#include "base/Sutils.h"
#include "base/TextCodec.h"
#include "store/StoreError.h"
#include "ui/AnchoredLayout.h"
#include "ui/NotesMarkup.h"
#include "ui/SLIST1.h"
#include "ui/Twips.h"

namespace tavri {
namespace {

// The design size of the frame that holds every control, in twips; also its minimum.
constexpr int kFrameWidth = 6855;
constexpr int kFrameHeight = 6240;
// The widest race/location the entry table holds, in characters.
constexpr int kRaceLimit = 25;

// A length limit counted in characters (code points), as the entry table counts them, so that
// a name of emoji is not cut at half its length. Input that would pass the limit is refused.
class CharacterLimit : public QValidator {
public:
    CharacterLimit(int limit, QObject* parent) : QValidator(parent), limit_(limit) {}
    State validate(QString& input, int&) const override {
        return codePointCount(input) <= limit_ ? Acceptable : Invalid;
    }

private:
    int limit_;
};

QLineEdit* MakeLineEdit(QWidget* parent, int limit) {
    auto* edit = new QLineEdit(parent);
    // A box without a limit takes any length, not QLineEdit's default of 32,767 units.
    edit->setMaxLength(std::numeric_limits<int>::max());
    if (limit > 0) {
        // Two UTF-16 units hold any character; the validator keeps the character count.
        edit->setMaxLength(2 * limit);
        edit->setValidator(new CharacterLimit(limit, edit));
    }
    return edit;
}

QPushButton* MakeButton(const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    // Enter belongs to the text boxes (Save) and the notes (a new line), never to a button.
    b->setAutoDefault(false);
    b->setDefault(false);
    return b;
}

QLabel* MakeCaption(const QString& caption, QWidget* parent, int left, int top, int width) {
    auto* label = new QLabel(caption, parent);
    PlaceInTwips(label, left, top, width, 255);
    return label;
}

}  // namespace

Form2::Form2(AppState& state, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), state_(state), dialogs_(dialogs) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(state_.AppTitle);
    setModal(true);
    BuildControls();
    BuildMenu();
}

Form2::~Form2() = default;

void Form2::BuildControls() {
    Frame1 = new QGroupBox(this);
    layout_ = std::make_unique<AnchoredLayout>(kFrameWidth, kFrameHeight);
    Frame1->setMinimumSize(layout_->designSize());
    Frame1->installEventFilter(this);
    const auto place = [this](QWidget* w, int left, int top, int width, int height,
                              unsigned anchors = Fixed) {
        layout_->place(w, left, top, width, height, anchors);
    };

    MakeCaption(QStringLiteral("Name"), Frame1, 120, 240, 1215);
    Text1 = MakeLineEdit(Frame1, 25);
    place(Text1, 120, 480, 3255, 315);
    Label6 = new QLabel(Frame1);
    place(Label6, 4200, 240, 1095, 255, FollowRight);
    Command3 = MakeButton(QStringLiteral("Bookmark"), Frame1);
    place(Command3, 5400, 240, 1215, 375, FollowRight);
    Command5 = MakeButton(QStringLiteral("DupeCheck"), Frame1);
    place(Command5, 5400, 660, 1215, 315, FollowRight);

    MakeCaption(QStringLiteral("Race/Culture/Location"), Frame1, 120, 1020, 2295);
    Combo1 = new QComboBox(Frame1);
    Combo1->setEditable(true);
    Combo1->setInsertPolicy(QComboBox::NoInsert);
    place(Combo1, 2460, 960, 1395, 315);
    MakeCaption(QStringLiteral("Date"), Frame1, 4080, 1020, 975);
    Text2 = MakeLineEdit(Frame1, kRaceLimit);
    place(Text2, 120, 1320, 3735, 315);
    Text3 = MakeLineEdit(Frame1, 0);
    place(Text3, 4080, 1320, 2535, 315, GrowWidth);
    Check1 = new QCheckBox(QStringLiteral("Changed"), Frame1);
    place(Check1, 5400, 1680, 1215, 255, FollowRight);

    MakeCaption(QStringLiteral("Description Summary"), Frame1, 120, 1800, 3000);
    Text4 = MakeLineEdit(Frame1, 150);
    place(Text4, 120, 2040, 6495, 315, GrowWidth);

    MakeCaption(QStringLiteral("Notes (optional, htm tags supported - F4 to link selected text)"),
                Frame1, 120, 2460, 6495);
    Text5 = new QPlainTextEdit(Frame1);
    Text5->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text5->setTabChangesFocus(true);
    // The notes take whatever room the window has beyond its design size.
    place(Text5, 120, 2700, 6495, 2880, GrowWidth | GrowHeight);

    Command1 = MakeButton(QStringLiteral("Save"), Frame1);
    place(Command1, 120, 5700, 1095, 375, FollowBottom);
    Command4 = MakeButton(QStringLiteral("Save-Next (F12)"), Frame1);
    place(Command4, 1320, 5700, 1455, 375, FollowBottom);
    Command2 = MakeButton(QStringLiteral("Cancel"), Frame1);
    place(Command2, 5520, 5700, 1095, 375, FollowBottom | FollowRight);

    SetCommand3BackColor(ButtonFace());

    QWidget::setTabOrder(Text1, Combo1);
    QWidget::setTabOrder(Combo1, Text2);
    QWidget::setTabOrder(Text2, Text3);
    QWidget::setTabOrder(Text3, Text4);
    QWidget::setTabOrder(Text4, Text5);
    QWidget::setTabOrder(Text5, Command1);
    QWidget::setTabOrder(Command1, Command2);
    QWidget::setTabOrder(Command2, Command3);
    QWidget::setTabOrder(Command3, Command4);
    QWidget::setTabOrder(Command4, Command5);
    QWidget::setTabOrder(Command5, Check1);

    connect(Command1, &QPushButton::clicked, this, &Form2::Command1_Click);
    connect(Command4, &QPushButton::clicked, this, &Form2::Command4_Click);
    connect(Command2, &QPushButton::clicked, this, &Form2::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form2::Command3_Click);
    connect(Command5, &QPushButton::clicked, this, &Form2::Command5_Click);
    connect(Combo1, &QComboBox::activated, this, &Form2::Combo1_Click);
    for (QLineEdit* box : {Text1, Text2, Text3, Text4}) {
        connect(box, &QLineEdit::returnPressed, this, &Form2::Command1_Click);
    }
    Text1->installEventFilter(this);
    Text5->installEventFilter(this);
}

void Form2::BuildMenu() {
    MenuBar = new QMenuBar(this);
    mnuInsert = MenuBar->addMenu(QStringLiteral("&Insert..."));
    mnuinsimage = mnuInsert->addAction(QStringLiteral("&Image link"));
    mnuimagefile = mnuInsert->addAction(QStringLiteral("&Browse for image"));
    mnureclink = mnuInsert->addAction(QStringLiteral("Link to other entry"));
    mnuLink = mnuInsert->addAction(QStringLiteral("&Link Selected"));
    connect(mnuinsimage, &QAction::triggered, this, &Form2::mnuinsimage_Click);
    connect(mnuimagefile, &QAction::triggered, this, &Form2::mnuimagefile_Click);
    connect(mnureclink, &QAction::triggered, this, &Form2::mnureclink_Click);
    connect(mnuLink, &QAction::triggered, this, &Form2::mnuLink_Click);

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(MenuBar);
    layout->addWidget(Frame1);
    layout->setSizeConstraint(QLayout::SetMinimumSize);
}

void Form2::SetNotes(const QString& notes) {
    notesAsLoaded_ = notes;
    Text5->setPlainText(notes);
    rawNotesAsLoaded_ = Text5->document()->toRawText();
}

QString Form2::Notes() const {
    // The raw text keeps what the plain text would turn into spaces and line breaks (no-break
    // spaces, U+2028); only the box's own paragraph ends become the CR LF of every note.
    QString typed = Text5->document()->toRawText();
    // Notes the user did not touch are stored as they were loaded, byte for byte.
    if (typed == rawNotesAsLoaded_) {
        return notesAsLoaded_;
    }
    return typed.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
}

QColor Form2::ButtonFace() {
    return QApplication::palette().color(QPalette::Button);
}

void Form2::SetCommand3BackColor(const QColor& colour) {
    bookmarkColour_ = colour;
    QPalette palette = Command3->palette();
    palette.setColor(QPalette::Button, colour);
    Command3->setPalette(palette);
    Command3->setAutoFillBackground(true);
}

SLIST1& Form2::SelectList() {
    if (!slist_) {
        slist_ = new SLIST1(dialogs_, this);
    }
    return *slist_;
}

template <typename Step>
bool Form2::Guarded(Step step) {
    try {
        step();
        return true;
    } catch (const Error& e) {
        dialogs_.inform(e.message(), QString(), MessageIcon::Critical);
    }
    return false;
}

void Form2::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        // Every opening starts without a result; a stale "next" would make a plain Save walk on.
        Tag.clear();
        Command4Tag.clear();
    }
    QDialog::showEvent(event);
}

void Form2::Command1_Click() {
    static const struct {
        QLineEdit* Form2::*box;
        const char* message;
    } required[] = {{&Form2::Text1, "Enter a name!"},
                    {&Form2::Text2, "Enter a race!"},
                    {&Form2::Text3, "Enter a date!"},
                    {&Form2::Text4, "Enter a description!"}};
    for (const auto& field : required) {
        if (IsBlank((this->*field.box)->text())) {
            dialogs_.inform(QString::fromLatin1(field.message));
            return;
        }
    }
    if (!Command5->isHidden()) {
        bool duplicate = true;
        Guarded([&] {
            Recordset& rs = *state_.EntryRs;
            rs.setIndex(u"namedex");
            rs.seek(u"=", TrimSpaces(Text1->text()));
            duplicate = !rs.noMatch();
            if (duplicate) {
                dialogs_.inform(Text1->text() + QStringLiteral(" already exists (") +
                                rs.text(u"desc") + QLatin1Char(')'));
            }
        });
        if (duplicate) {
            return;
        }
    }
    if (StoreEntry && !Guarded(StoreEntry)) {
        return;
    }
    Text1->setFocus();
    Tag = QStringLiteral("save");
    done(Accepted);
}

void Form2::Command4_Click() {
    Command4Tag = QStringLiteral("next");
    Command1_Click();
}

void Form2::Command2_Click() {
    Text1->setFocus();
    Tag.clear();
    done(Rejected);
}

void Form2::reject() {
    Command2_Click();
}

void Form2::Command3_Click() {
    Guarded([&] {
        const bool wasBookmark = bookmarkColour_ == BookmarkRed();
        Recordset& options = *state_.OptionsRs;
        options.edit();
        options.setField(u"bookmark", wasBookmark
                                          ? qlonglong{0}
                                          : static_cast<qlonglong>(LeadingNumber(Label6->text())));
        try {
            options.update();
        } catch (const StoreError&) {
            options.cancelUpdate();
            throw;
        }
        // Painted once stored, so the colour never claims a bookmark the compendium lacks.
        SetCommand3BackColor(wasBookmark ? BookmarkGrey() : BookmarkRed());
    });
}

void Form2::Command5_Click() {
    Guarded([&] {
        Recordset& rs = *state_.EntryRs;
        rs.setIndex(u"namedex");
        rs.seek(u"=", TrimSpaces(Text1->text()));
        if (!rs.noMatch()) {
            dialogs_.inform(Text1->text() + QStringLiteral(" already exists!"));
        }
    });
}

void Form2::Combo1_Click(int index) {
    if (index >= 0) {
        // A pick obeys the box's limit as typing does.
        Text2->setText(leftCodePoints(Combo1->itemText(index), kRaceLimit));
    }
}

bool Form2::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Frame1 && event->type() == QEvent::Resize) {
        layout_->apply(Frame1->size());
    }
    if (event->type() == QEvent::KeyPress) {
        const auto& key = *static_cast<QKeyEvent*>(event);
        if (watched == Text1) {
            return Text1_KeyDown(key);
        }
        if (watched == Text5) {
            return Text5_KeyDown(key);
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool Form2::Text1_KeyDown(const QKeyEvent& key) {
    if (key.key() == Qt::Key_F12) {
        Command4_Click();
        return true;
    }
    return false;
}

bool Form2::Text5_KeyDown(const QKeyEvent& key) {
    if (key.key() == Qt::Key_F12) {
        Command4_Click();
        return true;
    }
    if (key.key() == Qt::Key_F4) {
        mnuLink_Click();
        return true;
    }
    if (key.key() == Qt::Key_A && key.modifiers() == Qt::ControlModifier) {
        Text5->selectAll();
        return true;
    }
    return false;
}

QString Form2::NotesSelection() const {
    // The editor reports line breaks inside a selection as paragraph separators.
    QString text = Text5->textCursor().selectedText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return text;
}

void Form2::ReplaceNotesSelection(const QString& text) {
    QTextCursor cursor = Text5->textCursor();
    cursor.insertText(text);
    Text5->setTextCursor(cursor);
}

void Form2::mnuinsimage_Click() {
    const int p = Text5->textCursor().selectionStart();
    ReplaceNotesSelection(ImageTag(QString::fromLatin1(kImagePlaceholder)));
    QTextCursor cursor = Text5->textCursor();
    cursor.setPosition(p + kImagePlaceholderOffset);
    cursor.setPosition(p + kImagePlaceholderOffset + kImagePlaceholderLength,
                       QTextCursor::KeepAnchor);
    Text5->setTextCursor(cursor);
}

void Form2::mnuimagefile_Click() {
    const QString folder = state_.ImagesDir();
    const QStringList names = ImageFileNames(folder);
    if (names.isEmpty()) {
        dialogs_.inform(QStringLiteral("You have no images. Copy images in .JPG or .GIF format "
                                       "into the folder ") +
                            folder + QStringLiteral(" and try again."),
                        state_.AppTitle, MessageIcon::Information);
        return;
    }
    SLIST1& list = SelectList();
    list.Clear();
    for (const QString& name : names) {
        list.AddItem(name);
    }
    list.Label1->setText(QStringLiteral("Select an image"));
    list.Label2->setText(QStringLiteral("1"));
    list.Label3->setText(QStringLiteral("1"));
    if (list.exec() != QDialog::Accepted) {
        return;
    }
    const auto chosen = list.SelectedItems();
    if (!chosen.empty()) {
        ReplaceNotesSelection(ImageTag(chosen.front().text));
    }
}

void Form2::mnureclink_Click() {
    std::vector<LinkChoice> choices;
    if (!Guarded([&] { choices = EntryLinkChoices(*state_.EntryRs); })) {
        return;
    }
    SLIST1& list = SelectList();
    list.Clear();
    for (const LinkChoice& choice : choices) {
        list.AddItem(choice.text, choice.id);
    }
    list.Label1->setText(QStringLiteral("Select an entry to link to"));
    list.Label2->setText(QStringLiteral("1"));
    list.Label3->setText(QStringLiteral("1"));
    if (list.exec() != QDialog::Accepted) {
        return;
    }
    const auto chosen = list.SelectedItems();
    if (!chosen.empty()) {
        ReplaceNotesSelection(EntryLink(chosen.front().data, NotesSelection()));
    }
}

void Form2::mnuLink_Click() {
    if (!Text5->textCursor().hasSelection()) {
        return;
    }
    const QString selected = NotesSelection();
    Guarded([&] {
        const std::optional<LinkTarget> target = FindLinkTarget(*state_.EntryRs, selected);
        if (!target) {
            dialogs_.inform(QStringLiteral("No match for ") + selected);
            return;
        }
        if (dialogs_.ask(
                QStringLiteral("Article ") + target->name + QStringLiteral(" found, link to it?"),
                state_.AppTitle)) {
            ReplaceNotesSelection(EntryLink(target->id, selected));
        }
    });
}

}  // namespace tavri

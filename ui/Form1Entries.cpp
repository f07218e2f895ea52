// The main window's entry commands: Add, Edit (with the Save-Next walk down the list), Delete,
// Copy and go to bookmark, each through the one entry editor.
//
// Every command positions EntryRs itself before it reads or writes, since the editor's look-ups
// move it. The editor stores the entry while it is still open (Form2::StoreEntry), so a store
// error leaves it open with the user's typing and stores nothing; after a store the list is
// refilled and the entry's row selected again.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <optional>

#include "app/EntryWriter.h"
#include "app/OpenCompendium.h"
#include "base/Sutils.h"
#include "ui/Form1.h"
#include "ui/Form2.h"
#include "ui/Grid1.h"

namespace tavri {
namespace {

constexpr int kNameCol = 1;
constexpr int kIdCol = 5;

void SetTexts(Form2& editor, const EntryTexts& texts, const QString& caption) {
    editor.Text1->setText(texts.name);
    editor.Text2->setText(texts.raceLocation);
    editor.Text3->setText(texts.date);
    editor.Text4->setText(texts.desc);
    editor.SetNotes(texts.details);
    editor.Frame1->setTitle(caption);
}

EntryTexts TypedTexts(const Form2& editor) {
    return {editor.Text1->text(), editor.Text2->text(), editor.Text3->text(), editor.Text4->text(),
            editor.Notes()};
}

// A new entry has no id: its Bookmark button stays off and its id label and changed box empty
// until it is stored, and its name is checked against the others.
void PrepareNewEntry(Form2& editor) {
    editor.Label6->clear();
    editor.Check1->setChecked(false);
    editor.SetCommand3BackColor(Form2::ButtonFace());
    editor.Command3->setEnabled(false);
    editor.Command5->show();
}

qint64 BookmarkValue(AppState& state) {
    return state.OptionsRs->field(u"bookmark").toLongLong();
}

// Shows the editor with its store step; true when it closed by a successful Save.
bool RunEditor(Form2& editor, std::function<void()> store) {
    editor.StoreEntry = std::move(store);
    editor.exec();
    editor.StoreEntry = nullptr;
    return editor.Tag == QLatin1String("save");
}

// Seeks the entry of id on index "id"; false when there is none.
bool SeekId(Recordset& rs, qint64 id) {
    rs.setIndex(u"id");
    rs.seek(u"=", QVariant::fromValue<qlonglong>(id));
    return !rs.noMatch();
}

// The entry's texts as they stand in the table, untrimmed, to tell whether another program
// changed them while the editor was open.
EntryTexts StoredTexts(const Recordset& rs) {
    return {rs.text(u"name"), rs.text(u"race-location"), rs.text(u"date"), rs.text(u"desc"),
            rs.text(u"details")};
}

bool operator==(const EntryTexts& a, const EntryTexts& b) {
    return a.name == b.name && a.raceLocation == b.raceLocation && a.date == b.date &&
           a.desc == b.desc && a.details == b.details;
}

// Puts the entry of id into edit mode and writes the editor's texts into it, unless another
// program changed it since it was loaded: then nothing is written and the editor stays open.
void StoreExisting(AppState& state, const Form2& editor, qint64 id, const EntryTexts& loaded) {
    Recordset& rs = *state.EntryRs;
    if (!SeekId(rs, id)) {
        throw StoreError(
            QStringLiteral("The entry being edited no longer exists; nothing was "
                           "stored."));
    }
    if (!(StoredTexts(rs) == loaded)) {
        throw StoreError(QStringLiteral("Another program changed %1 while it was open here, so "
                                        "nothing was saved. Cancel to see its new text, then "
                                        "edit it again.")
                             .arg(loaded.name));
    }
    rs.edit();
    WriteEntry(rs, TypedTexts(editor));
}

}  // namespace

Form2& Form1::editor() {
    return *editor_;
}

void Form1::connectEntryCommands() {
    // The one editor, made with the window so that the first refresh fills its race list.
    editor_ = new Form2(state_, dialogs_, this);
    setEditorRaceBox(editor_->Combo1);
    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(Command5, &QPushButton::clicked, this, &Form1::Command5_Click);
    connect(mnuBookmark, &QAction::triggered, this, &Form1::mnuBookmark_Click);
}

bool Form1::SelectedEntryCheck() {
    Grid1->setCol(kNameCol);
    if (Grid1->text() == QLatin1String("Name")) {
        dialogs_.inform(QStringLiteral("Select a record first!"));
        return false;
    }
    return true;
}

bool Form1::SelectedEntryLookup() {
    Recordset& rs = *state_.EntryRs;
    rs.setIndex(u"id");
    Grid1->setCol(kIdCol);
    rs.seek(u"=",
            QVariant::fromValue<qlonglong>(static_cast<qlonglong>(LeadingNumber(Grid1->text()))));
    if (rs.noMatch()) {
        // Another program may have deleted it since the list was filled.
        dialogs_.inform(QStringLiteral("The selected entry no longer exists."), state_.AppTitle);
        return false;
    }
    return true;
}

void Form1::FillEditor(bool idLabel, bool changedBox, bool bookmarkColour) {
    const Recordset& rs = *state_.EntryRs;
    const EntryTexts texts = ReadEntryTexts(rs);
    SetTexts(*editor_, texts, texts.name);
    const qint64 id = rs.field(u"id").toLongLong();
    if (idLabel) {
        editor_->Label6->setText(QString::number(id));
    }
    if (changedBox) {
        editor_->Check1->setChecked(rs.field(u"changed").toBool());
    }
    if (bookmarkColour) {
        editor_->SetCommand3BackColor(BookmarkValue(state_) == id ? Form2::BookmarkRed()
                                                                  : Form2::ButtonFace());
        editor_->Command3->setEnabled(true);
    }
}

int Form1::Reselect(qint64 id) {
    for (int r = 0; r < Grid1->rows(); ++r) {
        if (static_cast<qint64>(LeadingNumber(Grid1->textMatrix(r, kIdCol))) == id) {
            Grid1->setRow(r);
            Grid1->setTopRow(r);
            Grid1->setCol(kNameCol);
            return r;
        }
    }
    Grid1->setCol(0);
    Grid1->setRow(0);
    return -1;
}

// Add and Copy alike: the editor, prepared for a new entry, stores one on Save; the list is then
// refreshed with the new entry's row selected.
void Form1::StoreNewEntryFromEditor() {
    PrepareNewEntry(*editor_);
    std::optional<qint64> stored;
    const bool saved = RunEditor(*editor_, [this, &stored] {
        Recordset& rs = *state_.EntryRs;
        rs.addNew();
        stored = WriteEntry(rs, TypedTexts(*editor_));
    });
    if (saved && stored) {
        RefreshList();
        Reselect(*stored);
    }
}

void Form1::Command1_Click() {
    guarded([this] {
        if (RefusedAsReadOnly(state_, dialogs_)) {
            return;
        }
        SetTexts(*editor_, {}, QStringLiteral("New Entry"));
        StoreNewEntryFromEditor();
    });
    Grid1->setFocus();
}

void Form1::Command2_Click() {
    bool selected = true;
    guarded([this, &selected] {
        selected = SelectedEntryCheck();
        if (!selected || RefusedAsReadOnly(state_, dialogs_)) {
            return;
        }
        while (SelectedEntryLookup()) {
            FillEditor(true, true, true);
            editor_->Command5->hide();
            const qint64 id = state_.EntryRs->field(u"id").toLongLong();
            const EntryTexts loaded = StoredTexts(*state_.EntryRs);
            if (!RunEditor(*editor_,
                           [this, id, loaded] { StoreExisting(state_, *editor_, id, loaded); })) {
                return;
            }
            RefreshList();
            const int r = Reselect(id);
            if (r < 0 || editor_->Command4Tag != QLatin1String("next")) {
                return;
            }
            // Save-Next: on to the next row, or the same entry again from the last one.
            editor_->Command4Tag.clear();
            if (r + 1 < Grid1->rows()) {
                Grid1->setRow(r + 1);
                Grid1->setTopRow(r + 1);
            }
            Grid1->setCol(kNameCol);
        }
    });
    if (selected) {
        Grid1->setFocus();
    }
}

void Form1::Command3_Click() {
    guarded([this] {
        if (!SelectedEntryCheck() || RefusedAsReadOnly(state_, dialogs_) ||
            !SelectedEntryLookup()) {
            return;
        }
        Recordset& rs = *state_.EntryRs;
        if (dialogs_.ask(
                QStringLiteral("Delete ") + rs.text(u"name") + QStringLiteral(", are you sure?"),
                state_.AppTitle, Answer::No)) {
            rs.remove();
            RefreshList();
        }
    });
}

void Form1::Command5_Click() {
    bool opened = false;
    guarded([this, &opened] {
        if (!SelectedEntryCheck() || RefusedAsReadOnly(state_, dialogs_)) {
            return;
        }
        if (!dialogs_.ask(QStringLiteral("Copy record ") + Grid1->text() + QLatin1Char('?'),
                          state_.AppTitle)) {
            return;
        }
        opened = true;
        if (!SelectedEntryLookup()) {
            return;
        }
        FillEditor(false, false, false);
        StoreNewEntryFromEditor();
    });
    if (opened) {
        Grid1->setFocus();
    }
}

void Form1::mnuBookmark_Click() {
    guarded([this] {
        if (RefusedAsReadOnly(state_, dialogs_)) {
            return;
        }
        const qint64 id = BookmarkValue(state_);
        if (id == 0) {
            dialogs_.inform(QStringLiteral("No entry is bookmarked."), state_.AppTitle);
            return;
        }
        if (!SeekId(*state_.EntryRs, id)) {
            dialogs_.inform(QStringLiteral("The bookmarked entry no longer exists."),
                            state_.AppTitle);
            return;
        }
        FillEditor(true, false, true);
        editor_->Command5->hide();
        const EntryTexts loaded = StoredTexts(*state_.EntryRs);
        if (RunEditor(*editor_,
                      [this, id, loaded] { StoreExisting(state_, *editor_, id, loaded); })) {
            RefreshList();
            Reselect(id);
        }
    });
    Grid1->setFocus();
}

}  // namespace tavri

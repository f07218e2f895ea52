// The entry editor: the one window in which an entry's five texts are typed or changed.
//
// The editor never writes an entry itself. The opening command fills the controls, hands it the
// step that stores the entry (StoreEntry), runs exec(), and reads the result: Tag is "save" after a
// successful Save or Save-Next and "" otherwise; Command4Tag is "next" after Save-Next. Both are
// cleared each time the editor is shown, so a mark left by an earlier opening never reaches a later
// one. Save, Save-Next, Cancel and the close box hide the window; it keeps its controls (and the
// race list RefreshList put in Combo1) between openings.
//
// The editor reads the entry table for its name look-ups and the link aids, and writes the
// compendium's bookmark into the options record when Bookmark is pressed. A store error in any of
// these is reported and leaves the window as it was.
#pragma once

#include <QColor>
#include <QDialog>
#include <QString>
#include <functional>
#include <memory>

#include "app/AppState.h"
#include "app/Dialogs.h"

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;

namespace tavri {

class AnchoredLayout;
class SLIST1;

class Form2 : public QDialog {
    Q_OBJECT
public:
    Form2(AppState& state, Dialogs& dialogs, QWidget* parent = nullptr);
    ~Form2() override;

    // The result texts read by the opening command.
    QString Tag;
    QString Command4Tag;

    // Set by the opening command for one opening: stores the typed entry once Save has passed
    // its checks, before the window hides. When it throws a StoreError or FileError, the error
    // is reported and the editor stays open with everything as typed.
    std::function<void()> StoreEntry;

    // The notes as the entry holds them. The notes box shows every line end as a line break of
    // its own; notes the user left unchanged come back byte for byte as they were loaded, and
    // changed ones keep every character (no-break spaces, U+2028) with CR LF line ends.
    void SetNotes(const QString& notes);
    QString Notes() const;

    // The Bookmark button's background, and the colours it is painted in.
    QColor Command3BackColor() const { return bookmarkColour_; }
    void SetCommand3BackColor(const QColor& colour);
    static QColor BookmarkRed() { return QColor(255, 0, 0); }
    static QColor BookmarkGrey() { return QColor(0xC0, 0xC0, 0xC0); }
    static QColor ButtonFace();

    // The select-from-list dialog the aids use, made on first use.
    SLIST1& SelectList();

    QGroupBox* Frame1;
    QLineEdit* Text1;
    QComboBox* Combo1;
    QLineEdit* Text2;
    QLineEdit* Text3;
    QLineEdit* Text4;
    QPlainTextEdit* Text5;
    QLabel* Label6;
    QCheckBox* Check1;
    QPushButton* Command1;
    QPushButton* Command4;
    QPushButton* Command2;
    QPushButton* Command3;
    QPushButton* Command5;
    QMenuBar* MenuBar;
    QMenu* mnuInsert;
    QAction* mnuinsimage;
    QAction* mnuimagefile;
    QAction* mnureclink;
    QAction* mnuLink;

public slots:
    void Command1_Click();  // Save
    void Command4_Click();  // Save-Next
    void Command2_Click();  // Cancel
    void Command3_Click();  // Bookmark
    void Command5_Click();  // DupeCheck
    void Combo1_Click(int index);
    void mnuinsimage_Click();
    void mnuimagefile_Click();
    void mnureclink_Click();
    void mnuLink_Click();
    // The close box and Escape count as Cancel.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    std::unique_ptr<AnchoredLayout> layout_;
    void BuildControls();
    void BuildMenu();
    bool Text1_KeyDown(const QKeyEvent& key);
    bool Text5_KeyDown(const QKeyEvent& key);
    // Replaces the notes' selection as typing would.
    void ReplaceNotesSelection(const QString& text);
    QString NotesSelection() const;
    // Runs a step that reads or writes the store; a failure is reported and the step abandoned
    // (false).
    template <typename Step>
    bool Guarded(Step step);

    AppState& state_;
    Dialogs& dialogs_;
    QColor bookmarkColour_;
    QString notesAsLoaded_;
    QString rawNotesAsLoaded_;  // the notes box's own text of them, to tell a change
    SLIST1* slist_ = nullptr;   // owned as a child, made on first use
};

}  // namespace tavri

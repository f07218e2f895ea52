// The main window: the entry list, its filters, the entry and publishing commands, the menus.
//
// The list is rebuilt only by RefreshList, which every command that changes entries calls
// afterwards; the filter state lives in the controls. Every handler reports a store or file
// error in a message box (guarded) and leaves the program running.
//
// Events that code raises: where this window selects a list item or unchecks Check1 from code,
// it runs the matching click handler itself (Combo1_Click, Check1_Click), since Qt raises no
// click for a change made by code and the handlers rely on seeing one.
#pragma once

#include <QMainWindow>
#include <QString>
#include <functional>
#include <memory>

#include "app/AppState.h"
#include "app/Dialogs.h"
#include "app/EntryList.h"
#include "base/Error.h"
#include "store/StoreError.h"

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace tavri {

class Form2;
class PublishProgress;
class TextGrid;
struct Form1Layout;

class Form1 : public QMainWindow {
    Q_OBJECT
public:
    Form1(AppState& state, Dialogs& dialogs, QWidget* parent = nullptr);
    ~Form1() override;

    AppState& state() { return state_; }
    Dialogs& dialogs() { return dialogs_; }

    // Runs fn; a StoreError or FileError it throws is reported with the engine's or system's
    // message, and the program goes on. Returns whether fn ran to its end.
    template <typename Fn>
    bool guarded(Fn&& fn) {
        try {
            fn();
            return true;
        } catch (const Error& e) {
            reportError(e.message());
        }
        return false;
    }
    void reportError(const QString& message);

    // Rebuilds the list, the race/location list of Combo1 and the editor's race/location box
    // from the entry table. Throws StoreError; the controls keep their contents then.
    void RefreshList();
    // The editor's race/location box, refilled by every RefreshList; null until the editor
    // exists.
    void setEditorRaceBox(QComboBox* box) { editorRaceBox_ = box; }
    // The entry editor, made with this window and reused by every entry command.
    Form2& editor();

    // Switches every button, menu item and filter control (and the list) off or on, for the
    // time a publication runs. Publish Alpha stays off. A close asked for meanwhile is carried
    // out when the commands come back on.
    void setCommandsEnabled(bool enabled);

    // The filter settings the controls hold now.
    ListFilter currentFilter() const;

    // Has the user asked to close the window while a publication runs? The window closes when
    // the run has finished.
    bool closeRequested() const { return closeRequested_; }

    // What ends the program after Exit or the close box; the default quits the application.
    void setEndProgram(std::function<void()> end) { endProgram_ = std::move(end); }

    // Tag texts.
    QString Command4Tag;  // the publish-changed marker, "changed" while Publish Changed runs
    QString Combo1Tag;    // "noupdate" just before the window selects a list item itself

    // Controls, named as in the layout.
    QGroupBox* Frame1 = nullptr;
    TextGrid* Grid1 = nullptr;
    QPushButton* Command1 = nullptr;  // Add
    QPushButton* Command5 = nullptr;  // Copy
    QPushButton* Command2 = nullptr;  // Edit
    QPushButton* Command3 = nullptr;  // Delete
    QPushButton* Command8 = nullptr;  // Publish Alpha, off for good
    QPushButton* Command7 = nullptr;  // Create RTF
    QPushButton* Command6 = nullptr;  // Publish Changed
    QPushButton* Command4 = nullptr;  // Publish
    QGroupBox* Frame2 = nullptr;      // Progress, shown while publishing
    QLabel* Label3 = nullptr;
    QLabel* Label2 = nullptr;
    QProgressBar* ProgressBar = nullptr;
    QGroupBox* Frame3 = nullptr;  // Filters
    QLabel* Label1 = nullptr;
    QComboBox* Combo1 = nullptr;
    QCheckBox* Check1 = nullptr;
    QPushButton* Command9 = nullptr;  // Clear
    QLabel* Label4 = nullptr;
    QLineEdit* Text1 = nullptr;  // Date Match
    QGroupBox* Frame4 = nullptr;
    QRadioButton* Option1[3] = {};
    QAction* mnuexit = nullptr;
    QAction* mnucurrent = nullptr;
    QAction* mnuBookmark = nullptr;
    QAction* mnuOptions = nullptr;
    QAction* mnualpha = nullptr;
    QAction* mnuupload = nullptr;
    QMenu* mnuexport = nullptr;  // Export, the last menu of the bar
    QAction* mnuwebsite = nullptr;
    QAction* mnuebook = nullptr;

public slots:
    void Combo1_Click();
    void Combo1_Change();
    void Combo1_KeyPress(int keyAscii);
    void Check1_Click();
    void Option1_Click(int index);
    void Command9_Click();
    void Text1_KeyPress(int keyAscii);
    void Grid1_DblClick();
    void Grid1_KeyPress(const QString& key);
    void mnuexit_Click();
    void mnuOptions_Click();
    void mnuupload_Click();  // ui/Form1Upload.cpp

    // Entry commands (ui/Form1Entries.cpp).
    void Command1_Click();  // Add
    void Command2_Click();  // Edit
    void Command3_Click();  // Delete
    void Command5_Click();  // Copy
    void mnuBookmark_Click();

    // Publishing commands (ui/Form1Publish.cpp).
    void Command4_Click();  // Publish
    void Command6_Click();  // Publish Changed
    void Command7_Click();  // Create RTF
    void Command8_Click();  // Publish Alpha
    void mnualpha_Click();
    void mnucurrent_Click();  // Report Current
    void mnuwebsite_Click();  // Export > Web site
    void mnuebook_Click();    // Export > E-book (EPUB)

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void fitToScreen();
    void buildLayout();
    void buildMenus();
    void connectHandlers();
    void placeControls();
    void fillRaceLocationLists(const std::vector<RaceLocationItem>& items);
    void setCheck1(bool checked);
    void endProgram();
    // Entry commands' shared steps (ui/Form1Entries.cpp).
    void connectEntryCommands();
    void connectPublishCommands();  // ui/Form1Publish.cpp
    void runPublication(
        const std::function<qint64(PublishProgress&, const std::function<void()>&)>& publish);
    bool SelectedEntryCheck();
    bool SelectedEntryLookup();
    void FillEditor(bool idLabel, bool changedBox, bool bookmarkColour);
    int Reselect(qint64 id);
    void StoreNewEntryFromEditor();

    AppState& state_;
    Dialogs& dialogs_;
    std::unique_ptr<Form1Layout> layout_;
    QComboBox* editorRaceBox_ = nullptr;
    Form2* editor_ = nullptr;  // a child window, made by connectEntryCommands
    std::function<void()> endProgram_;
    bool commandsEnabled_ = true;
    bool closeRequested_ = false;
    bool ending_ = false;
};

}  // namespace tavri

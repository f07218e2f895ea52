// The main window's Upload CSV command: the picker, the upload with its messages, the list.
#include <QApplication>

#include "app/OpenCompendium.h"
#include "import/CsvUpload.h"
#include "ui/Form1.h"
#include "ui/Form3.h"

namespace tavri {
namespace {

// The hourglass while the upload works, taken down whenever a message box waits for the user.
class BusyCursor {
public:
    BusyCursor() { show(); }
    ~BusyCursor() { hide(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
    void show() {
        if (!shown_) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            shown_ = true;
        }
    }
    void hide() {
        if (shown_) {
            QApplication::restoreOverrideCursor();
            shown_ = false;
        }
    }

private:
    bool shown_ = false;
};

// Truncations in an OK box with the default title; the closing text in an OK box titled with
// the program's title: the information icon when every record was added, the warning icon
// when not.
class MessageBoxSink : public UploadSink {
public:
    MessageBoxSink(Dialogs& dialogs, const QString& title, BusyCursor& cursor)
        : dialogs_(dialogs), title_(title), cursor_(cursor) {}
    void truncated(const QString& text) override {
        cursor_.hide();
        dialogs_.inform(text);
        cursor_.show();
    }
    void finished(const UploadOutcome& outcome) override {
        cursor_.hide();
        dialogs_.inform(outcome.closingText(), title_,
                        outcome.complete() ? MessageIcon::Information : MessageIcon::Warning);
    }

private:
    Dialogs& dialogs_;
    const QString& title_;
    BusyCursor& cursor_;
};

}  // namespace

void Form1::mnuupload_Click() {
    if (RefusedAsReadOnly(state_, dialogs_)) {
        return;
    }
    // One picker for the window's life, so that it remembers the folder of the last upload.
    auto* picker = findChild<Form3*>(QString(), Qt::FindDirectChildrenOnly);
    if (picker == nullptr) {
        picker = new Form3(state_, dialogs_, this);
    }
    picker->PrepareToShow();
    picker->exec();
    const QString file = picker->Tag;
    if (file.isEmpty()) {
        return;
    }
    const bool uploaded = guarded([&] {
        BusyCursor cursor;
        MessageBoxSink sink(dialogs_, state_.AppTitle, cursor);
        UploadCsv(state_, file, sink);
    });
    if (uploaded) {
        guarded([this] { RefreshList(); });
    }
}

}  // namespace tavri

// The main window's Upload CSV command: the picker, the upload with its messages, the list.
#include <QApplication>

#include "app/OpenCompendium.h"
#include "import/DialogsUploadSink.h"
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

// The upload's boxes, with the hourglass taken down while each one waits.
class MessageBoxSink : public DialogsUploadSink {
public:
    MessageBoxSink(Dialogs& dialogs, const QString& title, BusyCursor& cursor)
        : DialogsUploadSink(dialogs, title), cursor_(cursor) {}

protected:
    void beforeBox() override { cursor_.hide(); }
    void afterBox() override { cursor_.show(); }

private:
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

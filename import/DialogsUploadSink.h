// What an upload says through the Dialogs interface, as the main window shows it: each
// truncation in an OK box with the default title, with a second button "Skip the Rest" while more
// truncations follow; the closing text in an OK box titled with the program's title, with the
// information icon when every record was added and the warning icon when not; a wait for another
// upload in an OK box with the information icon.
//
// Boxes wait for a person, so the upload commits what it holds before each one.
#pragma once

#include "app/Dialogs.h"
#include "import/CsvUpload.h"

namespace tavri {

class DialogsUploadSink : public UploadSink {
public:
    DialogsUploadSink(Dialogs& dialogs, const QString& title) : dialogs_(dialogs), title_(title) {}

    void waiting(const QString& text) override;
    bool truncated(const QString& text, bool more) override;
    bool waitsForPerson() const override { return true; }
    void finished(const UploadOutcome& outcome) override;

protected:
    // Called around every box, so that a window can take its busy cursor down meanwhile.
    virtual void beforeBox() {}
    virtual void afterBox() {}

private:
    Dialogs& dialogs_;
    QString title_;
};

}  // namespace tavri

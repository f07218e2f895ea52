// The dialogs of the desktop: QMessageBox, QInputDialog, the system beep, and the default
// browser for the viewer.
#pragma once

#include <QPointer>
#include <QWidget>

#include "app/Dialogs.h"

namespace tavri {

class QtDialogs : public Dialogs {
public:
    // Boxes are centred over parent when it is set.
    void setParent(QWidget* parent) { parent_ = parent; }

    Answer message(const MessageRequest& request) override;
    QString input(const QString& prompt, const QString& title, const QString& defaultText) override;
    void beep() override;
    bool openViewer(const QString& path) override;

private:
    QPointer<QWidget> parent_;
};

}  // namespace tavri

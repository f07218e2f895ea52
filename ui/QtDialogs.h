// The dialogs of the desktop: QMessageBox, QInputDialog, QFileDialog's folder chooser, the
// system beep, and the default browser for the viewer.
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
    StartAnswer startChoice(const QString& folder, const QString& title) override;
    QString chooseFolder(const QString& caption, const QString& startFolder) override;

private:
    QPointer<QWidget> parent_;
};

}  // namespace tavri

// Qt's message boxes, input boxes, folder chooser, beep and viewer.
#include "ui/QtDialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

namespace tavri {

Answer QtDialogs::message(const MessageRequest& request) {
    QMessageBox box(parent_);
    box.setWindowTitle(request.title.isEmpty() ? DefaultTitle() : request.title);
    box.setText(request.text);
    switch (request.icon) {
        case MessageIcon::None:
            box.setIcon(QMessageBox::NoIcon);
            break;
        case MessageIcon::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case MessageIcon::Question:
            box.setIcon(QMessageBox::Question);
            break;
        case MessageIcon::Warning:
            box.setIcon(QMessageBox::Warning);
            break;
        case MessageIcon::Critical:
            box.setIcon(QMessageBox::Critical);
            break;
    }
    if (request.buttons == MessageButtons::Ok) {
        box.setStandardButtons(QMessageBox::Ok);
        box.exec();
        return Answer::Ok;
    }
    if (request.buttons == MessageButtons::OkSkipRest) {
        box.setStandardButtons(QMessageBox::Ok);
        const QPushButton* skip =
            box.addButton(QStringLiteral("Skip the Rest"), QMessageBox::ActionRole);
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Ok);
        box.exec();
        return box.clickedButton() == skip ? Answer::SkipRest : Answer::Ok;
    }
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(request.defaultAnswer == Answer::No ? QMessageBox::No : QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

QString QtDialogs::input(const QString& prompt, const QString& title, const QString& defaultText) {
    bool ok = false;
    const QString text = QInputDialog::getText(parent_, title.isEmpty() ? DefaultTitle() : title,
                                               prompt, QLineEdit::Normal, defaultText, &ok);
    return ok ? text : QString();
}

void QtDialogs::beep() {
    QApplication::beep();
}

bool QtDialogs::openViewer(const QString& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

StartAnswer QtDialogs::startChoice(const QString& folder, const QString& title) {
    QMessageBox box(parent_);
    box.setWindowTitle(title.isEmpty() ? DefaultTitle() : title);
    box.setIcon(QMessageBox::Question);
    box.setText(
        QStringLiteral("No compendium was found in %1.").arg(QDir::toNativeSeparators(folder)));
    box.setInformativeText(
        QStringLiteral("Make a new compendium in this folder, or open a folder that holds one."));
    QPushButton* create =
        box.addButton(QStringLiteral("Create a new compendium here"), QMessageBox::AcceptRole);
    QPushButton* open =
        box.addButton(QStringLiteral("Open another folder\u2026"), QMessageBox::ActionRole);
    QPushButton* quit = box.addButton(QStringLiteral("Quit"), QMessageBox::RejectRole);
    auto* demo = new QCheckBox(QStringLiteral("Fill the new compendium with a demo world"), &box);
    box.setCheckBox(demo);
    box.setDefaultButton(create);
    box.setEscapeButton(quit);
    box.exec();
    StartAnswer answer;
    if (box.clickedButton() == create) {
        answer.choice = StartChoice::CreateHere;
        answer.demo = demo->isChecked();
    } else if (box.clickedButton() == open) {
        answer.choice = StartChoice::OpenAnother;
    }
    return answer;
}

QString QtDialogs::chooseFolder(const QString& caption, const QString& startFolder) {
    return QFileDialog::getExistingDirectory(parent_, caption, startFolder);
}

}  // namespace tavri

// The scripted dialogs used by tests.
#include "support/ScriptedDialogs.h"

namespace tavri {

Answer ScriptedDialogs::message(const MessageRequest& request) {
    Shown s{Shown::Kind::Message, request, {}, {}, false};
    Answer a = request.defaultAnswer;
    if (answers_.empty()) {
        s.unscripted = true;
        if (request.buttons == MessageButtons::Ok) {
            a = Answer::Ok;
        }
    } else {
        a = answers_.front();
        answers_.pop_front();
    }
    shown_.push_back(s);
    return a;
}

QString ScriptedDialogs::input(const QString& prompt, const QString& title,
                               const QString& defaultText) {
    Shown s{Shown::Kind::Input,
            {prompt, title, MessageButtons::Ok, MessageIcon::None, Answer::Ok},
            defaultText,
            {},
            false};
    QString typed;
    if (inputs_.empty()) {
        s.unscripted = true;
    } else {
        typed = inputs_.front();
        inputs_.pop_front();
    }
    shown_.push_back(s);
    return typed;
}

void ScriptedDialogs::beep() {
    shown_.push_back({Shown::Kind::Beep, {}, {}, {}, false});
}

bool ScriptedDialogs::openViewer(const QString& path) {
    shown_.push_back({Shown::Kind::Viewer, {}, {}, path, false});
    return viewerWorks_;
}

StartAnswer ScriptedDialogs::startChoice(const QString& folder, const QString& title) {
    Shown s{Shown::Kind::Start,
            {folder, title, MessageButtons::Ok, MessageIcon::None, Answer::Ok},
            {},
            {},
            false};
    StartAnswer a;
    if (starts_.empty()) {
        s.unscripted = true;
    } else {
        a = starts_.front();
        starts_.pop_front();
    }
    shown_.push_back(s);
    return a;
}

QString ScriptedDialogs::chooseFolder(const QString& caption, const QString& startFolder) {
    Shown s{Shown::Kind::Folder,
            {caption, QString(), MessageButtons::Ok, MessageIcon::None, Answer::Ok},
            {},
            startFolder,
            false};
    QString folder;
    if (folders_.empty()) {
        s.unscripted = true;
    } else {
        folder = folders_.front();
        folders_.pop_front();
    }
    shown_.push_back(s);
    return folder;
}

std::vector<QString> ScriptedDialogs::messages() const {
    std::vector<QString> texts;
    for (const Shown& s : shown_) {
        if (s.kind == Shown::Kind::Message) {
            texts.push_back(s.message.text);
        }
    }
    return texts;
}

int ScriptedDialogs::beeps() const {
    int n = 0;
    for (const Shown& s : shown_) {
        n += s.kind == Shown::Kind::Beep ? 1 : 0;
    }
    return n;
}

}  // namespace tavri

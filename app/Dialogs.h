// Everything the program says to the user, or asks, goes through this interface: message
// boxes, input boxes, the beep and the outside viewer. The windows get the Qt implementation;
// tests get ScriptedDialogs (tests/support), which answers from a script and records what was
// shown; the command line gets one that writes to the terminal.
#pragma once

#include <QString>

namespace tavri {

// OkSkipRest: OK, and a second button that stops the boxes of the same kind for the rest of the
// operation (answered SkipRest).
enum class MessageButtons { Ok, YesNo, OkSkipRest };
enum class MessageIcon { None, Information, Question, Warning, Critical };
enum class Answer { Ok, Yes, No, SkipRest };

// What to do when start-up finds no compendium in the folder it looks in.
enum class StartChoice { CreateHere, OpenAnother, Quit };
struct StartAnswer {
    StartChoice choice = StartChoice::Quit;
    bool demo = false;  // for CreateHere: fill the new compendium with the demo world
};

// A message box as the program asks for it. An empty title means the application's default
// title, "Tavri".
struct MessageRequest {
    QString text;
    QString title;
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
    Answer defaultAnswer = Answer::Ok;
};

inline const QString& DefaultTitle() {
    static const QString title = QStringLiteral("Tavri");
    return title;
}

class Dialogs {
public:
    virtual ~Dialogs() = default;

    virtual Answer message(const MessageRequest& request) = 0;
    // An input box: the typed text, or "" when the user cancels.
    virtual QString input(const QString& prompt, const QString& title,
                          const QString& defaultText) = 0;
    virtual void beep() = 0;
    // Shows a file in the desktop's viewer; false when no viewer could be started.
    virtual bool openViewer(const QString& path) = 0;
    // The question start-up asks when folder holds no compendium, titled title. A front end
    // that cannot ask answers Quit.
    virtual StartAnswer startChoice(const QString& folder, const QString& title) {
        (void)folder;
        (void)title;
        return {};
    }
    // A folder chooser opened at startFolder: the folder chosen, or "" when the user cancels
    // (as a front end that cannot ask does).
    virtual QString chooseFolder(const QString& caption, const QString& startFolder) {
        (void)caption;
        (void)startFolder;
        return QString();
    }

    // An OK box.
    void inform(const QString& text, const QString& title = QString(),
                MessageIcon icon = MessageIcon::None) {
        message({text, title, MessageButtons::Ok, icon, Answer::Ok});
    }
    // A Yes/No question with the question icon.
    bool ask(const QString& text, const QString& title = QString(),
             Answer defaultAnswer = Answer::Yes) {
        return message({text, title, MessageButtons::YesNo, MessageIcon::Question,
                        defaultAnswer}) == Answer::Yes;
    }
};

}  // namespace tavri

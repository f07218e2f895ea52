// Everything the program says to the user, or asks, goes through this interface: message
// boxes, input boxes, the beep and the outside viewer. The windows get the Qt implementation;
// tests get ScriptedDialogs, which answers from a script and records what was shown; the
// command line gets one that writes to the terminal.
#pragma once

#include <QString>
#include <deque>
#include <vector>

namespace tavri {

// OkSkipRest: OK, and a second button that stops the boxes of the same kind for the rest of the
// operation (answered SkipRest).
enum class MessageButtons { Ok, YesNo, OkSkipRest };
enum class MessageIcon { None, Information, Question, Warning, Critical };
enum class Answer { Ok, Yes, No, SkipRest };

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

// Answers from a script and records everything shown, for tests. A message with no scripted
// answer gets its default button; an input box with none gets "" (as Cancel); both are marked
// unscripted so a test can tell.
class ScriptedDialogs : public Dialogs {
public:
    struct Shown {
        enum class Kind { Message, Input, Beep, Viewer } kind;
        MessageRequest message;  // for Message; for Input, text is the prompt, title the title
        QString defaultText;     // for Input
        QString path;            // for Viewer
        bool unscripted = false;
    };

    void answer(Answer a) { answers_.push_back(a); }
    void type(const QString& text) { inputs_.push_back(text); }
    void failViewer() { viewerWorks_ = false; }

    Answer message(const MessageRequest& request) override;
    QString input(const QString& prompt, const QString& title, const QString& defaultText) override;
    void beep() override;
    bool openViewer(const QString& path) override;

    const std::vector<Shown>& shown() const { return shown_; }
    // The texts of the message boxes shown, in order.
    std::vector<QString> messages() const;
    int beeps() const;
    void clear() { shown_.clear(); }
    bool scriptUsedUp() const { return answers_.empty() && inputs_.empty(); }

private:
    std::deque<Answer> answers_;
    std::deque<QString> inputs_;
    std::vector<Shown> shown_;
    bool viewerWorks_ = true;
};

}  // namespace tavri

// The dialogs of the tests: answers from a script and records everything shown, so a test can
// drive the code behind a window or a command without a screen and check what the user was told.
#pragma once

#include <QString>
#include <deque>
#include <vector>

#include "app/Dialogs.h"

namespace tavri {

// Answers from a script and records everything shown, for tests. A message with no scripted
// answer gets its default button; an input box with none gets "" (as Cancel); both are marked
// unscripted so a test can tell.
class ScriptedDialogs : public Dialogs {
public:
    struct Shown {
        enum class Kind { Message, Input, Beep, Viewer, Start, Folder } kind;
        // For Message; for Input, text is the prompt and title the title; for Start, text is
        // the folder; for Folder, text is the caption.
        MessageRequest message;
        QString defaultText;  // for Input
        QString path;         // for Viewer; for Folder, the folder the chooser opened at
        bool unscripted = false;
    };

    void answer(Answer a) { answers_.push_back(a); }
    void type(const QString& text) { inputs_.push_back(text); }
    void failViewer() { viewerWorks_ = false; }
    // The next start question's answer; unscripted, it is Quit.
    void chooseStart(StartChoice choice, bool demo = false) { starts_.push_back({choice, demo}); }
    // The next folder chooser's choice ("" cancels); unscripted, it cancels.
    void pickFolder(const QString& folder) { folders_.push_back(folder); }

    Answer message(const MessageRequest& request) override;
    QString input(const QString& prompt, const QString& title, const QString& defaultText) override;
    void beep() override;
    bool openViewer(const QString& path) override;
    StartAnswer startChoice(const QString& folder, const QString& title) override;
    QString chooseFolder(const QString& caption, const QString& startFolder) override;

    const std::vector<Shown>& shown() const { return shown_; }
    // The texts of the message boxes shown, in order.
    std::vector<QString> messages() const;
    int beeps() const;
    void clear() { shown_.clear(); }
    bool scriptUsedUp() const {
        return answers_.empty() && inputs_.empty() && starts_.empty() && folders_.empty();
    }

private:
    std::deque<Answer> answers_;
    std::deque<QString> inputs_;
    std::deque<StartAnswer> starts_;
    std::deque<QString> folders_;
    std::vector<Shown> shown_;
    bool viewerWorks_ = true;
};

}  // namespace tavri

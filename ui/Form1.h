// The main window: the entry list, its filters, the entry and publishing commands, the menus.
#pragma once

#include <QMainWindow>

#include "app/AppState.h"
#include "app/Dialogs.h"

namespace tavri {

class Form1 : public QMainWindow {
    Q_OBJECT
public:
    Form1(AppState& state, Dialogs& dialogs, QWidget* parent = nullptr);

    AppState& state() { return state_; }
    Dialogs& dialogs() { return dialogs_; }

private:
    AppState& state_;
    Dialogs& dialogs_;
};

}  // namespace tavri

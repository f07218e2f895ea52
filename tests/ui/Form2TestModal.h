// What the window tests share: the windows and their controls, answering modal windows, and the
// texts of a list.
#pragma once

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <functional>

#include "support/ScriptedDialogs.h"
#include "support/TestSupport.h"
#include "ui/Form1.h"
#include "ui/Form2.h"
#include "ui/Form3.h"
#include "ui/Grid1.h"
#include "ui/SLIST1.h"

namespace tavri::test {

// Answering modal windows in the window tests: a step scheduled before a window's exec() runs
// inside that window's event loop, while it is shown, as a user's action would.
// Runs step once the event loop of the modal window about to be shown is running; step gets
// that window (QApplication::activeModalWidget()).
inline void WhenModal(std::function<void(QWidget*)> step) {
    QTimer::singleShot(0, [step = std::move(step)] { step(QApplication::activeModalWidget()); });
}

// The texts of list's items, from the top.
inline QStringList ListTexts(const QListWidget& list) {
    QStringList texts;
    for (int i = 0; i < list.count(); ++i) {
        texts << list.item(i)->text();
    }
    return texts;
}

}  // namespace tavri::test

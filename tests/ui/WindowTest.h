// What the window tests share: the windows and their controls, answering modal windows, and a
// compendium under the main window with the gestures the tests make on it.
#pragma once

#include <QTest>
#include <QtWidgets>
#include <functional>

#include "support/ScriptedDialogs.h"
#include "support/TestSupport.h"
#include "ui/Form1.h"
#include "ui/Form2.h"
#include "ui/Form3.h"
#include "ui/Grid1.h"
#include "ui/SLIST1.h"

namespace tavri::test {

// Runs step in the modal window open shows, once its event loop runs as a user's action would,
// then closes it if step left it open (a dialog with done(), which no close handler can refuse);
// whether step left it open.
inline bool InModal(const std::function<void()>& open, const std::function<void(QWidget*)>& step) {
    auto leftOpen = std::make_shared<bool>(false);
    QTimer::singleShot(0, [step, leftOpen] {
        QWidget* shown = QApplication::activeModalWidget();
        if (shown == nullptr) {
            ADD_FAILURE() << "no window shown";
            return;
        }
        step(shown);
        *leftOpen = shown->isVisible();
        if (auto* dialog = qobject_cast<QDialog*>(shown); dialog && dialog->isVisible()) {
            dialog->done(QDialog::Rejected);
        } else if (shown->isVisible()) {
            shown->close();
        }
    });
    open();
    QCoreApplication::processEvents();  // a step no window waited for still runs, and fails
    return *leftOpen;
}

// Runs step while dialog is shown modally, closes it if step left it open, and returns what its
// exec() returned.
inline int Exec(QDialog& dialog, const std::function<void()>& step) {
    int result = -1;
    InModal([&] { result = dialog.exec(); }, [&](QWidget*) { step(); });
    return result;
}

// Types an entry's four texts into the editor.
inline void Fill(Form2& e, const QString& name, const QString& race = "Elf",
                 const QString& date = "1066", const QString& desc = "A sage") {
    e.Text1->setText(name);
    e.Text2->setText(race);
    e.Text3->setText(date);
    e.Text4->setText(desc);
}

// The texts of list's items, from the top.
inline QStringList ListTexts(const QListWidget& list) {
    QStringList texts;
    for (int i = 0; i < list.count(); ++i) {
        texts << list.item(i)->text();
    }
    return texts;
}

// The cells of a grid's row.
inline QStringList Cells(const TextGrid& g, int row) {
    QStringList cells;
    for (int col = 0; col < g.cols(); ++col) {
        cells << g.textMatrix(row, col);
    }
    return cells;
}

// A compendium under the main window (not shown), and what the tests do with them.
template <class Dialogs = ScriptedDialogs>
struct BasicWindow {
    explicit BasicWindow(const QString& campaign = QStringLiteral("New Campaign")) : c(campaign) {
        w.setEndProgram([this] { ++ended; });
    }
    // Fills the list, forgetting its beeps.
    void refresh() {
        w.RefreshList();
        dialogs.clear();
    }
    void show() {
        w.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&w));
    }
    std::vector<QString> names() const {
        std::vector<QString> listed;
        for (int r = 1; r < w.Grid1->rows(); ++r) {
            listed.push_back(w.Grid1->textMatrix(r, 1));
        }
        return listed;
    }
    int rowOf(const QString& name) const {
        for (int r = 1; r < w.Grid1->rows(); ++r) {
            if (w.Grid1->textMatrix(r, 1) == name) {
                return r;
            }
        }
        return -1;
    }
    qint64 idAt(int row) const { return w.Grid1->textMatrix(row, 5).toLongLong(); }
    // Selects the row of name (the header row for "" or a name not listed), answers the next
    // question No when told, and clicks or triggers control.
    void press(QObject* control, const QString& name = "Ann", bool answerNo = false) {
        w.Grid1->setRow(std::max(0, rowOf(name)));
        if (answerNo) {
            dialogs.answer(Answer::No);
        }
        if (auto* button = qobject_cast<QAbstractButton*>(control)) {
            button->click();
        } else {
            qobject_cast<QAction*>(control)->trigger();
        }
    }
    // Runs step in the editor control opens for name's row.
    void inEditor(QObject* control, const std::function<void(Form2&)>& step,
                  const QString& name = "Ann") {
        InModal([&] { press(control, name); }, [&](QWidget*) { step(w.editor()); });
    }
    void inAdd(const std::function<void(Form2&)>& step) { inEditor(w.Command1, step); }
    // Writes csv to up.csv in the compendium's folder and uploads it through the CSV picker,
    // removing it first when told to.
    void upload(const QByteArray& csv, bool gone = false) {
        WriteAll(c.dir() + "up.csv", csv);
        pick("up.csv", gone);
    }
    // Goes to name in the compendium's folder in the CSV picker and uploads it from there.
    void pick(const QString& name, bool gone = false) {
        InModal([&] { press(w.mnuupload); },
                [&](QWidget* shown) {
                    auto& p = *qobject_cast<Form3*>(shown);
                    p.Text1->setText(c.dir() + name);
                    QTest::keyClick(p.Text1, Qt::Key_Return);
                    if (gone) {
                        QFile::remove(c.dir() + name);
                    }
                    p.Command1_Click();
                });
    }
    // The stored entry of id; a null name when there is none.
    EntrySpec read(qint64 id) {
        Recordset& rs = *c.state().EntryRs;
        rs.setIndex(u"id");
        rs.seek(u"=", QVariant::fromValue<qlonglong>(id));
        if (rs.noMatch()) {
            return {};
        }
        return {rs.text(u"name"), rs.text(u"race-location"),       rs.text(u"date"),
                rs.text(u"desc"), rs.field(u"details").toString(), rs.field(u"changed").toBool()};
    }
    // The ids of the stored entries, or of those marked changed only.
    std::vector<qint64> ids(bool changedOnly = false) {
        std::vector<qint64> found;
        Recordset& rs = *c.state().EntryRs;
        rs.setIndex(u"id");
        for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
            if (!changedOnly || rs.field(u"changed").toBool()) {
                found.push_back(rs.field(u"id").toLongLong());
            }
        }
        return found;
    }
    void setOption(QStringView field, const QVariant& value) {
        Recordset& options = *c.state().OptionsRs;
        options.edit();
        options.setField(field, value);
        options.update();
    }
    // Another program's change to the entry of id.
    void elsewhere(qint64 id, const std::function<void(Recordset&)>& change) {
        auto other = AppState::Open(c.dir());
        other->EntryRs->setIndex(u"id");
        other->EntryRs->seek(u"=", QVariant::fromValue<qlonglong>(id));
        change(*other->EntryRs);
        other->Close();
    }
    void editElsewhere(qint64 id, QStringView field, const QString& value) {
        elsewhere(id, [&](Recordset& rs) {
            rs.edit();
            rs.setField(field, value);
            rs.update();
        });
    }

    TempCompendium c;
    Dialogs dialogs;
    Form1 w{c.state(), dialogs};
    int ended = 0;
};
using Window = BasicWindow<>;

}  // namespace tavri::test

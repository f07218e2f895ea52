// The main window's entry commands driven through the real windows: the editor is answered while it
// is shown, and the compendium is read back afterwards.
#include <gtest/gtest.h>

#include <QRegularExpression>
#include <deque>

#include "tests/ui/WindowTest.h"

namespace tavri {
namespace {

using test::EntrySpec;

EntrySpec Spec(const char* name, const char* desc = "d", const QString& details = QString(),
               bool changed = false) {
    return {QString::fromUtf8(name), "Elf", "1066", QString::fromUtf8(desc), details, changed};
}

// Answers each showing of the editor with the next scripted step, run inside its event loop, and
// records what each showing displayed. A showing with no step left is cancelled, so a test that
// opens the editor more often than it expects fails instead of hanging.
class EditorScript : public QObject {
public:
    explicit EditorScript(Form2& editor) : editor_(editor) { editor_.installEventFilter(this); }
    ~EditorScript() override { editor_.removeEventFilter(this); }
    void then(std::function<void(Form2&)> step) { steps_.push_back(std::move(step)); }
    // What each showing displayed: "caption #id", then "changed", "dupe-check", "bookmark" for the
    // box ticked, the button shown, the button enabled, and "red" for the bookmark button's red.
    QStringList seen;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &editor_ && event->type() == QEvent::Show) {
            QTimer::singleShot(0, this, [this] { answer(); });
        }
        return false;
    }

private:
    void answer() {
        Form2& e = editor_;
        seen << QStringList{e.Frame1->title() + " #" + e.Label6->text(),
                            e.Check1->isChecked() ? "changed" : "-",
                            e.Command5->isHidden() ? "-" : "dupe-check",
                            e.Command3->isEnabled() ? "bookmark" : "-",
                            e.Command3BackColor() == Form2::BookmarkRed() ? "red" : "-"}
                    .join(' ');
        if (steps_.empty()) {
            e.Command2->click();
            return;
        }
        auto step = std::move(steps_.front());
        steps_.pop_front();
        step(e);
        if (e.isVisible()) {
            ADD_FAILURE() << "the step left the editor open";
            e.Command2->click();
        }
    }
    Form2& editor_;
    std::deque<std::function<void(Form2&)>> steps_;
};

const auto Save = [](Form2& e) { e.Command1->click(); };
const auto Cancel = [](Form2& e) { e.Command2->click(); };
using test::Fill;

struct EntryCommandsTest : ::testing::Test, test::Window {
    // Edits name's entry through the list's Edit with step.
    void Edit(const QString& name, std::function<void(Form2&)> step) {
        script.then(std::move(step));
        press(w.Command2, name);
    }
    void SetBookmark(qint64 id) { setOption(u"bookmark", QVariant::fromValue<qlonglong>(id)); }

    EditorScript script{w.editor()};
};

TEST_F(EntryCommandsTest, EditFillsTheEditorWritesTheTrimmedTextsAndReselectsTheRow) {
    const qint64 id = c.add(Spec("Ann", "A sage", "Old notes", true));
    c.add(Spec("Bob"));
    SetBookmark(id);
    refresh();
    Edit("Ann", [](Form2& e) {
        EXPECT_EQ(e.Text5->toPlainText(), QStringLiteral("Old notes"));
        e.Text1->setText(QStringLiteral("  Zoe  "));
        e.Text3->setText(QStringLiteral(" 1067 "));
        e.Text4->setText(QStringLiteral("A wise sage "));
        Save(e);
    });
    EXPECT_EQ(script.seen, QStringList{"Ann #1 changed - bookmark red"});
    const EntrySpec s = read(id);
    EXPECT_EQ(QStringList({s.name, s.raceLocation, s.date, s.desc}),
              QStringList({"Zoe", "Elf", "1067", "A wise sage"}));
    // The entry's row is selected again, at the top, in the name column.
    EXPECT_EQ(w.Grid1->row(), rowOf("Zoe"));
    EXPECT_EQ(w.Grid1->topRow(), rowOf("Zoe"));
    EXPECT_EQ(w.Grid1->col(), 1);
    EXPECT_TRUE(dialogs.messages().empty());
}

// Notes left as they were are stored byte for byte, blank notes keep the old ones, and typed notes
// are trimmed with CR LF line ends; every save marks the entry changed.
TEST_F(EntryCommandsTest, TheNotesStoredAfterAnEdit) {
    const QString odd = QStringLiteral("a\u00A0b\u2028c\r\nd");  // no-break space, U+2028
    const QString longDate(40000, QLatin1Char('7'));
    const struct {
        const char* name;
        QString before;
        std::function<void(Form2&)> edit;
        QString after;
    } cases[] = {
        {"cleared", "Keep me", [](Form2& e) { e.Text5->clear(); }, "Keep me"},
        {"spaces", "Keep me", [](Form2& e) { e.Text5->setPlainText("    "); }, "Keep me"},
        {"untouched", "one\r\ntwo\rthree", [](Form2& e) { e.Text4->setText("x"); },
         "one\r\ntwo\rthree"},
        {"untouched, odd characters", odd, [&](Form2& e) { e.Text3->setText(longDate); }, odd},
        {"appended", "one\r\ntwo", [](Form2& e) { e.Text5->appendPlainText("three"); },
         "one\r\ntwo\r\nthree"},
        {"typed", "x", [](Form2& e) { e.Text5->setPlainText("  New notes\n "); }, "New notes\r\n"},
        {"typed odd characters", "x", [](Form2& e) { e.Text5->setPlainText("y\u00A0z\u2028w"); },
         QStringLiteral("y\u00A0z\u2028w")},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        const qint64 id = c.add(Spec(k.name, "d", k.before));
        refresh();
        Edit(k.name, [&](Form2& e) {
            k.edit(e);
            Save(e);
        });
        EXPECT_EQ(read(id).details, k.after);
        EXPECT_TRUE(read(id).changed);
    }
    EXPECT_EQ(read(4).date, longDate);
}

// Save-Next on the last row, Gamma, opens it again.
TEST_F(EntryCommandsTest, SaveNextWalksDownTheListOneRowPerSaveAndCancelEndsTheWalk) {
    for (const char* name : {"Alpha", "Beta", "Gamma", "Delta"}) {
        c.add(Spec(name));
    }
    refresh();
    for (int i = 0; i < 4; ++i) {
        script.then([i](Form2& e) {
            e.Text4->setText(QString::number(i));
            e.Command4->click();
        });
    }
    script.then([](Form2& e) {
        e.Text4->setText(QStringLiteral("not stored"));
        Cancel(e);
    });
    press(w.Command2, "Alpha");
    EXPECT_EQ(script.seen.join(',').remove(QRegularExpression(" #\\d.*?(?=,|$)")),
              "Alpha,Beta,Delta,Gamma,Gamma");
    EXPECT_EQ(QStringList({read(1).desc, read(2).desc, read(3).desc, read(4).desc}),
              QStringList({"0", "1", "3", "2"}));
    EXPECT_EQ(w.Grid1->row(), rowOf("Gamma"));
}

// A new entry the list's filter leaves out is stored all the same, and no row is selected.
TEST_F(EntryCommandsTest, AddStoresANewEntryWithoutNotesAndSelectsItsRowIfListed) {
    c.add(Spec("Zed"));
    w.Combo1->setEditText(QStringLiteral("Elf"));
    refresh();
    script.then([](Form2& e) {
        EXPECT_TRUE(e.Text1->text().isEmpty());
        EXPECT_TRUE(e.Text5->toPlainText().isEmpty());
        Fill(e, " Ann ");
        e.Text5->setPlainText(QStringLiteral("   "));
        Save(e);
    });
    w.Command1->click();
    ASSERT_EQ(script.seen.size(), 1u);
    EXPECT_EQ(script.seen[0].section(' ', -5, -2), "# - dupe-check -");
    const int r = rowOf("Ann");
    ASSERT_GT(r, 0);
    EXPECT_TRUE(read(idAt(r)).details.isEmpty());
    EXPECT_TRUE(read(idAt(r)).changed);
    EXPECT_EQ(w.Grid1->row(), r);
    script.then([](Form2& e) {
        Fill(e, "Grok");
        e.Text2->setText(QStringLiteral("Orc"));
        Save(e);
    });
    w.Command1->click();
    EXPECT_EQ(ids().size(), 3u);
    EXPECT_EQ(rowOf("Grok"), -1);
    EXPECT_EQ(w.Grid1->row(), 0);
    EXPECT_EQ(w.Grid1->col(), 0);
}

TEST_F(EntryCommandsTest, CopyOpensANewEntryCheckedForDuplicatesWithTheBookmarkOff) {
    const qint64 ann = c.add(Spec("Ann", "A sage", "Notes"));
    SetBookmark(ann);
    refresh();
    // An Edit first, so that the editor holds an id, a ticked box and a red button.
    Edit("Ann", Cancel);
    press(w.Command5, "Ann", true);
    EXPECT_EQ(script.seen.size(), 1u) << "No opens nothing";
    dialogs.answer(Answer::Yes);
    script.then([](Form2& e) {
        Save(e);  // under the old name: refused
        EXPECT_TRUE(e.isVisible());
        e.Text1->setText(QStringLiteral("Ann II"));
        Save(e);
    });
    press(w.Command5);
    ASSERT_EQ(script.seen.size(), 2u);
    EXPECT_EQ(script.seen[1].section(' ', 0, 4), "Ann # - dupe-check -");
    const int r = rowOf("Ann II");
    ASSERT_GT(r, 0);
    EXPECT_NE(idAt(r), ann);
    EXPECT_EQ(read(idAt(r)).details, QStringLiteral("Notes"));
    EXPECT_EQ(c.state().OptionsRs->field(u"bookmark").toLongLong(), ann);
    EXPECT_EQ(dialogs.messages().size(), 3u);  // two questions, one refusal
}

TEST_F(EntryCommandsTest, DeleteDeletesOnlyOnYes) {
    const qint64 ann = c.add(Spec("Ann"));
    c.add(Spec("Bob"));
    refresh();
    for (const Answer a : {Answer::No, Answer::Yes}) {
        dialogs.answer(a);
        press(w.Command3);
        EXPECT_EQ(read(ann).name.isNull(), a == Answer::Yes);
    }
    EXPECT_EQ(rowOf("Ann"), -1);
    EXPECT_GT(rowOf("Bob"), 0);
    EXPECT_TRUE(script.seen.empty());
}

TEST_F(EntryCommandsTest, WithoutASelectedEntryEditDeleteAndCopyAskForOne) {
    c.add(Spec("Name"));
    refresh();
    for (QObject* command : {w.Command2, w.Command3, w.Command5}) {
        press(command, "");
    }
    press(w.Command2, "Name");  // an entry named exactly "Name" counts as no selection
    EXPECT_TRUE(script.seen.empty());
    EXPECT_EQ(dialogs.messages(), std::vector<QString>(4, "Select a record first!"));
}

TEST_F(EntryCommandsTest, GoToBookmarkOpensThatEntry) {
    c.add(Spec("Ann"));
    const qint64 bob = c.add(Spec("Bob", "A smith", QString(), true));
    SetBookmark(bob);
    refresh();
    Edit("Ann", Cancel);  // Ann's colour is what go-to-bookmark must reset
    script.then([](Form2& e) {
        e.Text4->setText(QStringLiteral("A master smith"));
        Save(e);
    });
    w.mnuBookmark->trigger();
    ASSERT_EQ(script.seen.size(), 2u);
    // The changed box as Ann's Edit left it: go-to-bookmark does not set it.
    EXPECT_EQ(script.seen[1], "Bob #2 - - bookmark red");
    EXPECT_EQ(read(bob).desc, QStringLiteral("A master smith"));
    EXPECT_EQ(w.Grid1->row(), rowOf("Bob"));
}

// A store refused (a name too long for the table, or an entry another program changed while it was
// open here) keeps the editor open with the typing and stores nothing; a retry stores all.
TEST_F(EntryCommandsTest, AStoreRefusedKeepsTheEditorOpenAndStoresNothing) {
    const qint64 ann = c.add(Spec("Ann"));
    const qint64 bob = c.add(Spec("Bob"));
    refresh();
    const QString tooLong(30, QLatin1Char('n'));
    std::vector<bool> openAfterFailure;
    Edit("Ann", [&](Form2& e) {
        e.Text1->setText(tooLong);
        e.Text4->setText(QStringLiteral("changed"));
        Save(e);
        openAfterFailure.push_back(e.isVisible() && e.Text1->text() == tooLong);
        e.Text1->setText(QStringLiteral("Anne"));
        Save(e);
    });
    script.then([&](Form2& e) {
        Fill(e, "");
        e.Text1->setText(tooLong);
        Save(e);
        openAfterFailure.push_back(e.isVisible());
        Cancel(e);
    });
    w.Command1->click();
    Edit("Bob", [&](Form2& e) {
        editElsewhere(bob, u"desc", "Theirs");
        e.Text4->setText(QStringLiteral("Mine"));
        Save(e);
        openAfterFailure.push_back(e.isVisible() && e.Text4->text() == QStringLiteral("Mine"));
        Cancel(e);
    });
    EXPECT_EQ(openAfterFailure, (std::vector<bool>{true, true, true}));
    ASSERT_EQ(dialogs.messages().size(), 3u);
    EXPECT_TRUE(dialogs.messages()[0].contains(QStringLiteral("name"), Qt::CaseInsensitive));
    EXPECT_EQ(read(ann).name, QStringLiteral("Anne"));
    EXPECT_EQ(read(ann).desc, QStringLiteral("changed"));
    EXPECT_EQ(read(bob).desc, QStringLiteral("Theirs"));
    EXPECT_EQ(ids().size(), 2u);  // the failed Add left nothing
}

// Every writing command, the publications included, refuses a read-only compendium before it asks
// or opens anything.
TEST_F(EntryCommandsTest, OnAReadOnlyCompendiumEveryWritingCommandSaysSoAndDoesNothing) {
    c.add(Spec("Ann", "d", QString(), true));
    const QStringList files = QDir(c.state().ReportsDir()).entryList(QDir::Files);
    auto readOnly = AppState::Open(c.dir(), Database::Access::ReadOnly);
    Form1 view(*readOnly, dialogs);
    view.RefreshList();
    view.Grid1->setRow(1);
    EditorScript viewScript(view.editor());
    dialogs.clear();
    for (QPushButton* command : {view.Command1, view.Command2, view.Command3, view.Command5,
                                 view.Command4, view.Command6}) {
        command->click();
    }
    view.mnuBookmark->trigger();
    view.mnualpha_Click();
    EXPECT_TRUE(viewScript.seen.empty()) << "no editor opens";
    EXPECT_EQ(dialogs.messages(),
              std::vector<QString>(8, Database::readOnlyMessage(readOnly->DatabasePath())));
    EXPECT_EQ(ids(), std::vector<qint64>{1});
    EXPECT_EQ(ids(true), std::vector<qint64>{1});
    EXPECT_EQ(QDir(c.state().ReportsDir()).entryList(QDir::Files), files);
}

}  // namespace
}  // namespace tavri

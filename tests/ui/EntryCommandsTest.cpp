// The main window's entry commands driven through the real windows: the editor is answered
// while it is shown, and the compendium is read back afterwards.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <deque>
#include <functional>

#include "support/ScriptedDialogs.h"
#include "support/TestSupport.h"
#include "ui/Form1.h"
#include "ui/Form2.h"
#include "ui/Grid1.h"

namespace tavri {
namespace {

using test::EntrySpec;
using test::TempCompendium;

EntrySpec Spec(const char* name, const char* race, const char* desc,
               const QString& details = QString(), bool changed = false) {
    EntrySpec e;
    e.name = QString::fromUtf8(name);
    e.raceLocation = QString::fromUtf8(race);
    e.date = QStringLiteral("1066");
    e.desc = QString::fromUtf8(desc);
    e.details = details;
    e.changed = changed;
    return e;
}

// Answers each showing of the editor with the next scripted step, run inside its event loop,
// and records what each showing displayed. A showing with no step left is cancelled (and
// counted), so a test that opens the editor more often than it expects fails instead of
// hanging.
class EditorScript : public QObject {
public:
    struct Seen {
        QString caption, name, idLabel;
        bool changedBox = false;
        bool dupeCheckShown = false;
        bool bookmarkEnabled = false;
        QColor bookmarkColour;
    };

    explicit EditorScript(Form2& editor) : editor_(editor) { editor_.installEventFilter(this); }
    ~EditorScript() override { editor_.removeEventFilter(this); }

    void then(std::function<void(Form2&)> step) { steps_.push_back(std::move(step)); }
    const std::vector<Seen>& seen() const { return seen_; }
    int unscripted() const { return unscripted_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &editor_ && event->type() == QEvent::Show) {
            QTimer::singleShot(0, this, [this] { answer(); });
        }
        return false;
    }

private:
    void answer() {
        seen_.push_back({editor_.Frame1->title(), editor_.Text1->text(), editor_.Label6->text(),
                         editor_.Check1->isChecked(), !editor_.Command5->isHidden(),
                         editor_.Command3->isEnabled(), editor_.Command3BackColor()});
        if (steps_.empty()) {
            ++unscripted_;
            editor_.Command2->click();
            return;
        }
        auto step = std::move(steps_.front());
        steps_.pop_front();
        step(editor_);
    }

    Form2& editor_;
    std::deque<std::function<void(Form2&)>> steps_;
    std::vector<Seen> seen_;
    int unscripted_ = 0;
};

void Save(Form2& e) {
    e.Command1->click();
}
void SaveNext(Form2& e) {
    e.Command4->click();
}
void Cancel(Form2& e) {
    e.Command2->click();
}

class EntryCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<Form1>(compendium.state(), dialogs);
        window->RefreshList();
        dialogs.clear();
        script = std::make_unique<EditorScript>(window->editor());
    }

    int RowOf(const QString& name) const {
        for (int r = 1; r < window->Grid1->rows(); ++r) {
            if (window->Grid1->textMatrix(r, 1) == name) {
                return r;
            }
        }
        return -1;
    }
    void SelectRow(const QString& name) {
        const int r = RowOf(name);
        ASSERT_GT(r, 0) << name.toStdString();
        window->Grid1->setRow(r);
        window->Grid1->setCol(0);
    }
    // The stored fields of the entry of id.
    struct Stored {
        bool exists = false;
        QString name, race, date, desc;
        QVariant details;
        bool changed = false;
    };
    Stored Read(qint64 id) {
        Recordset& rs = *compendium.state().EntryRs;
        rs.setIndex(u"id");
        rs.seek(u"=", QVariant::fromValue<qlonglong>(id));
        if (rs.noMatch()) {
            return {};
        }
        return {true,
                rs.text(u"name"),
                rs.text(u"race-location"),
                rs.text(u"date"),
                rs.text(u"desc"),
                rs.field(u"details"),
                rs.field(u"changed").toBool()};
    }
    int EntryCount() {
        Recordset& rs = *compendium.state().EntryRs;
        rs.setIndex(u"namedex");
        int n = 0;
        for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
            ++n;
        }
        return n;
    }
    void SetBookmark(qint64 id) {
        Recordset& options = *compendium.state().OptionsRs;
        options.edit();
        options.setField(u"bookmark", QVariant::fromValue<qlonglong>(id));
        options.update();
    }
    // The message boxes shown, without the beeps of the list's refreshes.
    std::vector<MessageRequest> Boxes() const {
        std::vector<MessageRequest> boxes;
        for (const auto& shown : dialogs.shown()) {
            if (shown.kind == ScriptedDialogs::Shown::Kind::Message) {
                boxes.push_back(shown.message);
            }
        }
        return boxes;
    }
    qint64 Bookmark() { return compendium.state().OptionsRs->field(u"bookmark").toLongLong(); }

    TempCompendium compendium;
    ScriptedDialogs dialogs;
    std::unique_ptr<Form1> window;
    std::unique_ptr<EditorScript> script;
};

TEST_F(EntryCommandsTest, EditFillsTheEditorFromTheEntryAndWritesTheTrimmedTextsMarkedChanged) {
    const qint64 id = compendium.add(Spec("Ann", "Elf", "A sage", "Old notes", true));
    SetBookmark(id);
    window->RefreshList();
    SelectRow("Ann");
    script->then([](Form2& e) {
        EXPECT_EQ(e.Text5->toPlainText(), QStringLiteral("Old notes"));
        e.Text1->setText(QStringLiteral("  Anna  "));
        e.Text3->setText(QStringLiteral(" 1067 "));
        e.Text4->setText(QStringLiteral("A wise sage "));
        e.Text5->setPlainText(QStringLiteral("  New notes\n "));
        Save(e);
    });
    window->Command2->click();

    ASSERT_EQ(script->seen().size(), 1u);
    const auto& seen = script->seen()[0];
    EXPECT_EQ(seen.caption, QStringLiteral("Ann"));
    EXPECT_EQ(seen.idLabel, QString::number(id));
    EXPECT_TRUE(seen.changedBox);
    EXPECT_FALSE(seen.dupeCheckShown);
    EXPECT_TRUE(seen.bookmarkEnabled);
    EXPECT_EQ(seen.bookmarkColour, Form2::BookmarkRed());
    const Stored s = Read(id);
    EXPECT_EQ(s.name, QStringLiteral("Anna"));
    EXPECT_EQ(s.race, QStringLiteral("Elf"));
    EXPECT_EQ(s.date, QStringLiteral("1067"));
    EXPECT_EQ(s.desc, QStringLiteral("A wise sage"));
    EXPECT_EQ(s.details.toString(), QStringLiteral("New notes\r\n"));
    EXPECT_TRUE(s.changed);
    // The entry's row is selected again, at the top, in the name column.
    EXPECT_EQ(window->Grid1->row(), RowOf("Anna"));
    EXPECT_EQ(window->Grid1->topRow(), RowOf("Anna"));
    EXPECT_EQ(window->Grid1->col(), 1);
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(EntryCommandsTest, EditingWithBlankNotesKeepsTheOldNotesAndEverySaveMarksChanged) {
    const qint64 ann = compendium.add(Spec("Ann", "Elf", "A sage", "Keep me"));
    const qint64 bob = compendium.add(Spec("Bob", "Orc", "A smith", "Keep me too"));
    window->RefreshList();
    SelectRow("Ann");
    script->then([](Form2& e) {
        e.Text5->clear();
        Save(e);
    });
    window->Command2->click();
    SelectRow("Bob");
    script->then([](Form2& e) {
        e.Text5->setPlainText(QStringLiteral("    "));
        Save(e);
    });
    window->Command2->click();

    EXPECT_EQ(Read(ann).details.toString(), QStringLiteral("Keep me"));
    EXPECT_TRUE(Read(ann).changed);
    EXPECT_EQ(Read(bob).details.toString(), QStringLiteral("Keep me too"));
    EXPECT_TRUE(Read(bob).changed);
}

TEST_F(EntryCommandsTest, UnchangedNotesKeepTheirLineEndsAndTypedNotesGetCrLf) {
    const qint64 ann = compendium.add(Spec("Ann", "Elf", "A sage", "one\r\ntwo\rthree"));
    const qint64 bob = compendium.add(Spec("Bob", "Orc", "A smith", "one\r\ntwo"));
    window->RefreshList();
    SelectRow("Ann");
    script->then([](Form2& e) {
        e.Text4->setText(QStringLiteral("A wise sage"));
        Save(e);
    });
    window->Command2->click();
    SelectRow("Bob");
    script->then([](Form2& e) {
        e.Text5->appendPlainText(QStringLiteral("three"));
        Save(e);
    });
    window->Command2->click();

    EXPECT_EQ(Read(ann).details.toString(), QStringLiteral("one\r\ntwo\rthree"));
    EXPECT_EQ(Read(ann).desc, QStringLiteral("A wise sage"));
    EXPECT_EQ(Read(bob).details.toString(), QStringLiteral("one\r\ntwo\r\nthree"));
}

TEST_F(EntryCommandsTest, SaveNextWalksDownTheListOneRowPerSaveAndCancelEndsTheWalk) {
    const qint64 a = compendium.add(Spec("Alpha", "Elf", "one"));
    const qint64 b = compendium.add(Spec("Beta", "Elf", "two"));
    const qint64 c = compendium.add(Spec("Gamma", "Elf", "three"));
    const qint64 d = compendium.add(Spec("Delta", "Elf", "four"));
    window->RefreshList();
    SelectRow("Alpha");
    for (int i = 0; i < 3; ++i) {
        script->then([](Form2& e) {
            e.Text4->setText(e.Text4->text() + QStringLiteral(" (seen)"));
            SaveNext(e);
        });
    }
    script->then([](Form2& e) {
        e.Text4->setText(QStringLiteral("not stored"));
        Cancel(e);
    });
    window->Command2->click();

    ASSERT_EQ(script->seen().size(), 4u);
    EXPECT_EQ(script->seen()[0].caption, QStringLiteral("Alpha"));
    EXPECT_EQ(script->seen()[1].caption, QStringLiteral("Beta"));
    EXPECT_EQ(script->seen()[2].caption, QStringLiteral("Delta"));
    EXPECT_EQ(script->seen()[3].caption, QStringLiteral("Gamma"));
    EXPECT_EQ(Read(a).desc, QStringLiteral("one (seen)"));
    EXPECT_EQ(Read(b).desc, QStringLiteral("two (seen)"));
    EXPECT_EQ(Read(d).desc, QStringLiteral("four (seen)"));
    EXPECT_EQ(Read(c).desc, QStringLiteral("three"));
    EXPECT_FALSE(Read(c).changed);
    EXPECT_EQ(script->unscripted(), 0);
}

TEST_F(EntryCommandsTest, SaveNextOnTheLastRowOpensTheSameEntryAgain) {
    compendium.add(Spec("Alpha", "Elf", "one"));
    const qint64 z = compendium.add(Spec("Zed", "Elf", "last"));
    window->RefreshList();
    SelectRow("Zed");
    script->then([](Form2& e) {
        e.Text4->setText(QStringLiteral("saved once"));
        SaveNext(e);
    });
    script->then(Cancel);
    window->Command2->click();

    ASSERT_EQ(script->seen().size(), 2u);
    EXPECT_EQ(script->seen()[1].caption, QStringLiteral("Zed"));
    EXPECT_EQ(script->seen()[1].idLabel, QString::number(z));
    EXPECT_EQ(Read(z).desc, QStringLiteral("saved once"));
    EXPECT_EQ(window->Grid1->row(), RowOf("Zed"));
}

TEST_F(EntryCommandsTest, AStaleNextMarkNeverMakesALaterPlainSaveWalkOn) {
    compendium.add(Spec("Alpha", "Elf", "one"));
    compendium.add(Spec("Beta", "Elf", "two"));
    window->RefreshList();
    // Save-Next in an editor opened by Add, then Save-Next refused and cancelled in an Edit.
    script->then([](Form2& e) {
        e.Text1->setText(QStringLiteral("Aaron"));
        e.Text2->setText(QStringLiteral("Elf"));
        e.Text3->setText(QStringLiteral("1"));
        e.Text4->setText(QStringLiteral("new"));
        SaveNext(e);
    });
    window->Command1->click();
    SelectRow("Alpha");
    script->then([](Form2& e) {
        e.Text4->clear();
        SaveNext(e);
        Cancel(e);
    });
    window->Command2->click();
    SelectRow("Alpha");
    script->then(Save);
    window->Command2->click();

    EXPECT_EQ(script->seen().size(), 3u);  // the plain Save opened no further entry
    EXPECT_EQ(script->unscripted(), 0);
    EXPECT_EQ(dialogs.messages(), (std::vector<QString>{QStringLiteral("Enter a description!")}));
}

TEST_F(EntryCommandsTest, AddStoresANewEntryWithoutNotesAndSelectsItsRow) {
    compendium.add(Spec("Zed", "Elf", "last"));
    window->RefreshList();
    script->then([](Form2& e) {
        EXPECT_TRUE(e.Text1->text().isEmpty());
        EXPECT_TRUE(e.Text5->toPlainText().isEmpty());
        e.Text1->setText(QStringLiteral(" Ann "));
        e.Text2->setText(QStringLiteral("Elf"));
        e.Text3->setText(QStringLiteral("1066"));
        e.Text4->setText(QStringLiteral("A sage"));
        e.Text5->setPlainText(QStringLiteral("   "));
        Save(e);
    });
    window->Command1->click();

    ASSERT_EQ(script->seen().size(), 1u);
    EXPECT_EQ(script->seen()[0].caption, QStringLiteral("New Entry"));
    EXPECT_TRUE(script->seen()[0].dupeCheckShown);
    EXPECT_FALSE(script->seen()[0].bookmarkEnabled);
    EXPECT_TRUE(script->seen()[0].idLabel.isEmpty());
    const int r = RowOf("Ann");
    ASSERT_GT(r, 0);
    const qint64 id = window->Grid1->textMatrix(r, 5).toLongLong();
    const Stored s = Read(id);
    EXPECT_EQ(s.name, QStringLiteral("Ann"));
    EXPECT_TRUE(s.details.toString().isEmpty());
    EXPECT_TRUE(s.changed);
    EXPECT_EQ(window->Grid1->row(), r);
    EXPECT_EQ(window->Grid1->topRow(), r);
    EXPECT_EQ(window->Grid1->col(), 1);
    EXPECT_EQ(EntryCount(), 2);
}

TEST_F(EntryCommandsTest, AnEntryOutsideTheFilterIsStoredAndTheListSelectsNothing) {
    compendium.add(Spec("Ann", "Elf", "A sage"));
    window->Combo1->setEditText(QStringLiteral("Elf"));
    window->RefreshList();
    script->then([](Form2& e) {
        e.Text1->setText(QStringLiteral("Grok"));
        e.Text2->setText(QStringLiteral("Orc"));
        e.Text3->setText(QStringLiteral("1"));
        e.Text4->setText(QStringLiteral("A brute"));
        Save(e);
    });
    window->Command1->click();

    EXPECT_EQ(EntryCount(), 2);
    EXPECT_EQ(RowOf("Grok"), -1);
    EXPECT_EQ(window->Grid1->row(), 0);
    EXPECT_EQ(window->Grid1->col(), 0);
}

TEST_F(EntryCommandsTest, AddAndCopyCheckForDuplicatesAndKeepTheBookmarkOff) {
    const qint64 ann = compendium.add(Spec("Ann", "Elf", "A sage", "Notes"));
    SetBookmark(ann);
    window->RefreshList();
    // An Edit first, so that the editor holds an id, a ticked box and a red button.
    SelectRow("Ann");
    script->then(Cancel);
    window->Command2->click();

    SelectRow("Ann");
    dialogs.answer(Answer::Yes);  // copy?
    script->then([](Form2& e) {
        Save(e);  // under the old name: refused
        EXPECT_TRUE(e.isVisible());
        e.Text1->setText(QStringLiteral("Ann II"));
        Save(e);
    });
    window->Command5->click();

    ASSERT_EQ(script->seen().size(), 2u);
    const auto& copy = script->seen()[1];
    EXPECT_EQ(copy.caption, QStringLiteral("Ann"));
    EXPECT_TRUE(copy.dupeCheckShown);
    EXPECT_FALSE(copy.bookmarkEnabled);
    EXPECT_TRUE(copy.idLabel.isEmpty());
    EXPECT_FALSE(copy.changedBox);
    EXPECT_EQ(dialogs.messages(),
              (std::vector<QString>{QStringLiteral("Copy record Ann?"),
                                    QStringLiteral("Ann already exists (A sage)")}));
    EXPECT_EQ(Boxes()[0].title, compendium.state().AppTitle);
    EXPECT_EQ(Boxes()[0].buttons, MessageButtons::YesNo);
    const int r = RowOf("Ann II");
    ASSERT_GT(r, 0);
    const qint64 copyId = window->Grid1->textMatrix(r, 5).toLongLong();
    EXPECT_NE(copyId, ann);
    EXPECT_EQ(Read(copyId).details.toString(), QStringLiteral("Notes"));
    EXPECT_TRUE(Read(copyId).changed);
    EXPECT_EQ(window->Grid1->row(), r);
    EXPECT_EQ(Bookmark(), ann);
}

TEST_F(EntryCommandsTest, CopyAnsweredNoOpensNothing) {
    compendium.add(Spec("Ann", "Elf", "A sage"));
    window->RefreshList();
    SelectRow("Ann");
    dialogs.answer(Answer::No);
    window->Command5->click();
    EXPECT_TRUE(script->seen().empty());
    EXPECT_EQ(EntryCount(), 1);
    EXPECT_EQ(dialogs.messages(), (std::vector<QString>{QStringLiteral("Copy record Ann?")}));
}

TEST_F(EntryCommandsTest, DeleteAsksWithNoAsTheDefaultAndDeletesOnlyOnYes) {
    const qint64 ann = compendium.add(Spec("Ann", "Elf", "A sage"));
    compendium.add(Spec("Bob", "Orc", "A smith"));
    window->RefreshList();
    SelectRow("Ann");
    dialogs.answer(Answer::No);
    window->Command3->click();
    EXPECT_TRUE(Read(ann).exists);
    ASSERT_EQ(Boxes().size(), 1u);
    const MessageRequest q = Boxes()[0];
    EXPECT_EQ(q.text, QStringLiteral("Delete Ann, are you sure?"));
    EXPECT_EQ(q.buttons, MessageButtons::YesNo);
    EXPECT_EQ(q.icon, MessageIcon::Question);
    EXPECT_EQ(q.defaultAnswer, Answer::No);
    EXPECT_EQ(q.title, compendium.state().AppTitle);

    SelectRow("Ann");
    dialogs.answer(Answer::Yes);
    window->Command3->click();
    EXPECT_FALSE(Read(ann).exists);
    EXPECT_EQ(RowOf("Ann"), -1);
    EXPECT_GT(RowOf("Bob"), 0);
    EXPECT_TRUE(script->seen().empty());
}

TEST_F(EntryCommandsTest, WithoutASelectedEntryEditDeleteAndCopyAskForOne) {
    compendium.add(Spec("Name", "Elf", "An entry called Name"));
    window->RefreshList();
    window->Grid1->setRow(0);
    window->Command2->click();
    window->Command3->click();
    window->Command5->click();
    SelectRow("Name");  // an entry named exactly "Name" counts as no selection
    window->Command2->click();
    EXPECT_TRUE(script->seen().empty());
    EXPECT_EQ(dialogs.messages(),
              std::vector<QString>(4, QStringLiteral("Select a record first!")));
    for (const MessageRequest& box : Boxes()) {
        EXPECT_TRUE(box.title.isEmpty());
    }
}

TEST_F(EntryCommandsTest, TheListsDoubleClickAndEnterRunEdit) {
    compendium.add(Spec("Ann", "Elf", "A sage"));
    window->RefreshList();
    SelectRow("Ann");
    script->then(Cancel);
    emit window->Grid1->dblClick();
    SelectRow("Ann");
    script->then(Cancel);
    emit window->Grid1->keyPress(QStringLiteral("\r"));
    ASSERT_EQ(script->seen().size(), 2u);
    EXPECT_EQ(script->seen()[1].caption, QStringLiteral("Ann"));
}

TEST_F(EntryCommandsTest, BookmarkFromTheEditorAndGoToBookmarkOpensThatEntry) {
    compendium.add(Spec("Ann", "Elf", "A sage"));
    const qint64 bob = compendium.add(Spec("Bob", "Orc", "A smith", QString(), true));
    window->RefreshList();
    SelectRow("Bob");
    script->then([](Form2& e) {
        e.Command3->click();
        Cancel(e);
    });
    window->Command2->click();
    EXPECT_EQ(Bookmark(), bob);

    SelectRow("Ann");
    script->then(Cancel);  // Ann's changed box and colour are what go-to-bookmark must reset
    window->Command2->click();
    script->then([](Form2& e) {
        e.Text4->setText(QStringLiteral("A master smith"));
        Save(e);
    });
    window->mnuBookmark->trigger();

    ASSERT_EQ(script->seen().size(), 3u);
    const auto& opened = script->seen()[2];
    EXPECT_EQ(opened.caption, QStringLiteral("Bob"));
    EXPECT_EQ(opened.idLabel, QString::number(bob));
    EXPECT_EQ(opened.bookmarkColour, Form2::BookmarkRed());
    EXPECT_FALSE(opened.dupeCheckShown);
    EXPECT_FALSE(opened.changedBox);  // left as Ann's Edit set it: go-to-bookmark does not set it
    EXPECT_EQ(Read(bob).desc, QStringLiteral("A master smith"));
    EXPECT_EQ(window->Grid1->row(), RowOf("Bob"));
}

TEST_F(EntryCommandsTest, GoToBookmarkWithNoEntryBehindItSaysSoAndOpensNothing) {
    const qint64 ann = compendium.add(Spec("Ann", "Elf", "A sage"));
    window->RefreshList();
    window->mnuBookmark->trigger();
    SetBookmark(ann);
    SelectRow("Ann");
    dialogs.answer(Answer::Yes);
    window->Command3->click();  // deleting leaves the bookmark pointing at nothing
    window->mnuBookmark->trigger();

    EXPECT_TRUE(script->seen().empty());
    EXPECT_EQ(dialogs.messages(),
              (std::vector<QString>{QStringLiteral("No entry is bookmarked."),
                                    QStringLiteral("Delete Ann, are you sure?"),
                                    QStringLiteral("The bookmarked entry no longer exists.")}));
    EXPECT_EQ(Boxes()[0].title, compendium.state().AppTitle);
    EXPECT_EQ(Boxes()[2].title, compendium.state().AppTitle);
}

TEST_F(EntryCommandsTest, TheEditorsCloseBoxCancelsAndKeepsTheEditorAndItsRaceList) {
    const qint64 ann = compendium.add(Spec("Ann", "Elf", "A sage"));
    window->RefreshList();
    QPointer<Form2> editor(&window->editor());
    const int races = editor->Combo1->count();
    EXPECT_GE(races, 2);  // the remembered text and "Elf", from the first refresh
    SelectRow("Ann");
    script->then([](Form2& e) {
        e.Text4->setText(QStringLiteral("typed, then closed"));
        e.close();
    });
    window->Command2->click();
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->Combo1->count(), races);
    EXPECT_EQ(Read(ann).desc, QStringLiteral("A sage"));
    EXPECT_FALSE(Read(ann).changed);
}

TEST_F(EntryCommandsTest, AStoreErrorIsReportedTheEditorStaysOpenAndNothingIsStored) {
    const qint64 ann = compendium.add(Spec("Ann", "Elf", "A sage"));
    window->RefreshList();
    const QString tooLong(30, QLatin1Char('n'));  // more than the name field holds
    std::vector<bool> openAfterFailure;
    SelectRow("Ann");
    script->then([&](Form2& e) {
        e.Text1->setText(tooLong);
        e.Text4->setText(QStringLiteral("changed"));
        Save(e);
        openAfterFailure.push_back(e.isVisible() && e.Text1->text() == tooLong);
        e.Text1->setText(QStringLiteral("Anne"));
        Save(e);
    });
    window->Command2->click();
    script->then([&](Form2& e) {
        e.Text1->setText(tooLong);
        e.Text2->setText(QStringLiteral("Elf"));
        e.Text3->setText(QStringLiteral("1"));
        e.Text4->setText(QStringLiteral("new"));
        Save(e);
        openAfterFailure.push_back(e.isVisible());
        Cancel(e);
    });
    window->Command1->click();

    EXPECT_EQ(openAfterFailure, (std::vector<bool>{true, true}));
    const std::vector<QString> shown = dialogs.messages();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_TRUE(shown[0].contains(QStringLiteral("name"), Qt::CaseInsensitive))
        << shown[0].toStdString();
    EXPECT_EQ(Boxes()[0].icon, MessageIcon::Critical);
    EXPECT_EQ(Read(ann).name, QStringLiteral("Anne"));  // the retry stored the whole entry
    EXPECT_EQ(EntryCount(), 1);                         // the failed Add left nothing
}

TEST_F(EntryCommandsTest, TheEditorStoresEveryCharacterAndOnlyWhatTheUserChanged) {
    const QString odd = QStringLiteral("a\u00A0b\u2028c\r\nd");  // no-break space, U+2028
    const qint64 kept = compendium.add(Spec("Kept", "Elf", "A sage", odd));
    const qint64 typed = compendium.add(Spec("Typed", "Elf", "A smith", "x"));
    window->RefreshList();
    const QString longDate(40000, QLatin1Char('7'));
    SelectRow("Kept");
    script->then([&](Form2& e) {
        e.Text4->setText(QStringLiteral("A wiser sage"));
        e.Text3->setText(longDate);
        Save(e);
    });
    window->Command2->click();
    SelectRow("Typed");
    script->then([&](Form2& e) {
        e.Text5->selectAll();
        e.Text5->insertPlainText(QStringLiteral("y\u00A0z\u2028w"));
        e.Combo1->addItem(QString(30, QLatin1Char('r')));
        e.Combo1->activated(e.Combo1->count() - 1);
        Save(e);
    });
    window->Command2->click();

    EXPECT_EQ(Read(kept).details.toString(), odd) << "untouched notes are stored byte for byte";
    EXPECT_EQ(Read(kept).date, longDate);
    EXPECT_EQ(Read(typed).details.toString(), QStringLiteral("y\u00A0z\u2028w"));
    EXPECT_EQ(Read(typed).race, QString(25, QLatin1Char('r')));
}

TEST_F(EntryCommandsTest, AnEditSavedOverAnotherProgramsChangeIsRefusedAndTheEditorStaysOpen) {
    const qint64 ann = compendium.add(Spec("Ann", "Elf", "A sage"));
    window->RefreshList();
    SelectRow("Ann");
    bool stayedOpen = false;
    script->then([&](Form2& e) {
        // Another program saves the same entry meanwhile.
        auto other = AppState::Open(compendium.dir());
        other->EntryRs->setIndex(u"id");
        other->EntryRs->seek(u"=", QVariant::fromValue<qlonglong>(ann));
        other->EntryRs->edit();
        other->EntryRs->setField(u"desc", QStringLiteral("Theirs"));
        other->EntryRs->update();
        other->Close();
        e.Text4->setText(QStringLiteral("Mine"));
        Save(e);
        stayedOpen = e.isVisible() && e.Text4->text() == QStringLiteral("Mine");
        Cancel(e);
    });
    window->Command2->click();

    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_TRUE(dialogs.messages()[0].contains("Another program changed Ann"))
        << dialogs.messages()[0].toStdString();
    EXPECT_EQ(Read(ann).desc, QStringLiteral("Theirs"));
}

TEST_F(EntryCommandsTest, OnAReadOnlyCompendiumEveryWritingCommandSaysSoAndOpensNothing) {
    compendium.add(Spec("Ann", "Elf", "A sage"));
    auto readOnly = AppState::Open(compendium.dir(), Database::Access::ReadOnly);
    Form1 view(*readOnly, dialogs);
    view.RefreshList();
    ASSERT_EQ(view.Grid1->rows(), 2);
    view.Grid1->setRow(1);
    EditorScript viewScript(view.editor());
    dialogs.clear();
    for (QPushButton* command : {view.Command1, view.Command2, view.Command3, view.Command5}) {
        command->click();
    }
    view.mnuBookmark->trigger();
    EXPECT_TRUE(viewScript.seen().empty()) << "no editor opens";
    const std::vector<QString> shown = dialogs.messages();
    ASSERT_EQ(shown.size(), 5u);
    for (const QString& text : shown) {
        EXPECT_EQ(text, Database::readOnlyMessage(readOnly->DatabasePath()));
    }
    EXPECT_EQ(EntryCount(), 1);
}

}  // namespace
}  // namespace tavri

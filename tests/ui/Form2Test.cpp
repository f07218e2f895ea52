// The entry editor on its own: the order and texts of its refusals, Save, Save-Next and Cancel
// with their result tags, the keys of its boxes, the duplicate look-ups, the Bookmark button and
// its close box, each driven while the editor is shown modally.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTextCursor>

#include "support/ScriptedDialogs.h"
#include "support/TestSupport.h"
#include "tests/ui/Form2TestModal.h"
#include "ui/Form2.h"

namespace tavri {
namespace {

using test::EntrySpec;
using test::TempCompendium;
using test::WhenModal;

EntrySpec Spec(const char* name, const char* race, const char* date, const char* desc) {
    EntrySpec e;
    e.name = QString::fromUtf8(name);
    e.raceLocation = QString::fromUtf8(race);
    e.date = QString::fromUtf8(date);
    e.desc = QString::fromUtf8(desc);
    return e;
}

class Form2Test : public ::testing::Test {
protected:
    void Fill(const QString& name, const QString& race, const QString& date, const QString& desc,
              const QString& notes = QString()) {
        editor.Text1->setText(name);
        editor.Text2->setText(race);
        editor.Text3->setText(date);
        editor.Text4->setText(desc);
        editor.Text5->setPlainText(notes);
    }
    qlonglong Bookmark() {
        compendium.state().OptionsRs->moveFirst();
        return compendium.state().OptionsRs->field(u"bookmark").toLongLong();
    }

    TempCompendium compendium;
    ScriptedDialogs dialogs;
    Form2 editor{compendium.state(), dialogs};
};

TEST_F(Form2Test, TheEditorCarriesTheProgramsTitleAndItsControlsCaptionsAndLimits) {
    EXPECT_EQ(editor.windowTitle(), compendium.state().AppTitle);
    EXPECT_EQ(editor.Command1->text(), QStringLiteral("Save"));
    EXPECT_EQ(editor.Command4->text(), QStringLiteral("Save-Next (F12)"));
    EXPECT_EQ(editor.Command2->text(), QStringLiteral("Cancel"));
    EXPECT_EQ(editor.Command3->text(), QStringLiteral("Bookmark"));
    EXPECT_EQ(editor.Command5->text(), QStringLiteral("DupeCheck"));
    EXPECT_EQ(editor.Check1->text(), QStringLiteral("Changed"));
    EXPECT_EQ(editor.mnuInsert->title(), QStringLiteral("&Insert..."));
    EXPECT_EQ(editor.mnuinsimage->text(), QStringLiteral("&Image link"));
    EXPECT_EQ(editor.mnuimagefile->text(), QStringLiteral("&Browse for image"));
    EXPECT_EQ(editor.mnureclink->text(), QStringLiteral("Link to other entry"));
    EXPECT_EQ(editor.mnuLink->text(), QStringLiteral("&Link Selected"));

    // Limits count characters, so 25 emoji fit the name and a 26th character does not.
    QString emoji;
    for (int i = 0; i < 25; ++i) {
        emoji += QString::fromUtf8("\xF0\x9F\x90\x89");
    }
    editor.Text1->insert(emoji);
    editor.Text1->insert(QStringLiteral("x"));
    EXPECT_EQ(editor.Text1->text(), emoji);
    editor.Text2->insert(QString(30, QLatin1Char('r')));
    EXPECT_TRUE(editor.Text2->text().isEmpty());  // a paste longer than the limit is refused
    QTest::keyClicks(editor.Text2, QString(30, QLatin1Char('r')));
    EXPECT_EQ(editor.Text2->text(), QString(25, QLatin1Char('r')));
    QTest::keyClicks(editor.Text4, QString(160, QLatin1Char('d')));
    EXPECT_EQ(editor.Text4->text().size(), 150);
    editor.Text3->insert(QString(400, QLatin1Char('y')));
    EXPECT_EQ(editor.Text3->text().size(), 400);
}

TEST_F(Form2Test, TabOrderRunsFromTheNameThroughTheButtonsToTheChangedBox) {
    std::vector<QWidget*> order;
    QWidget* w = editor.Text1;
    for (int i = 0; i < 12; ++i) {
        order.push_back(w);
        w = w->nextInFocusChain();
        while (w->focusPolicy() == Qt::NoFocus || w->focusProxy() ||
               (w->parentWidget() && qobject_cast<QComboBox*>(w->parentWidget()))) {
            w = w->nextInFocusChain();
        }
    }
    EXPECT_EQ(order, (std::vector<QWidget*>{editor.Text1, editor.Combo1, editor.Text2, editor.Text3,
                                            editor.Text4, editor.Text5, editor.Command1,
                                            editor.Command2, editor.Command3, editor.Command4,
                                            editor.Command5, editor.Check1}));
}

TEST_F(Form2Test, SaveRefusesTheFirstBlankFieldInOrderAndStaysOpen) {
    struct Case {
        QString name, race, date, desc;
        const char* message;
    };
    const Case cases[] = {
        {"", "", "", "", "Enter a name!"},
        {"   ", "Elf", "1066", "A sage", "Enter a name!"},
        {"Ann", "  ", "1066", "A sage", "Enter a race!"},
        {"Ann", "Elf", " ", "A sage", "Enter a date!"},
        {"Ann", "Elf", "1066", "    ", "Enter a description!"},
    };
    std::vector<bool> openAfterEach;
    WhenModal([&](QWidget*) {
        for (const Case& c : cases) {
            Fill(c.name, c.race, c.date, c.desc);
            editor.Command1->click();
            openAfterEach.push_back(editor.isVisible());
        }
        EXPECT_EQ(editor.Text4->text(), QStringLiteral("    "));  // the typing stays
        editor.Command2->click();
    });
    EXPECT_EQ(editor.exec(), QDialog::Rejected);
    EXPECT_EQ(editor.Tag, QString());
    EXPECT_EQ(openAfterEach, std::vector<bool>(5, true));
    std::vector<QString> expected;
    for (const Case& c : cases) {
        expected.push_back(QString::fromLatin1(c.message));
    }
    EXPECT_EQ(dialogs.messages(), expected);
    for (const auto& shown : dialogs.shown()) {
        EXPECT_TRUE(shown.message.title.isEmpty());
        EXPECT_EQ(shown.message.buttons, MessageButtons::Ok);
    }
}

TEST_F(Form2Test, ATabOrALineBreakIsTextAndNotesAreNeverValidated) {
    WhenModal([&](QWidget*) {
        Fill(QStringLiteral("\t"), QStringLiteral("\t"), QStringLiteral("\t"), QStringLiteral("\t"),
             QStringLiteral("   "));
        editor.Command1->click();
    });
    EXPECT_EQ(editor.exec(), QDialog::Accepted);
    EXPECT_EQ(editor.Tag, QStringLiteral("save"));
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(Form2Test, EnterInTheFourSingleLineBoxesSavesAndEnterInTheNotesStartsALine) {
    for (QLineEdit* box : {editor.Text1, editor.Text2, editor.Text3, editor.Text4}) {
        WhenModal([&, box](QWidget*) {
            Fill(QStringLiteral("Ann"), QStringLiteral("Elf"), QStringLiteral("1066"),
                 QStringLiteral("A sage"), QStringLiteral("line"));
            QTextCursor end = editor.Text5->textCursor();
            end.movePosition(QTextCursor::End);
            editor.Text5->setTextCursor(end);
            QTest::keyClick(editor.Text5, Qt::Key_Return);
            EXPECT_TRUE(editor.isVisible());
            EXPECT_EQ(editor.Text5->toPlainText(), QStringLiteral("line\n"));
            QTest::keyClick(box, Qt::Key_Return);
            if (editor.isVisible()) {
                ADD_FAILURE() << "Enter did not save from " << box->objectName().toStdString();
                editor.Command2->click();
            }
        });
        EXPECT_EQ(editor.exec(), QDialog::Accepted);
        EXPECT_EQ(editor.Tag, QStringLiteral("save"));
        EXPECT_TRUE(editor.Command4Tag.isEmpty());
    }
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(Form2Test, SaveNextMarksNextFromTheButtonAndF12InTheNameAndNotesOnly) {
    const auto run = [&](const std::function<void()>& press) {
        bool stillOpen = false;
        WhenModal([&](QWidget*) {
            Fill(QStringLiteral("Ann"), QStringLiteral("Elf"), QStringLiteral("1066"),
                 QStringLiteral("A sage"));
            press();
            stillOpen = editor.isVisible();
            if (stillOpen) {
                editor.Command2->click();
            }
        });
        editor.exec();
        return std::pair{stillOpen ? QStringLiteral("open") : editor.Tag, editor.Command4Tag};
    };
    using Result = std::pair<QString, QString>;
    EXPECT_EQ(run([&] { editor.Command4->click(); }), (Result{"save", "next"}));
    EXPECT_EQ(run([&] { QTest::keyClick(editor.Text1, Qt::Key_F12); }), (Result{"save", "next"}));
    EXPECT_EQ(run([&] { QTest::keyClick(editor.Text5, Qt::Key_F12, Qt::ShiftModifier); }),
              (Result{"save", "next"}));
    EXPECT_EQ(run([&] { QTest::keyClick(editor.Text4, Qt::Key_F12); }), (Result{"open", ""}));
    EXPECT_EQ(run([&] { QTest::keyClick(editor.Text2, Qt::Key_F12); }), (Result{"open", ""}));
    EXPECT_EQ(run([&] { QTest::keyClick(editor.Text3, Qt::Key_F12); }), (Result{"open", ""}));
    EXPECT_EQ(run([&] { editor.Command1->click(); }), (Result{"save", ""}));
}

TEST_F(Form2Test, ARefusedSaveNextKeepsTheMarkUntilTheEditorIsOpenedAgain) {
    WhenModal([&](QWidget*) {
        Fill(QStringLiteral("Ann"), QString(), QStringLiteral("1066"), QStringLiteral("A sage"));
        editor.Command4->click();
        EXPECT_TRUE(editor.isVisible());
        EXPECT_EQ(editor.Command4Tag, QStringLiteral("next"));
        editor.Command2->click();
    });
    EXPECT_EQ(editor.exec(), QDialog::Rejected);
    EXPECT_EQ(dialogs.messages(), (std::vector<QString>{QStringLiteral("Enter a race!")}));
    EXPECT_EQ(editor.Command4Tag, QStringLiteral("next"));

    // The next opening starts without it, so its plain Save does not walk on.
    WhenModal([&](QWidget*) {
        EXPECT_TRUE(editor.Command4Tag.isEmpty());
        editor.Text2->setText(QStringLiteral("Elf"));
        editor.Command1->click();
    });
    EXPECT_EQ(editor.exec(), QDialog::Accepted);
    EXPECT_TRUE(editor.Command4Tag.isEmpty());
}

TEST_F(Form2Test, SaveOfANewEntryRefusesAnExistingNameTypedWithSpacesOrOtherCase) {
    compendium.add(Spec("Dragon", "Wyrm", "Age 1", "A great wyrm"));
    editor.Command5->show();
    WhenModal([&](QWidget*) {
        Fill(QStringLiteral(" Dragon "), QStringLiteral("Wyrm"), QStringLiteral("1"),
             QStringLiteral("Copy"));
        editor.Command1->click();
        EXPECT_TRUE(editor.isVisible());
        editor.Text1->setText(QStringLiteral("DRAGON"));
        editor.Command1->click();
        EXPECT_TRUE(editor.isVisible());
        editor.Text1->setText(QStringLiteral("Dragonet"));
        editor.Command1->click();
    });
    EXPECT_EQ(editor.exec(), QDialog::Accepted);
    EXPECT_EQ(dialogs.messages(),
              (std::vector<QString>{QStringLiteral(" Dragon  already exists (A great wyrm)"),
                                    QStringLiteral("DRAGON already exists (A great wyrm)")}));
}

TEST_F(Form2Test, WithDupeCheckHiddenSaveAcceptsAnExistingName) {
    compendium.add(Spec("Dragon", "Wyrm", "Age 1", "A great wyrm"));
    editor.Command5->hide();
    WhenModal([&](QWidget*) {
        Fill(QStringLiteral("Dragon"), QStringLiteral("Wyrm"), QStringLiteral("1"),
             QStringLiteral("Renamed"));
        editor.Command1->click();
    });
    EXPECT_EQ(editor.exec(), QDialog::Accepted);
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(Form2Test, DupeCheckNamesAnExistingNameLookedUpTrimmedAndIsSilentOtherwise) {
    compendium.add(Spec("Dragon", "Wyrm", "Age 1", "A great wyrm"));
    WhenModal([&](QWidget*) {
        editor.Text1->setText(QStringLiteral(" Dragon"));
        editor.Command5->click();
        editor.Text1->setText(QStringLiteral("Elf"));
        editor.Command5->click();
        EXPECT_TRUE(editor.isVisible());
        editor.Command2->click();
    });
    editor.exec();
    EXPECT_EQ(dialogs.messages(),
              (std::vector<QString>{QStringLiteral(" Dragon already exists!")}));
}

TEST_F(Form2Test, BookmarkPressedTwiceSetsTheEntryAndThenClearsItAtOnce) {
    editor.Label6->setText(QStringLiteral("7"));
    editor.SetCommand3BackColor(Form2::ButtonFace());
    std::vector<std::pair<qlonglong, QColor>> states;
    WhenModal([&](QWidget*) {
        editor.Command3->click();
        states.emplace_back(Bookmark(), editor.Command3BackColor());
        editor.Command3->click();
        states.emplace_back(Bookmark(), editor.Command3BackColor());
        editor.Command3->click();
        editor.Command2->click();  // the bookmark does not wait for Save
    });
    editor.exec();
    ASSERT_EQ(states.size(), 2u);
    EXPECT_EQ(states[0].first, 7);
    EXPECT_EQ(states[0].second, QColor(255, 0, 0));
    EXPECT_EQ(states[1].first, 0);
    EXPECT_EQ(states[1].second, QColor(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(Bookmark(), 7);
    EXPECT_EQ(editor.Command3->palette().color(QPalette::Button), QColor(255, 0, 0));
}

TEST_F(Form2Test, TheRacePickCopiesTheItemIntoTheRaceBoxAndCtrlASelectsAllNotes) {
    editor.Combo1->addItem(QString());
    editor.Combo1->addItem(QStringLiteral("Elf"), 3);
    editor.Combo1->addItem(QStringLiteral("Orc Lands"), 9);
    WhenModal([&](QWidget*) {
        editor.Combo1->setCurrentIndex(2);
        emit editor.Combo1->activated(2);
        EXPECT_EQ(editor.Text2->text(), QStringLiteral("Orc Lands"));
        editor.Combo1->setEditText(QStringLiteral("typed"));
        EXPECT_EQ(editor.Text2->text(), QStringLiteral("Orc Lands"));

        editor.Text5->setPlainText(QStringLiteral("one\ntwo"));
        QTest::keyClick(editor.Text5, Qt::Key_A, Qt::ControlModifier);
        EXPECT_EQ(editor.Text5->textCursor().selectionStart(), 0);
        EXPECT_EQ(editor.Text5->textCursor().selectionEnd(), 7);
        editor.Command2->click();
    });
    editor.exec();
}

TEST_F(Form2Test, TheCloseBoxCountsAsCancelAndKeepsTheWindowAndItsRaceList) {
    editor.Combo1->addItem(QStringLiteral("Elf"));
    QPointer<Form2> alive(&editor);
    WhenModal([&](QWidget* shown) {
        EXPECT_EQ(shown, &editor);
        Fill(QStringLiteral("Ann"), QStringLiteral("Elf"), QStringLiteral("1066"),
             QStringLiteral("A sage"));
        shown->close();
    });
    EXPECT_EQ(editor.exec(), QDialog::Rejected);
    ASSERT_TRUE(alive);
    EXPECT_FALSE(editor.isVisible());
    EXPECT_EQ(editor.Tag, QString());
    EXPECT_EQ(editor.Combo1->count(), 1);
    EXPECT_EQ(editor.Text1->text(), QStringLiteral("Ann"));
    EXPECT_EQ(editor.windowTitle(), compendium.state().AppTitle);

    WhenModal([&](QWidget*) { QTest::keyClick(editor.Text1, Qt::Key_Escape); });
    EXPECT_EQ(editor.exec(), QDialog::Rejected);
    EXPECT_EQ(editor.Tag, QString());
}

TEST_F(Form2Test, AResizedEditorGivesTheExtraRoomToTheNotesAndKeepsItsDesignSizeAsMinimum) {
    editor.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor));
    const QSize design = editor.size();
    const QRect notes = editor.Text5->geometry();
    const QRect name = editor.Text1->geometry();
    const QRect save = editor.Command1->geometry();
    const QRect cancel = editor.Command2->geometry();
    editor.resize(design + QSize(200, 150));
    QCoreApplication::processEvents();
    EXPECT_EQ(editor.size(), design + QSize(200, 150));
    EXPECT_EQ(editor.Text5->geometry(), notes.adjusted(0, 0, 200, 150));
    EXPECT_EQ(editor.Text1->geometry(), name);
    EXPECT_EQ(editor.Command1->geometry(), save.translated(0, 150));
    EXPECT_EQ(editor.Command2->geometry(), cancel.translated(200, 150));
    editor.resize(design - QSize(100, 100));
    QCoreApplication::processEvents();
    EXPECT_EQ(editor.size(), design) << "never smaller than its design";
    editor.hide();
}

}  // namespace
}  // namespace tavri

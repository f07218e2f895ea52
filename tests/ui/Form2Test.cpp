// The entry editor on its own, shown modally: its refusals, Save, Save-Next and Cancel with
// their result tags, the keys of its boxes, the duplicate look-ups, the Bookmark button, and the
// notes mark-up aids, each replacing the notes' selection as typing would.
#include <gtest/gtest.h>

#include "tests/ui/WindowTest.h"

namespace tavri {
namespace {

using test::Fill;

class Form2Test : public ::testing::Test {
protected:
    // Notes text with [start, end) selected.
    void SetNotes(const QString& text, int start, int end) {
        editor.Text5->setPlainText(text);
        QTextCursor c = editor.Text5->textCursor();
        c.setPosition(start);
        c.setPosition(end, QTextCursor::KeepAnchor);
        editor.Text5->setTextCursor(c);
    }
    QString Notes() const { return editor.Text5->toPlainText(); }
    // Runs action while the editor is shown, with the focus on the name box, then closes it.
    void WhileShown(const std::function<void()>& action) {
        test::InModal([&] { editor.exec(); },
                      [&](QWidget*) { editor.Text1->setFocus(), action(); });
    }
    // Runs step in the select-from-list dialog that trigger shows, in the shown editor.
    void InList(QAction* trigger, const std::function<void(SLIST1&)>& step) {
        WhileShown([&] {
            test::InModal([&] { trigger->trigger(); },
                          [&](QWidget*) { step(editor.SelectList()); });
        });
    }
    qint64 Add(const char* name, const char* race, const char* desc) {
        return compendium.add({name, race, "1066", desc, QString(), false});
    }
    qlonglong Bookmark() { return compendium.state().OptionsRs->field(u"bookmark").toLongLong(); }

    test::TempCompendium compendium;
    ScriptedDialogs dialogs;
    Form2 editor{compendium.state(), dialogs};
};

// Whitespace-only fields are blank; a tab is text, and the notes are never checked.
TEST_F(Form2Test, SaveRefusesTheFirstBlankFieldInOrderAndStaysOpen) {
    const struct {
        const char *name, *race, *date, *desc, *message;
    } cases[] = {
        {"   ", "Elf", "1066", "A sage", "Enter a name!"},
        {"Ann", "  ", "", "", "Enter a race!"},
        {"Ann", "Elf", " ", "", "Enter a date!"},
        {"Ann", "Elf", "1066", "    ", "Enter a description!"},
    };
    std::vector<QString> expected;
    EXPECT_EQ(QDialog::Accepted, test::Exec(editor, [&] {
                  for (const auto& c : cases) {
                      Fill(editor, c.name, c.race, c.date, c.desc);
                      editor.Command1->click();
                      EXPECT_TRUE(editor.isVisible()) << c.message;
                      expected.push_back(c.message);
                  }
                  Fill(editor, "\t", "\t", "\t", "\t");
                  editor.Text5->setPlainText("   ");
                  editor.Command1->click();
              }));
    EXPECT_EQ(editor.Tag, QStringLiteral("save"));
    EXPECT_EQ(dialogs.messages(), expected);
}

// What a key or button does: "save" or "next" when the editor closed with that result,
// "cancel" when it closed without one, "open" when it stayed open. None of them loses the typing
// or the race list, nor deletes the window.
TEST_F(Form2Test, TheKeysAndButtonsOfTheEditor) {
    editor.Combo1->addItem(QStringLiteral("Elf"));
    QPointer<Form2> alive(&editor);
    // A key in box n: 1 the name, 2 the race, 3 the date, 4 the description, 5 the notes.
    const auto key = [](int n, Qt::Key k, Qt::KeyboardModifiers m = {}) {
        return [=](Form2& e) {
            QWidget* boxes[] = {e.Text1, e.Text2, e.Text3, e.Text4, e.Text5};
            QTest::keyClick(boxes[n - 1], k, m);
        };
    };
    const auto click = [](QPushButton* Form2::*b) { return [=](Form2& e) { (e.*b)->click(); }; };
    const struct {
        const char* what;
        std::function<void(Form2&)> press;
        const char* result;
        const char* notes;
    } cases[] = {
        {"Enter in the name", key(1, Qt::Key_Return), "save", "line"},
        {"Enter in the race", key(2, Qt::Key_Return), "save", "line"},
        {"Enter in the date", key(3, Qt::Key_Return), "save", "line"},
        {"Enter in the description", key(4, Qt::Key_Return), "save", "line"},
        {"Enter in the notes", key(5, Qt::Key_Return), "open", "line\n"},
        {"Save", click(&Form2::Command1), "save", "line"},
        {"Save-Next", click(&Form2::Command4), "next", "line"},
        {"F12 in the name", key(1, Qt::Key_F12), "next", "line"},
        {"Shift-F12 in the notes", key(5, Qt::Key_F12, Qt::ShiftModifier), "next", "line"},
        {"F12 in the description", key(4, Qt::Key_F12), "open", "line"},
        {"Escape", key(1, Qt::Key_Escape), "cancel", "line"},
        {"the close box", [](Form2& e) { e.close(); }, "cancel", "line"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QString result = "open";
        test::Exec(editor, [&] {
            Fill(editor, "Ann");
            editor.Text5->setPlainText("line");
            editor.Text5->moveCursor(QTextCursor::End);
            c.press(editor);
            EXPECT_EQ(Notes(), c.notes);
            if (editor.isVisible()) {
                editor.Command2->click();
            } else {
                result = editor.Tag.isEmpty()           ? "cancel"
                         : editor.Command4Tag.isEmpty() ? "save"
                                                        : "next";
            }
        });
        EXPECT_EQ(result, c.result);
        ASSERT_TRUE(alive);
        EXPECT_EQ(editor.Text1->text() + editor.Combo1->itemText(0), "AnnElf");
    }
    EXPECT_EQ(editor.Combo1->count(), 1);
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(Form2Test, ARefusedSaveNextKeepsTheMarkUntilTheEditorIsOpenedAgain) {
    EXPECT_EQ(QDialog::Rejected, test::Exec(editor, [&] {
                  Fill(editor, "Ann", "");
                  editor.Command4->click();
                  editor.Command2->click();
              }));
    EXPECT_EQ(editor.Command4Tag, QStringLiteral("next"));
    // The next opening starts without it, so its plain Save does not walk on.
    EXPECT_EQ(QDialog::Accepted, test::Exec(editor, [&] {
                  EXPECT_TRUE(editor.Command4Tag.isEmpty());
                  editor.Text2->setText(QStringLiteral("Elf"));
                  editor.Command1->click();
              }));
    EXPECT_TRUE(editor.Command4Tag.isEmpty());
}

// A new entry (DupeCheck shown) may not take a name that exists, typed with spaces or in
// another case; an edited one (DupeCheck hidden) may. DupeCheck looks the name up trimmed.
TEST_F(Form2Test, DuplicateNamesAreLookedUpTrimmedInAnyCase) {
    Add("Dragon", "Wyrm", "A great wyrm");
    std::vector<bool> open;
    editor.Command5->show();
    EXPECT_EQ(QDialog::Accepted, test::Exec(editor, [&] {
                  for (const char* name : {" Dragon ", "DRAGON", "Dragonet"}) {
                      Fill(editor, name);
                      editor.Command1->click();
                      open.push_back(editor.isVisible());
                  }
              }));
    EXPECT_EQ(open, (std::vector<bool>{true, true, false}));
    EXPECT_EQ(dialogs.messages().size(), 2u);

    editor.Command5->hide();
    EXPECT_EQ(QDialog::Accepted, test::Exec(editor, [&] {
                  Fill(editor, "Dragon");
                  editor.Command1->click();
              }));
    EXPECT_EQ(dialogs.messages().size(), 2u);

    WhileShown([&] {
        for (const char* name : {" dragon", "Elf"}) {
            editor.Text1->setText(name);
            editor.Command5->click();
        }
        EXPECT_TRUE(editor.isVisible());
    });
    EXPECT_EQ(dialogs.messages().size(), 3u);
}

TEST_F(Form2Test, BookmarkPressedTwiceSetsTheEntryAndThenClearsItAtOnce) {
    editor.Label6->setText(QStringLiteral("7"));
    editor.SetCommand3BackColor(Form2::ButtonFace());
    std::vector<std::pair<qlonglong, QColor>> states;
    WhileShown([&] {
        for (int i = 0; i < 2; ++i) {
            editor.Command3->click();
            states.emplace_back(Bookmark(), editor.Command3BackColor());
        }
    });  // the bookmark does not wait for Save
    EXPECT_EQ(states, (std::vector<std::pair<qlonglong, QColor>>{{7, Form2::BookmarkRed()},
                                                                 {0, Form2::BookmarkGrey()}}));
    EXPECT_EQ(editor.Command3->palette().color(QPalette::Button), Form2::BookmarkGrey());
}

// The limits count characters, so 25 emoji fit the name; a pick from the race list is cut to
// the race box's limit, and Ctrl+A in the notes selects them all.
TEST_F(Form2Test, TheLimitsTheRacePickAndCtrlA) {
    const QString emoji = QString::fromUtf8("\xF0\x9F\x90\x89").repeated(25);
    editor.Combo1->addItem(QString());
    editor.Combo1->addItem(QStringLiteral("Orc Lands"));
    editor.Combo1->addItem(QString(30, QLatin1Char('r')));
    WhileShown([&] {
        editor.Text1->insert(emoji);
        editor.Text1->insert(QStringLiteral("x"));
        EXPECT_EQ(editor.Text1->text(), emoji);
        QTest::keyClicks(editor.Text2, QString(30, QLatin1Char('r')));
        EXPECT_EQ(editor.Text2->text(), QString(25, QLatin1Char('r')));
        emit editor.Combo1->activated(1);
        EXPECT_EQ(editor.Text2->text(), QStringLiteral("Orc Lands"));
        editor.Combo1->setEditText(QStringLiteral("typed"));
        EXPECT_EQ(editor.Text2->text(), QStringLiteral("Orc Lands"));
        emit editor.Combo1->activated(2);
        EXPECT_EQ(editor.Text2->text(), QString(25, QLatin1Char('r')));
        editor.Text5->setPlainText(QStringLiteral("one\ntwo"));
        QTest::keyClick(editor.Text5, Qt::Key_A, Qt::ControlModifier);
        EXPECT_EQ(editor.Text5->textCursor().selectedText().size(), 7);
    });
}

TEST_F(Form2Test, AResizedEditorGivesTheExtraRoomToTheNotesAndKeepsItsDesignSizeAsMinimum) {
    editor.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor));
    const QSize design = editor.size();
    const QRect notes = editor.Text5->geometry();
    editor.resize(design + QSize(200, 150));
    QCoreApplication::processEvents();
    EXPECT_EQ(editor.Text5->geometry(), notes.adjusted(0, 0, 200, 150));
    editor.resize(design - QSize(100, 100));
    QCoreApplication::processEvents();
    EXPECT_EQ(editor.size(), design) << "never smaller than its design";
    editor.hide();
}

// The image link replaces the selection, even with the focus elsewhere, and leaves its
// placeholder selected for typing over.
TEST_F(Form2Test, ImageLinkReplacesTheSelectionAndSelectsThePlaceholder) {
    SetNotes(QStringLiteral("Before XX after"), 7, 9);
    WhileShown([&] {
        editor.mnuinsimage->trigger();
        EXPECT_EQ(editor.Text5->textCursor().selectedText(), QStringLiteral("IMAGENAME.JPG"));
        QTest::keyClicks(editor.Text5, QStringLiteral("map.gif"));
    });
    EXPECT_EQ(Notes(), QStringLiteral("Before <img src=\"images\\map.gif\" align=\"left\"> after"));
    EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(Form2Test, BrowseOffersOnlyJpgAndGifFilesInAnyCase) {
    const QString images = compendium.state().ImagesDir();
    QDir().mkpath(images + "sub.jpg");  // a folder, not a file
    for (const char* name : {"a.gif", "notes.txt", "B.JPG", "c.jpeg", "d.GIF", "e.png"}) {
        test::WriteAll(images + name, "x");
    }
    QStringList offered;
    for (const bool ok : {false, true}) {
        SetNotes(QStringLiteral("xy"), 1, 2);
        InList(editor.mnuimagefile, [&](SLIST1& list) {
            offered = test::ListTexts(*list.List1);
            if (QListWidgetItem* item = list.List1->item(offered.indexOf("d.GIF"))) {
                item->setSelected(true);
            }
            (ok ? list.Command1 : list.Command2)->click();
        });
        if (!ok) {
            EXPECT_EQ(Notes(), QStringLiteral("xy")) << "cancelled";
        }
    }
    EXPECT_EQ(offered, (QStringList{"a.gif", "B.JPG", "d.GIF"}));
    EXPECT_EQ(Notes(), QStringLiteral("x<img src=\"images\\d.GIF\" align=\"left\">"));
    EXPECT_TRUE(dialogs.shown().empty());
    // With no images, or no folder, nothing is offered or inserted.
    for (const char* name : {"a.gif", "B.JPG", "d.GIF"}) {
        QFile::remove(images + name);
    }
    WhileShown([&] { editor.mnuimagefile->trigger(); });
    QDir(images).removeRecursively();
    WhileShown([&] { editor.mnuimagefile->trigger(); });
    EXPECT_EQ(dialogs.messages().size(), 2u);
    EXPECT_EQ(Notes(), QStringLiteral("x<img src=\"images\\d.GIF\" align=\"left\">"));
}

TEST_F(Form2Test, LinkToOtherEntryListsEveryEntryAndLinksTheSelectedText) {
    Add("Elf", "Woods", "Fair folk");
    const qint64 dragon = Add("Dragon", "Wyrm", "A great wyrm");
    Add("Nameless", "", "");
    QStringList offered;
    SetNotes(QStringLiteral("the beast here"), 4, 9);
    InList(editor.mnureclink, [&](SLIST1& list) {
        offered = test::ListTexts(*list.List1);
        list.List1->item(0)->setSelected(true);
        list.Command1->click();
    });
    EXPECT_EQ(offered,
              (QStringList{"Dragon (Wyrm) A great wyrm", "Elf (Woods) Fair folk", "Nameless () "}));
    EXPECT_EQ(Notes(), QStringLiteral("the <a href=\"G%1.htm\">beast</a> here").arg(dragon));
    // With nothing selected the link has no text; closing the list inserts nothing.
    SetNotes(QStringLiteral("ab"), 1, 1);
    InList(editor.mnureclink, [&](SLIST1& list) {
        list.List1->item(0)->setSelected(true);
        list.Command1->click();
    });
    InList(editor.mnureclink, [&](SLIST1& list) { list.close(); });
    EXPECT_EQ(Notes(), QStringLiteral("a<a href=\"G%1.htm\"></a>b").arg(dragon));
}

// F4 (or Link Selected) seeks the first name at or after the selected text and, on Yes, links
// the whole selection to it, across lines too.
TEST_F(Form2Test, F4LinksTheSelectionToTheFirstNameAtOrAfterIt) {
    const qint64 dragon = Add("Dragon", "Wyrm", "A great wyrm");
    const qint64 elf = Add("Elf", "Woods", "Fair folk");
    dialogs.answer(Answer::Yes);
    dialogs.answer(Answer::No);
    dialogs.answer(Answer::Yes);
    WhileShown([&] {
        SetNotes(QStringLiteral("a dra b"), 2, 5);
        QTest::keyClick(editor.Text5, Qt::Key_F4);
        EXPECT_EQ(Notes(), QStringLiteral("a <a href=\"G%1.htm\">dra</a> b").arg(dragon));
        SetNotes(QStringLiteral("drz"), 0, 3);
        QTest::keyClick(editor.Text5, Qt::Key_F4, Qt::ShiftModifier);
        EXPECT_EQ(Notes(), QStringLiteral("drz"));
        SetNotes(QStringLiteral("see Dwarf\nhall."), 4, 14);
        editor.Text1->setFocus();
        editor.mnuLink->trigger();
        EXPECT_EQ(Notes(), QStringLiteral("see <a href=\"G%1.htm\">Dwarf\nhall</a>.").arg(elf));
        SetNotes(QStringLiteral("zz"), 0, 2);
        QTest::keyClick(editor.Text5, Qt::Key_F4);
        EXPECT_EQ(Notes(), QStringLiteral("zz"));
        SetNotes(QStringLiteral("nothing selected"), 3, 3);
        QTest::keyClick(editor.Text5, Qt::Key_F4);
    });
    EXPECT_EQ(
        dialogs.messages(),
        (std::vector<QString>{"Article Dragon found, link to it?", "Article Elf found, link to it?",
                              "Article Elf found, link to it?", "No match for zz"}));
}

}  // namespace
}  // namespace tavri

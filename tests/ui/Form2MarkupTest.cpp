// The notes mark-up aids of the editor: the image link and its placeholder, the images folder
// browser, the link to a chosen entry and the link to the entry a selection names (F4), each
// replacing the notes' selection as typing would.
#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextCursor>

#include "support/ScriptedDialogs.h"
#include "support/TestSupport.h"
#include "tests/ui/Form2TestModal.h"
#include "ui/Form2.h"
#include "ui/SLIST1.h"

namespace tavri {
namespace {

using test::EntrySpec;
using test::TempCompendium;
using test::WhenModal;

EntrySpec Spec(const char* name, const char* race, const char* desc) {
    EntrySpec e;
    e.name = QString::fromUtf8(name);
    e.raceLocation = QString::fromUtf8(race);
    e.date = QStringLiteral("1066");
    e.desc = QString::fromUtf8(desc);
    return e;
}

QStringList Texts(const QListWidget& list) {
    QStringList texts;
    for (int i = 0; i < list.count(); ++i) {
        texts << list.item(i)->text();
    }
    return texts;
}

class Form2MarkupTest : public ::testing::Test {
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
    QString Selected() const { return editor.Text5->textCursor().selectedText(); }

    // Runs action while the editor is shown, with the focus on the name box.
    void WhileShown(const std::function<void()>& action) {
        WhenModal([&](QWidget*) {
            editor.Text1->setFocus();
            action();
            editor.Command2->click();
        });
        editor.exec();
    }

    void MakeImages(const QStringList& names) {
        QDir().mkpath(compendium.state().ImagesDir());
        for (const QString& name : names) {
            test::WriteAll(compendium.state().ImagesDir() + name, "x");
        }
    }

    TempCompendium compendium;
    ScriptedDialogs dialogs;
    Form2 editor{compendium.state(), dialogs};
};

TEST_F(Form2MarkupTest, ImageLinkInEmptyNotesSelectsThePlaceholder) {
    WhileShown([&] { editor.mnuinsimage->trigger(); });
    EXPECT_EQ(Notes(), QStringLiteral("<img src=\"images\\IMAGENAME.JPG\" align=\"left\">"));
    EXPECT_EQ(editor.Text5->textCursor().selectionStart(), 17);
    EXPECT_EQ(editor.Text5->textCursor().selectionEnd(), 30);
    EXPECT_EQ(Selected(), QStringLiteral("IMAGENAME.JPG"));
}

TEST_F(Form2MarkupTest, ImageLinkReplacesTheSelectionEvenWithTheFocusElsewhere) {
    SetNotes(QStringLiteral("Before XX after"), 7, 9);
    WhileShown([&] {
        editor.mnuinsimage->trigger();
        QTest::keyClicks(editor.Text5, QStringLiteral("map.gif"));  // typing replaces it
    });
    EXPECT_EQ(Notes(), QStringLiteral("Before <img src=\"images\\map.gif\" align=\"left\"> after"));
    EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(Form2MarkupTest, BrowseOffersOnlyJpgAndGifNamesInAnyCase) {
    MakeImages({"a.gif", "notes.txt", "B.JPG", "c.jpeg", "d.GIF"});
    QDir().mkpath(compendium.state().ImagesDir() + "sub.jpg");  // a folder, not a file
    QStringList offered;
    SetNotes(QStringLiteral("x"), 1, 1);
    WhileShown([&] {
        WhenModal([&](QWidget* shown) {
            SLIST1& list = editor.SelectList();
            EXPECT_EQ(shown, &list);
            offered = Texts(*list.List1);
            EXPECT_EQ(list.Label1->text(), QStringLiteral("Select an image"));
            EXPECT_EQ(list.Label2->text(), QStringLiteral("1"));
            EXPECT_EQ(list.Label3->text(), QStringLiteral("1"));
            list.List1->findItems(QStringLiteral("d.GIF"), Qt::MatchExactly)[0]->setSelected(true);
            list.Command1->click();
        });
        editor.mnuimagefile->trigger();
    });
    EXPECT_EQ(offered, (QStringList{"a.gif", "B.JPG", "d.GIF"}));
    EXPECT_EQ(Notes(), QStringLiteral("x<img src=\"images\\d.GIF\" align=\"left\">"));
}

TEST_F(Form2MarkupTest, BrowseWithOnlyAGifOffersThatOneAndCancelInsertsNothing) {
    MakeImages({"a.gif"});
    QStringList offered;
    SetNotes(QStringLiteral("keep"), 0, 4);
    WhileShown([&] {
        WhenModal([&](QWidget*) {
            offered = Texts(*editor.SelectList().List1);
            editor.SelectList().List1->item(0)->setSelected(true);
            editor.SelectList().Command2->click();
        });
        editor.mnuimagefile->trigger();
    });
    EXPECT_EQ(offered, (QStringList{"a.gif"}));
    EXPECT_EQ(Notes(), QStringLiteral("keep"));
}

TEST_F(Form2MarkupTest, BrowseWithNoImagesSaysSoAndInsertsNothing) {
    MakeImages({"readme.txt", "photo.png"});
    SetNotes(QStringLiteral("keep"), 0, 0);
    WhileShown([&] { editor.mnuimagefile->trigger(); });
    ASSERT_EQ(dialogs.shown().size(), 1u);
    const MessageRequest& m = dialogs.shown()[0].message;
    EXPECT_EQ(m.text, QStringLiteral("You have no images. Copy images in .JPG or .GIF format into "
                                     "the folder ") +
                          compendium.dir() + QStringLiteral("Reports/images/ and try again."));
    EXPECT_EQ(m.title, compendium.state().AppTitle);
    EXPECT_EQ(m.icon, MessageIcon::Information);
    EXPECT_EQ(m.buttons, MessageButtons::Ok);
    EXPECT_EQ(Notes(), QStringLiteral("keep"));

    QDir(compendium.state().ImagesDir()).removeRecursively();  // a missing folder: the same
    WhileShown([&] { editor.mnuimagefile->trigger(); });
    EXPECT_EQ(dialogs.messages().size(), 2u);
}

TEST_F(Form2MarkupTest, LinkToOtherEntryListsEveryEntryAndLinksTheSelectedText) {
    compendium.add(Spec("Elf", "Woods", "Fair folk"));
    const qint64 dragon = compendium.add(Spec("Dragon", "Wyrm", "A great wyrm"));
    EntrySpec bare;
    bare.name = QStringLiteral("Nameless");
    compendium.add(bare);
    QStringList offered;
    SetNotes(QStringLiteral("the beast here"), 4, 9);
    WhileShown([&] {
        WhenModal([&](QWidget*) {
            SLIST1& list = editor.SelectList();
            offered = Texts(*list.List1);
            EXPECT_EQ(list.Label1->text(), QStringLiteral("Select an entry to link to"));
            list.List1->item(0)->setSelected(true);
            list.Command1->click();
        });
        editor.mnureclink->trigger();
    });
    EXPECT_EQ(offered,
              (QStringList{"Dragon (Wyrm) A great wyrm", "Elf (Woods) Fair folk", "Nameless () "}));
    EXPECT_EQ(Notes(), QStringLiteral("the <a href=\"G%1.htm\">beast</a> here").arg(dragon));
}

TEST_F(Form2MarkupTest, LinkToOtherEntryWithNothingSelectedLinksAnEmptyTextAndCancelDoesNothing) {
    const qint64 elf = compendium.add(Spec("Elf", "Woods", "Fair folk"));
    SetNotes(QStringLiteral("ab"), 1, 1);
    WhileShown([&] {
        WhenModal([&](QWidget*) {
            editor.SelectList().Command3->click();
            editor.SelectList().Command1->click();
        });
        editor.mnureclink->trigger();
    });
    EXPECT_EQ(Notes(), QStringLiteral("a<a href=\"G%1.htm\"></a>b").arg(elf));

    WhileShown([&] {
        WhenModal([&](QWidget* shown) { shown->close(); });
        editor.mnureclink->trigger();
    });
    EXPECT_EQ(Notes(), QStringLiteral("a<a href=\"G%1.htm\"></a>b").arg(elf));
}

TEST_F(Form2MarkupTest, F4SeeksTheFirstNameAtOrAfterTheSelection) {
    const qint64 dragon = compendium.add(Spec("Dragon", "Wyrm", "A great wyrm"));
    const qint64 elf = compendium.add(Spec("Elf", "Woods", "Fair folk"));
    dialogs.answer(Answer::Yes);
    dialogs.answer(Answer::No);
    WhileShown([&] {
        SetNotes(QStringLiteral("a dra b"), 2, 5);
        QTest::keyClick(editor.Text5, Qt::Key_F4);
        EXPECT_EQ(Notes(), QStringLiteral("a <a href=\"G%1.htm\">dra</a> b").arg(dragon));

        SetNotes(QStringLiteral("drz"), 0, 3);
        QTest::keyClick(editor.Text5, Qt::Key_F4, Qt::ShiftModifier);
        EXPECT_EQ(Notes(), QStringLiteral("drz"));

        SetNotes(QStringLiteral("zz"), 0, 2);
        editor.Text1->setFocus();
        editor.mnuLink->trigger();
        EXPECT_EQ(Notes(), QStringLiteral("zz"));

        SetNotes(QStringLiteral("nothing selected"), 3, 3);
        QTest::keyClick(editor.Text5, Qt::Key_F4);
    });
    ASSERT_EQ(dialogs.shown().size(), 3u);
    EXPECT_EQ(dialogs.shown()[0].message.text, QStringLiteral("Article Dragon found, link to it?"));
    EXPECT_EQ(dialogs.shown()[0].message.buttons, MessageButtons::YesNo);
    EXPECT_EQ(dialogs.shown()[0].message.icon, MessageIcon::Question);
    EXPECT_EQ(dialogs.shown()[0].message.title, compendium.state().AppTitle);
    EXPECT_EQ(dialogs.shown()[1].message.text, QStringLiteral("Article Elf found, link to it?"));
    EXPECT_EQ(dialogs.shown()[2].message.text, QStringLiteral("No match for zz"));
    EXPECT_EQ(dialogs.shown()[2].message.buttons, MessageButtons::Ok);
    EXPECT_TRUE(dialogs.shown()[2].message.title.isEmpty());
    EXPECT_NE(elf, dragon);
}

TEST_F(Form2MarkupTest, F4OnSeveralLinesUsesTheWholeSelectionAsKeyAndLinkText) {
    const qint64 elf = compendium.add(Spec("Elf", "Woods", "Fair folk"));
    dialogs.answer(Answer::Yes);
    WhileShown([&] {
        SetNotes(QStringLiteral("see Dwarf\nhall."), 4, 14);
        QTest::keyClick(editor.Text5, Qt::Key_F4);
    });
    EXPECT_EQ(dialogs.messages(), (std::vector<QString>{"Article Elf found, link to it?"}));
    EXPECT_EQ(Notes(), QStringLiteral("see <a href=\"G%1.htm\">Dwarf\nhall</a>.").arg(elf));
}

}  // namespace
}  // namespace tavri

// The select-from-list dialog: its limits, All / None / Cancel, MatchMark, the order of its
// items, its load sizing and its resizing, driven while it is shown modally.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include "support/ScriptedDialogs.h"
#include "tests/ui/Form2TestModal.h"
#include "ui/SLIST1.h"
#include "ui/Twips.h"

namespace tavri {
namespace {

using test::WhenModal;

QStringList Texts(const QListWidget& list) {
    QStringList texts;
    for (int i = 0; i < list.count(); ++i) {
        texts << list.item(i)->text();
    }
    return texts;
}

QStringList SelectedTexts(const SLIST1& dialog) {
    QStringList texts;
    for (const auto& item : dialog.SelectedItems()) {
        texts << item.text;
    }
    return texts;
}

void Select(SLIST1& dialog, const QString& text) {
    const auto found = dialog.List1->findItems(text, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << text.toStdString();
    found.front()->setSelected(true);
}

class SList1Test : public ::testing::Test {
protected:
    void Fill(const QStringList& texts, const char* max = "1", const char* min = "1") {
        dialog.Clear();
        qint64 data = 100;
        for (const QString& t : texts) {
            dialog.AddItem(t, data++);
        }
        dialog.Label1->setText(QStringLiteral("Pick"));
        dialog.Label2->setText(QString::fromLatin1(max));
        dialog.Label3->setText(QString::fromLatin1(min));
    }

    ScriptedDialogs dialogs;
    SLIST1 dialog{dialogs};
};

TEST_F(SList1Test, ANewDialogHasItsCaptionAndLimitsOfOneAndOne) {
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Select from list"));
    EXPECT_EQ(dialog.Label1->text(), QStringLiteral("SORTED VERSION"));
    EXPECT_EQ(dialog.Label2->text(), QStringLiteral("1"));
    EXPECT_EQ(dialog.Label3->text(), QStringLiteral("1"));
    EXPECT_TRUE(dialog.Label2->isHidden());
    EXPECT_TRUE(dialog.Label3->isHidden());
}

TEST_F(SList1Test, ItemsArePresentedInTheCompendiumsCaseInsensitiveOrderWithTheirData) {
    Fill({QStringLiteral("gamma"), QStringLiteral("Beta"), QStringLiteral("alpha"),
          QStringLiteral("ALPHA two")});
    WhenModal([&](QWidget*) {
        EXPECT_EQ(Texts(*dialog.List1),
                  (QStringList{QStringLiteral("alpha"), QStringLiteral("ALPHA two"),
                               QStringLiteral("Beta"), QStringLiteral("gamma")}));
        Select(dialog, QStringLiteral("Beta"));
        dialog.Command1->click();
    });
    ASSERT_EQ(dialog.exec(), QDialog::Accepted);
    const auto chosen = dialog.SelectedItems();
    ASSERT_EQ(chosen.size(), 1u);
    EXPECT_EQ(chosen[0].text, QStringLiteral("Beta"));
    EXPECT_EQ(chosen[0].data, 101);
}

TEST_F(SList1Test, OkRefusesNoneTooManyAndTooFewAndKeepsTheDialogOpen) {
    Fill({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d")}, "3",
         "2");
    std::vector<bool> openAfterEach;
    WhenModal([&](QWidget* shown) {
        dialog.Command1->click();  // none selected
        openAfterEach.push_back(shown->isVisible());
        Select(dialog, QStringLiteral("a"));
        dialog.Command1->click();  // one, minimum is 2
        openAfterEach.push_back(shown->isVisible());
        dialog.Command3->click();  // all four, limit is 3
        dialog.Command1->click();
        openAfterEach.push_back(shown->isVisible());
        dialog.List1->item(3)->setSelected(false);
        dialog.Command1->click();  // three: accepted
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(openAfterEach, (std::vector<bool>{true, true, true}));
    EXPECT_EQ(dialogs.messages(),
              (std::vector<QString>{QStringLiteral("No items selected"),
                                    QStringLiteral("Too few items selected; minimum is 2"),
                                    QStringLiteral("Too many items selected; limit is 3")}));
    for (const auto& shown : dialogs.shown()) {
        EXPECT_TRUE(shown.message.title.isEmpty());  // the application's own title
    }
    EXPECT_EQ(SelectedTexts(dialog), (QStringList{"a", "b", "c"}));
}

TEST_F(SList1Test, TwoItemsSelectedWithLimitsOneAndOneIsTooMany) {
    Fill({QStringLiteral("x"), QStringLiteral("y")});
    WhenModal([&](QWidget*) {
        dialog.Command3->click();
        dialog.Command1->click();
        EXPECT_TRUE(dialog.isVisible());
        dialog.Command2->click();
    });
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    EXPECT_EQ(dialogs.messages(),
              (std::vector<QString>{QStringLiteral("Too many items selected; limit is 1")}));
}

TEST_F(SList1Test, AllSelectsEveryItemAndNoneClearsThemAndTheCurrentIndex) {
    Fill({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}, "3", "1");
    WhenModal([&](QWidget*) {
        dialog.Command3->click();
        EXPECT_EQ(SelectedTexts(dialog), (QStringList{"a", "b", "c"}));
        dialog.List1->setCurrentRow(1, QItemSelectionModel::NoUpdate);
        dialog.Command4->click();
        EXPECT_TRUE(SelectedTexts(dialog).isEmpty());
        EXPECT_EQ(dialog.List1->currentRow(), -1);
        dialog.Command2->click();
    });
    dialog.exec();
}

TEST_F(SList1Test, CancelAndTheCloseBoxLeaveNothingSelectedAndKeepTheDialog) {
    Fill({QStringLiteral("a"), QStringLiteral("b")});
    QPointer<SLIST1> alive(&dialog);
    WhenModal([&](QWidget*) {
        Select(dialog, QStringLiteral("b"));
        dialog.List1->setCurrentRow(1, QItemSelectionModel::NoUpdate);
        dialog.Command2->click();
    });
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    EXPECT_TRUE(dialog.SelectedItems().empty());
    EXPECT_EQ(dialog.List1->currentRow(), -1);

    WhenModal([&](QWidget* shown) {
        Select(dialog, QStringLiteral("a"));
        dialog.List1->setCurrentRow(0, QItemSelectionModel::NoUpdate);
        shown->close();
    });
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    ASSERT_TRUE(alive);
    EXPECT_TRUE(dialog.SelectedItems().empty());
    EXPECT_EQ(dialog.List1->currentRow(), -1);
    EXPECT_EQ(Texts(*dialog.List1), (QStringList{"a", "b"}));  // the list itself stays
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(SList1Test, MatchMarkSelectsItemsContainingTheTextInAnyCaseAndKeepsEarlierOnes) {
    Fill({QStringLiteral("Orc Lands"), QStringLiteral("the orchard"), QStringLiteral("Elf"),
          QStringLiteral("Zed")},
         "4", "1");
    dialogs.type(QStringLiteral("orc"));
    WhenModal([&](QWidget*) {
        Select(dialog, QStringLiteral("Zed"));
        dialog.Command5->click();
        dialog.Command1->click();
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(SelectedTexts(dialog),
              (QStringList{QStringLiteral("Orc Lands"), QStringLiteral("the orchard"),
                           QStringLiteral("Zed")}));
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.shown()[0].kind, ScriptedDialogs::Shown::Kind::Input);
    EXPECT_EQ(dialogs.shown()[0].message.text,
              QStringLiteral("Select all entries containing this string"));
    EXPECT_TRUE(dialogs.shown()[0].defaultText.isEmpty());
}

TEST_F(SList1Test, MatchMarkWithAnEmptyAnswerOrALeadingSpaceChangesNothingElse) {
    Fill({QStringLiteral("Orc Lands"), QStringLiteral("an orc")}, "2", "1");
    dialogs.type(QString());
    dialogs.type(QStringLiteral(" orc"));  // not trimmed: only "an orc" contains it
    WhenModal([&](QWidget*) {
        dialog.Command5->click();
        EXPECT_TRUE(dialog.SelectedItems().empty());
        dialog.Command5->click();
        dialog.Command1->click();
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(SelectedTexts(dialog), (QStringList{QStringLiteral("an orc")}));
}

TEST_F(SList1Test, DoubleClickAndEnterInTheListRunOk) {
    Fill({QStringLiteral("a"), QStringLiteral("b")});
    WhenModal([&](QWidget*) {
        const QRect r = dialog.List1->visualItemRect(dialog.List1->item(1));
        QTest::mouseClick(dialog.List1->viewport(), Qt::LeftButton, {}, r.center());
        QTest::mouseDClick(dialog.List1->viewport(), Qt::LeftButton, {}, r.center());
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(SelectedTexts(dialog), (QStringList{"b"}));

    WhenModal([&](QWidget*) {
        QTest::keyClick(dialog.List1, Qt::Key_Return);  // "b" still selected from before
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(SList1Test, LoadSizesTheDialogToTheScreenAndCentresIt) {
    const QRect screen = dialog.screen()->geometry();
    WhenModal([&](QWidget*) {
        EXPECT_GE(dialog.height(), static_cast<int>(0.75 * screen.height()) - 1);
        EXPECT_GE(dialog.width(), static_cast<int>(0.5 * screen.width()) - 1);
        const QRect outer = dialog.frameGeometry();
        EXPECT_LE(std::abs(outer.center().x() - screen.center().x()), 2);
        EXPECT_LE(std::abs(outer.center().y() - screen.center().y()), 2);
        dialog.Command2->click();
    });
    dialog.exec();
}

TEST_F(SList1Test, ResizingGrowsTheListKeepsTheButtonsBelowItAndRecentres) {
    const QRect screen = dialog.screen()->geometry();
    WhenModal([&](QWidget*) {
        const int listHeight = dialog.List1->height();
        const int listWidth = dialog.List1->width();
        dialog.resize(dialog.width() + 150, dialog.height() + 120);
        QCoreApplication::processEvents();
        EXPECT_GT(dialog.List1->height(), listHeight);
        EXPECT_GT(dialog.List1->width(), listWidth);
        const int listBottom = dialog.List1->y() + dialog.List1->height();
        for (QPushButton* b :
             {dialog.Command1, dialog.Command2, dialog.Command3, dialog.Command5}) {
            EXPECT_NEAR(b->y(), listBottom + TwipsToPixels(15), 1);
        }
        EXPECT_NEAR(dialog.Command4->y(), dialog.Command3->y() + dialog.Command3->height(), 1);
        EXPECT_NEAR(dialog.Label1->width(), dialog.List1->width(), 1);
        const QRect outer = dialog.frameGeometry();
        EXPECT_LE(std::abs(outer.center().x() - screen.center().x()), 2);
        EXPECT_LE(std::abs(outer.center().y() - screen.center().y()), 2);
        dialog.Command2->click();
    });
    dialog.exec();
}

TEST_F(SList1Test, TheDialogCannotBeMadeSmallerThanItsMarginsSoNoSizeGoesNegative) {
    WhenModal([&](QWidget*) {
        dialog.resize(10, 10);
        QCoreApplication::processEvents();
        EXPECT_GE(dialog.width(), TwipsToPixels(4260) - 1);
        EXPECT_GT(dialog.List1->height(), 0);
        EXPECT_GT(dialog.List1->width(), 0);
        EXPECT_GT(dialog.Frame3D1->height(), 0);
        dialog.Command2->click();
    });
    dialog.exec();
}

}  // namespace
}  // namespace tavri

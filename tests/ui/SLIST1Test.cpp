// The select-from-list dialog, shown modally: the order of its items, its limits, All / None /
// Cancel, Match Mark, and that no part of it takes a negative size.
#include <gtest/gtest.h>

#include "tests/ui/WindowTest.h"

namespace tavri {
namespace {

class SList1Test : public ::testing::Test {
protected:
    void Fill(const QStringList& texts, const char* max = "1", const char* min = "1") {
        dialog.Clear();
        qint64 data = 100;
        for (const QString& t : texts) {
            dialog.AddItem(t, data++);
        }
        dialog.Label2->setText(max);
        dialog.Label3->setText(min);
    }
    void Select(const QString& text) {
        dialog.List1->findItems(text, Qt::MatchExactly).front()->setSelected(true);
    }
    QStringList Chosen() const {
        QStringList texts;
        for (const auto& item : dialog.SelectedItems()) {
            texts << item.text;
        }
        return texts;
    }

    ScriptedDialogs dialogs;
    SLIST1 dialog{dialogs};
};

// A double click or Enter in the list runs OK.
TEST_F(SList1Test, ItemsAreInTheCompendiumsCaseInsensitiveOrderWithTheirData) {
    Fill({"gamma", "Beta", "alpha", "ALPHA two"});
    ASSERT_EQ(QDialog::Accepted, test::Exec(dialog, [&] {
                  EXPECT_EQ(test::ListTexts(*dialog.List1),
                            (QStringList{"alpha", "ALPHA two", "Beta", "gamma"}));
                  const QRect r = dialog.List1->visualItemRect(dialog.List1->item(2));
                  QTest::mouseClick(dialog.List1->viewport(), Qt::LeftButton, {}, r.center());
                  QTest::mouseDClick(dialog.List1->viewport(), Qt::LeftButton, {}, r.center());
              }));
    ASSERT_EQ(dialog.SelectedItems().size(), 1u);
    EXPECT_EQ(dialog.SelectedItems()[0].data, 101);
    EXPECT_EQ(test::Exec(dialog, [&] { QTest::keyClick(dialog.List1, Qt::Key_Return); }),
              QDialog::Accepted);
}

// OK closes the dialog only with a number of items within the limits.
TEST_F(SList1Test, OkKeepsTheDialogOpenUntilTheChoiceIsWithinTheLimits) {
    const struct {
        const char *max, *min;
        QStringList chosen;
        bool accepted;
    } cases[] = {
        {"3", "2", {}, false},
        {"3", "2", {"a"}, false},
        {"3", "2", {"a", "b"}, true},
        {"3", "2", {"a", "b", "c"}, true},
        {"3", "2", {"a", "b", "c", "d"}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.chosen.join(",").toStdString() + " of " + c.min + ".." + c.max);
        Fill({"a", "b", "c", "d"}, c.max, c.min);
        bool open = true;
        test::Exec(dialog, [&] {
            for (const QString& t : c.chosen) {
                Select(t);
            }
            dialog.Command1->click();
            open = dialog.isVisible();
            if (open) {
                dialog.Command2->click();
            }
        });
        EXPECT_EQ(!open, c.accepted);
    }
    EXPECT_EQ(dialogs.messages(),
              (std::vector<QString>{"No items selected", "Too few items selected; minimum is 2",
                                    "Too many items selected; limit is 3"}));
}

// On a screen too small for it the dialog keeps its margins.
TEST_F(SList1Test, AllNoneCancelAndTheCloseBoxAndASizeTooSmall) {
    Fill({"a", "b", "c"}, "3");
    EXPECT_EQ(QDialog::Rejected, test::Exec(dialog, [&] {
                  dialog.Command3->click();
                  EXPECT_EQ(Chosen(), (QStringList{"a", "b", "c"}));
                  dialog.List1->setCurrentRow(1, QItemSelectionModel::NoUpdate);
                  dialog.Command4->click();
                  EXPECT_TRUE(Chosen().isEmpty());
                  EXPECT_EQ(dialog.List1->currentRow(), -1);
                  Select("b");
                  dialog.List1->setCurrentRow(1, QItemSelectionModel::NoUpdate);
                  dialog.Command2->click();
              }));
    EXPECT_TRUE(Chosen().isEmpty());
    EXPECT_EQ(dialog.List1->currentRow(), -1);

    EXPECT_EQ(QDialog::Rejected, test::Exec(dialog, [&] {
                  Select("a");
                  dialog.List1->setCurrentRow(0, QItemSelectionModel::NoUpdate);
                  // Shrunk to nothing, no part takes a negative size.
                  dialog.resize(10, 10);
                  QCoreApplication::processEvents();
                  EXPECT_TRUE(dialog.List1->height() > 0 && dialog.List1->width() > 0);
                  EXPECT_GT(dialog.Frame3D1->height(), 0);
                  dialog.close();
              }));
    EXPECT_TRUE(Chosen().isEmpty());
    EXPECT_EQ(dialog.List1->currentRow(), -1);
    // The list itself stays.
    EXPECT_EQ(test::ListTexts(*dialog.List1), (QStringList{"a", "b", "c"}));
}

// Match Mark adds the items holding the typed text, in any case and untrimmed, to the choice;
// an empty answer changes nothing.
TEST_F(SList1Test, MatchMarkSelectsItemsContainingTheTextInAnyCase) {
    Fill({"Orc Lands", "the orchard", "Elf", "Zed", "an orc"}, "5");
    dialogs.type(QString());
    dialogs.type(QStringLiteral("ORC"));
    dialogs.type(QStringLiteral(" orc"));
    QStringList after;
    EXPECT_EQ(QDialog::Accepted, test::Exec(dialog, [&] {
                  Select("Zed");
                  dialog.Command5->click();
                  after = Chosen();
                  dialog.Command4->click();
                  Select("Zed");
                  dialog.Command5->click();
                  after << "|" << Chosen();
                  dialog.Command4->click();
                  dialog.Command5->click();
                  dialog.Command1->click();
              }));
    EXPECT_EQ(after, (QStringList{"Zed", "|", "an orc", "Orc Lands", "the orchard", "Zed"}));
    EXPECT_EQ(Chosen(), (QStringList{"an orc", "the orchard"}));
}

}  // namespace
}  // namespace tavri

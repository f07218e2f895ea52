// The CSV file picker, driven while it is shown modally: its lists and pattern, its result in
// the tag, Upload without a file, the close box, and where each showing starts.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include "app/Dialogs.h"
#include "support/TestSupport.h"
#include "tests/ui/Form2TestModal.h"
#include "ui/Form3.h"

namespace tavri {
namespace {

using test::WhenModal;
using test::WriteAll;

QStringList Texts(const QListWidget& list) {
    QStringList texts;
    for (int i = 0; i < list.count(); ++i) {
        texts << list.item(i)->text();
    }
    return texts;
}

// The folders Dir1 shows, as paths, from the top.
QStringList Folders(const QTreeWidget& tree) {
    QStringList paths;
    std::function<void(QTreeWidgetItem*)> walk = [&](QTreeWidgetItem* item) {
        paths << item->data(0, Qt::UserRole).toString();
        for (int i = 0; i < item->childCount(); ++i) {
            walk(item->child(i));
        }
    };
    for (int i = 0; i < tree.topLevelItemCount(); ++i) {
        walk(tree.topLevelItem(i));
    }
    return paths;
}

QTreeWidgetItem* FolderItem(const QTreeWidget& tree, const QString& path) {
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(&tree)); *it; ++it) {
        if ((*it)->data(0, Qt::UserRole).toString() == path) {
            return *it;
        }
    }
    return nullptr;
}

void SelectFile(Form3& picker, const QString& name) {
    const auto found = picker.File1->findItems(name, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << name.toStdString();
    picker.File1->setCurrentItem(found.front());
}

// A home folder of its own, with CSV files in several letter cases and a subfolder.
class Form3Test : public ::testing::Test {
protected:
    void SetUp() override {
        oldHome_ = qgetenv("HOME");
        home_ = QDir::cleanPath(homeDir_.path());
        qputenv("HOME", home_.toUtf8());
        for (const char* name : {"b.csv", "A.CSV", "c.Csv", "notes.txt", "csv", ".hidden.csv"}) {
            WriteAll(home_ + "/" + name, "1,a,b,c,d,e\n");
        }
        ASSERT_TRUE(QDir(home_).mkpath("Uploads/old"));
        ASSERT_TRUE(QDir(home_).mkpath("archive.csv"));  // a folder, not a file
        WriteAll(home_ + "/Uploads/world.csv", "1,a,b,c,d,e\n");
    }
    void TearDown() override { qputenv("HOME", oldHome_); }

    // Shows the picker as the upload command does and runs step while it is up.
    QString Show(const std::function<void(Form3&)>& step) {
        picker.PrepareToShow();
        bool ran = false;
        WhenModal([&](QWidget* modal) {
            ran = true;
            EXPECT_EQ(modal, &picker);
            step(picker);
            if (picker.isVisible()) {
                ADD_FAILURE() << "the picker is still open after the step";
                picker.Command2_Click();
            }
        });
        picker.exec();
        EXPECT_TRUE(ran);
        EXPECT_FALSE(picker.isVisible());
        return picker.Tag;
    }

    QTemporaryDir homeDir_;
    QString home_;
    QByteArray oldHome_;
    test::TempCompendium c_;
    ScriptedDialogs dialogs_;
    Form3 picker{c_.state(), dialogs_};
};

}  // namespace

TEST_F(Form3Test, ListsTheCsvFilesOfItsFolderWhateverTheirLetterCase) {
    EXPECT_EQ(picker.windowTitle(), c_.state().AppTitle);
    EXPECT_EQ(picker.Frame1->title(), "Upload CSV file");
    EXPECT_EQ(picker.Command1->text(), "Upload");
    EXPECT_EQ(picker.Command2->text(), "Close");
    Show([&](Form3& p) {
        EXPECT_EQ(p.DirPath(), home_) << "the first showing starts in the home folder";
        EXPECT_EQ(p.FilePath(), home_);
        EXPECT_EQ(p.Drive1->currentText(), p.Drive());
        EXPECT_TRUE(home_.startsWith(p.Drive())) << "the drive holds the folder";
        EXPECT_EQ(Texts(*p.File1), (QStringList{"A.CSV", "b.csv", "c.Csv"}))
            << "no folder, no other extension, no hidden file";
        // Dir1: the way down to the folder, then its subfolders.
        const QStringList folders = Folders(*p.Dir1);
        ASSERT_GE(folders.size(), 3);
        EXPECT_EQ(folders.front(), "/");
        EXPECT_EQ(folders.mid(folders.size() - 3),
                  (QStringList{home_, home_ + "/archive.csv", home_ + "/Uploads"}));
        EXPECT_EQ(p.Dir1->currentItem()->data(0, Qt::UserRole).toString(), home_);
        p.Command2_Click();
    });
}

TEST_F(Form3Test, ChoosingAFolderOrADrivePassesTheChangeDown) {
    Show([&](Form3& p) {
        emit p.Dir1->itemActivated(FolderItem(*p.Dir1, home_ + "/Uploads"), 0);
        EXPECT_EQ(p.DirPath(), home_ + "/Uploads");
        EXPECT_EQ(p.FilePath(), home_ + "/Uploads");
        EXPECT_EQ(Texts(*p.File1), QStringList{"world.csv"});
        EXPECT_EQ(Folders(*p.Dir1).back(), home_ + "/Uploads/old");

        // Up again through the chain shown above the folder.
        emit p.Dir1->itemActivated(FolderItem(*p.Dir1, home_), 0);
        EXPECT_EQ(p.DirPath(), home_);

        p.SetDrive(QDir::rootPath());
        EXPECT_EQ(p.DirPath(), "/");
        EXPECT_EQ(p.FilePath(), "/");
        p.Command2_Click();
    });
}

TEST_F(Form3Test, UploadGivesTheChosenFileAndCloseGivesNothing) {
    EXPECT_EQ(Show([&](Form3& p) {
                  SelectFile(p, "b.csv");
                  QTest::mouseClick(p.Command1, Qt::LeftButton);
              }),
              home_ + "/b.csv");

    EXPECT_EQ(Show([&](Form3& p) {
                  SelectFile(p, "b.csv");
                  QTest::mouseClick(p.Command2, Qt::LeftButton);
              }),
              "");

    // A double click on a file acts as Upload.
    EXPECT_EQ(Show([&](Form3& p) {
                  SelectFile(p, "c.Csv");
                  QListWidgetItem* item = p.File1->findItems("c.Csv", Qt::MatchExactly).front();
                  const QPoint centre = p.File1->visualItemRect(item).center();
                  // A real double click: press and release, then the double-click event.
                  QTest::mouseClick(p.File1->viewport(), Qt::LeftButton, {}, centre);
                  QTest::mouseDClick(p.File1->viewport(), Qt::LeftButton, {}, centre);
              }),
              home_ + "/c.Csv");
    EXPECT_TRUE(dialogs_.shown().empty());
}

TEST_F(Form3Test, UploadWithNoFileSelectedSaysSoAndKeepsThePickerOpen) {
    Show([&](Form3& p) {
        QTest::mouseClick(p.Command1, Qt::LeftButton);
        EXPECT_TRUE(p.isVisible());
        EXPECT_EQ(dialogs_.messages(), std::vector<QString>{"Select a CSV file first."});
        EXPECT_EQ(p.Tag, "");
        SelectFile(p, "A.CSV");
        p.Command1_Click();
    });
    EXPECT_EQ(picker.Tag, home_ + "/A.CSV");
}

TEST_F(Form3Test, TheCloseBoxAndEscapeCountAsClose) {
    picker.Tag = "left over from before";
    EXPECT_EQ(Show([&](Form3& p) {
                  SelectFile(p, "b.csv");
                  p.close();
              }),
              "");
    EXPECT_EQ(Show([&](Form3& p) {
                  SelectFile(p, "b.csv");
                  QTest::keyClick(&p, Qt::Key_Escape);
              }),
              "");
}

TEST_F(Form3Test, EachShowingStartsInTheFolderOfTheLastUpload) {
    Show([&](Form3& p) {
        emit p.Dir1->itemActivated(FolderItem(*p.Dir1, home_ + "/Uploads"), 0);
        SelectFile(p, "world.csv");
        p.Command1_Click();
    });
    // Wandering off and closing does not move the start.
    Show([&](Form3& p) {
        EXPECT_EQ(p.DirPath(), home_ + "/Uploads");
        EXPECT_EQ(p.Tag, "") << "each showing starts with an empty result";
        p.SetDirPath(home_ + "/Uploads/old");
        p.Command2_Click();
    });
    Show([&](Form3& p) {
        EXPECT_EQ(p.DirPath(), home_ + "/Uploads");
        p.Command2_Click();
    });
    // A folder that has gone sends the picker back home.
    ASSERT_TRUE(QDir(home_ + "/Uploads").removeRecursively());
    Show([&](Form3& p) {
        EXPECT_EQ(p.DirPath(), home_);
        p.Command2_Click();
    });
}

}  // namespace tavri

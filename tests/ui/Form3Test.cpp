// The CSV file picker, driven while it is shown modally: its lists and pattern, its result in
// the tag, Upload without a file, the close box, and where each showing starts.
#include <gtest/gtest.h>

#include "tests/ui/WindowTest.h"

namespace tavri {
namespace {

using test::WriteAll;

// The folders Dir1 shows, as paths, from the top.
QStringList Folders(const QTreeWidget& tree) {
    QStringList paths;
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(&tree)); *it; ++it) {
        paths << (*it)->data(0, Qt::UserRole).toString();
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
        EXPECT_FALSE(test::InModal([&] { picker.exec(); }, [&](QWidget*) { step(picker); }))
            << "the picker is still open after the step";
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

TEST_F(Form3Test, ListsTheCsvFilesOfItsFolderWhateverTheirLetterCaseAndFollowsTheFolderChosen) {
    Show([&](Form3& p) {
        EXPECT_EQ(p.DirPath(), home_) << "the first showing starts in the home folder";
        EXPECT_EQ(p.Drive1->currentText(), p.Drive());
        EXPECT_EQ(test::ListTexts(*p.File1), (QStringList{"A.CSV", "b.csv", "c.Csv"}))
            << "no folder, no other extension, no hidden file";
        // Dir1: the way down to the folder, then its subfolders.
        const QStringList folders = Folders(*p.Dir1);
        EXPECT_EQ(folders.front(), "/");
        EXPECT_EQ(folders.mid(folders.size() - 3),
                  (QStringList{home_, home_ + "/archive.csv", home_ + "/Uploads"}));
        EXPECT_EQ(p.Dir1->currentItem()->data(0, Qt::UserRole).toString(), home_);
        // Choosing a folder or a drive passes the change down.
        emit p.Dir1->itemActivated(FolderItem(*p.Dir1, home_ + "/Uploads"), 0);
        EXPECT_EQ(p.DirPath(), home_ + "/Uploads");
        EXPECT_EQ(p.FilePath(), home_ + "/Uploads");
        EXPECT_EQ(test::ListTexts(*p.File1), QStringList{"world.csv"});
        EXPECT_EQ(Folders(*p.Dir1).back(), home_ + "/Uploads/old");

        p.SetDrive(QDir::rootPath());
        EXPECT_EQ(p.FilePath(), "/");
        p.Command2_Click();
    });
}

// What each way of closing the picker hands back: the file chosen, or "" when closed without
// one. Upload with no file chosen keeps the picker open.
TEST_F(Form3Test, TheFileEachWayOfClosingHandsBack) {
    // Goes to path typed, chooses file there when given, and uploads.
    const auto go = [](Form3& p, const QString& path, const QString& file = {}) {
        p.Text1->setText(path);
        QTest::keyClick(p.Text1, Qt::Key_Return);
        if (!file.isEmpty()) {
            SelectFile(p, file);
        }
        p.Command1_Click();
    };
    const auto click = [](QWidget* w, const QPoint& at = {}) {
        QTest::mouseClick(w, Qt::LeftButton, {}, at);
    };
    const auto b = [](Form3& p) { SelectFile(p, "b.csv"); };
    // clang-format off
    const struct {
        const char* name;
        std::function<void(Form3&)> step;
        QString result;  // with ~ for the home folder
    } cases[] = {
        {"Upload", [&](Form3& p) { b(p), click(p.Command1); }, "~/b.csv"},
        {"Close", [&](Form3& p) { b(p), click(p.Command2); }, ""},
        {"a double click on a file", [&](Form3& p) {
             QListWidgetItem* item = p.File1->findItems("c.Csv", Qt::MatchExactly).front();
             const QPoint at = p.File1->visualItemRect(item).center();
             click(p.File1->viewport(), at);
             QTest::mouseDClick(p.File1->viewport(), Qt::LeftButton, {}, at);
         }, "~/c.Csv"},
        {"Upload with no file, then with one", [&](Form3& p) {
             p.Command1_Click();
             EXPECT_TRUE(p.isVisible() && p.Tag.isEmpty());
             go(p, home_, "A.CSV");
         }, "~/A.CSV"},
        {"a folder typed", [&](Form3& p) { go(p, home_ + "/Uploads", "world.csv"); },
         "~/Uploads/world.csv"},
        {"a file pasted", [&](Form3& p) { go(p, home_ + "/Uploads/world.csv"); },
         "~/Uploads/world.csv"},
        {"a folder clicked once", [&](Form3& p) {
             QTreeWidgetItem* item = FolderItem(*p.Dir1, home_ + "/Uploads");
             click(p.Dir1->viewport(), p.Dir1->visualItemRect(item).center());
             SelectFile(p, "world.csv");
             p.Command1_Click();
         }, "~/Uploads/world.csv"},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        picker.Tag = "left over from before";
        const QString result = Show([&](Form3& p) {
            p.SetDirPath(home_);
            c.step(p);
        });
        EXPECT_EQ(result, QString(c.result).replace("~", home_));
    }
    EXPECT_EQ(dialogs_.messages().size(), 1u) << "Upload with no file says so";
}

TEST_F(Form3Test, EachShowingStartsInTheFolderOfTheLastUpload) {
    Show([&](Form3& p) {
        emit p.Dir1->itemActivated(FolderItem(*p.Dir1, home_ + "/Uploads"), 0);
        SelectFile(p, "world.csv");
        p.Command1_Click();
    });
    // Wandering off and closing does not move the start.
    Show([&](Form3& p) {
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

// The Upload CSV menu item of the main window, from the picker to the refreshed list: the boxes
// (one per cut and a closing one) come with the hourglass down, and the list is refreshed once,
// unless the file could not be read.
TEST(Form1Upload, TheUploadCommandFromThePickerToTheRefreshedList) {
    const struct {
        const char* name;
        QByteArray csv;
        bool gone;
        size_t boxes;
        int refreshes;
        std::vector<QString> listed;
    } cases[] = {
        // clang-format off
        {"a file gone", "1,Zara,Elf,1,d,n\r\n", true, 1, 0, {"Existing"}},
        {"a name cut", "ID,Name,Race,Date,Desc,Notes\r\n2,Bartholomew Ironsides the Third,Dwarf,"
         "2,e,\r\n", false, 2, 1, {"Bartholomew Ironsides the", "Existing"}},
        // clang-format on
    };
    test::Window x;
    x.c.add({"Existing", "Elf", "1", "d", QString(), false});
    x.refresh();
    x.show();
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        x.dialogs.clear();
        x.upload(k.csv, k.gone);
        EXPECT_EQ(x.dialogs.messages().size(), k.boxes);
        EXPECT_EQ(x.dialogs.beeps(), k.refreshes);
        EXPECT_EQ(x.names(), k.listed);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the hourglass is gone";
        EXPECT_EQ(QFile::exists(x.c.dir() + "TavriUploadLog.txt"), !k.gone) << "no log of no run";
    }
    // The same picker, back in the folder of the last upload; Close ends the command quietly.
    x.dialogs.clear();
    test::InModal([&] { x.w.mnuupload->trigger(); },
                  [&](QWidget* shown) {
                      auto& p = *qobject_cast<Form3*>(shown);
                      EXPECT_EQ(p.DirPath() + "/", x.c.dir());
                      p.Command2_Click();
                  });
    EXPECT_TRUE(x.dialogs.shown().empty());
}

}  // namespace tavri

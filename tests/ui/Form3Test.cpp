// The CSV file picker, driven while it is shown modally: its lists and pattern, its result in
// the tag, Upload without a file, the close box, and where each showing starts.
#include <gtest/gtest.h>

#include "tests/ui/WindowTest.h"

namespace tavri {
namespace {

using test::WhenModal;
using test::WriteAll;

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
    Show([&](Form3& p) {
        EXPECT_EQ(p.DirPath(), home_) << "the first showing starts in the home folder";
        EXPECT_EQ(p.FilePath(), home_);
        EXPECT_EQ(p.Drive1->currentText(), p.Drive());
        EXPECT_TRUE(home_.startsWith(p.Drive())) << "the drive holds the folder";
        EXPECT_EQ(test::ListTexts(*p.File1), (QStringList{"A.CSV", "b.csv", "c.Csv"}))
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
        EXPECT_EQ(test::ListTexts(*p.File1), QStringList{"world.csv"});
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

// What each way of closing the picker hands back: the file chosen, or "" when closed without
// one. Upload with no file chosen keeps the picker open.
TEST_F(Form3Test, TheFileEachWayOfClosingHandsBack) {
    const auto go = [](Form3& p, const QString& path) {
        p.Text1->setText(path);
        QTest::keyClick(p.Text1, Qt::Key_Return);
    };
    const auto click = [](QWidget* w, const QPoint& at = {}, bool twice = false) {
        QTest::mouseClick(w, Qt::LeftButton, {}, at);
        if (twice) {
            QTest::mouseDClick(w, Qt::LeftButton, {}, at);
        }
    };
    const struct {
        const char* name;
        std::function<void(Form3&)> step;
        QString result;  // with ~ for the home folder
    } cases[] = {
        {"Upload", [&](Form3& p) { SelectFile(p, "b.csv"), click(p.Command1); }, "~/b.csv"},
        {"Close", [&](Form3& p) { SelectFile(p, "b.csv"), click(p.Command2); }, ""},
        {"the close box", [&](Form3& p) { SelectFile(p, "b.csv"), p.close(); }, ""},
        {"Escape", [&](Form3& p) { SelectFile(p, "b.csv"), QTest::keyClick(&p, Qt::Key_Escape); },
         ""},
        {"a double click on a file",
         [&](Form3& p) {
             QListWidgetItem* item = p.File1->findItems("c.Csv", Qt::MatchExactly).front();
             click(p.File1->viewport(), p.File1->visualItemRect(item).center(), true);
         },
         "~/c.Csv"},
        {"Upload with no file, then with one",
         [&](Form3& p) {
             p.Command1_Click();
             EXPECT_TRUE(p.isVisible());
             EXPECT_EQ(p.Tag, "");
             SelectFile(p, "A.CSV");
             p.Command1_Click();
         },
         "~/A.CSV"},
        {"a folder typed",
         [&](Form3& p) {
             go(p, home_ + "/Uploads");
             SelectFile(p, "world.csv");
             p.Command1_Click();
         },
         "~/Uploads/world.csv"},
        {"a file pasted",
         [&](Form3& p) {
             go(p, home_ + "/Uploads/world.csv");
             EXPECT_EQ(test::ListTexts(*p.File1), QStringList{"world.csv"});
             p.Command1_Click();
         },
         "~/Uploads/world.csv"},
        {"a folder clicked once",
         [&](Form3& p) {
             QTreeWidgetItem* item = FolderItem(*p.Dir1, home_ + "/Uploads");
             click(p.Dir1->viewport(), p.Dir1->visualItemRect(item).center());
             SelectFile(p, "world.csv");
             p.Command1_Click();
         },
         "~/Uploads/world.csv"},
    };
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

// The Upload CSV menu item of the main window, from the picker to the refreshed list.
class Form1UploadTest : public Form3Test {
protected:
    void SetUp() override {
        Form3Test::SetUp();
        c_.add({"Existing", "Elf", "1", "d", QString(), false});
        w_ = std::make_unique<Form1>(c_.state(), dialogs_);
        w_->setEndProgram([] {});
        w_->RefreshList();
        w_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w_.get()));
        dialogs_.clear();
    }

    // Chooses Upload CSV and, in the picker, runs step.
    void Upload(const std::function<void(Form3&)>& step) {
        test::InModal([&] { w_->mnuupload->trigger(); },
                      [&](QWidget* modal) { step(*qobject_cast<Form3*>(modal)); });
    }
    std::vector<QString> Listed() const {
        std::vector<QString> names;
        for (int r = 1; r < w_->Grid1->rows(); ++r) {
            names.push_back(w_->Grid1->textMatrix(r, 1));
        }
        return names;
    }

    std::unique_ptr<Form1> w_;
};

// Each upload: the picker's file into the compendium, the boxes (one per cut and a closing one)
// with the hourglass down, and one refresh of the list, unless the file could not be read.
TEST_F(Form1UploadTest, TheUploadCommandFromThePickerToTheRefreshedList) {
    const auto upload = [&](const QString& file, bool remove = false) {
        dialogs_.clear();
        Upload([&](Form3& p) {
            p.SetDirPath(QFileInfo(file).absolutePath());
            SelectFile(p, QFileInfo(file).fileName());
            if (remove) {
                QFile::remove(file);
            }
            p.Command1_Click();
        });
        EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the hourglass is gone";
    };
    upload(home_ + "/b.csv", true);
    EXPECT_EQ(dialogs_.shown().size(), 1u) << "a message, and no refresh";
    EXPECT_FALSE(QFile::exists(home_ + "/TavriUploadLog.txt"));
    EXPECT_EQ(Listed(), std::vector<QString>{"Existing"});

    WriteAll(home_ + "/c.Csv", "1,Zara,Elf,1,d,n\r\n2,Yann,Orc\r\n");
    upload(home_ + "/c.Csv");
    EXPECT_EQ(dialogs_.beeps(), 1) << "one refresh";
    EXPECT_EQ(Listed(), (std::vector<QString>{"Existing", "Zara"})) << "only the whole record";

    WriteAll(home_ + "/Uploads/world.csv",
             "ID,Name,Race,Date,Desc,Notes\r\n2,Bartholomew Ironsides the Third,Dwarf,2,e,\r\n");
    upload(home_ + "/Uploads/world.csv");
    EXPECT_EQ(dialogs_.messages().size(), 2u) << "the cut and the closing box";
    EXPECT_EQ(Listed(), (std::vector<QString>{"Bartholomew Ironsides the", "Existing", "Zara"}));

    // The same picker, back in the folder of the last upload; Close ends the command quietly.
    dialogs_.clear();
    Upload([&](Form3& p) {
        EXPECT_EQ(p.DirPath(), home_ + "/Uploads");
        SelectFile(p, "world.csv");
        p.Command2_Click();
    });
    EXPECT_TRUE(dialogs_.shown().empty());
}

}  // namespace tavri

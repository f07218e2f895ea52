// The CSV file picker: a drive list, a folder list and a file list of "*.csv" files, with
// Upload and Close. The main window's upload command shows it modally and reads the result
// from its tag when it hides.
//
// The lists pass changes down as a drive, folder and file list do: choosing a drive sets the
// folder list to that drive's root, choosing a folder (double click or Enter in Dir1) sets the
// file list to that folder; a single click on a folder lists its files. The path field (Text1)
// shows the folder, and takes a folder or a file typed or pasted into it. The file pattern is
// matched without regard to letter case. The window can be resized; the lists take the room.
//
// Result (Tag): after Upload, AddBackslash(folder) + the selected file's name; after Close,
// Escape or the window's close box, the empty text. Upload with no file selected says so and
// keeps the picker open.
//
// The picker is made once and hidden between uses. Each showing starts in the folder of the
// last upload when that folder still exists, otherwise in the user's home folder.
#pragma once

#include <QDialog>
#include <QString>
#include <memory>

#include "app/AppState.h"
#include "app/Dialogs.h"

class QComboBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace tavri {

class AnchoredLayout;

class Form3 : public QDialog {
    Q_OBJECT
public:
    Form3(AppState& state, Dialogs& dialogs, QWidget* parent = nullptr);
    ~Form3() override;

    // Empties the result and sets the drive and folder to the start folder, before a showing.
    void PrepareToShow();

    // The window's result, read by the upload command after the picker hides.
    QString Tag;

    // What the three lists stand on: Drive1's drive (a volume's root), Dir1's path, File1's
    // path and its selected file name ("" when none is selected).
    QString Drive() const;
    QString DirPath() const { return dirPath_; }
    QString FilePath() const { return filePath_; }
    QString FileName() const;
    static QString Pattern() { return QStringLiteral("*.csv"); }

    // Sets the lists as a program would, each change passed down as a user's would be.
    void SetDrive(const QString& root);
    void SetDirPath(const QString& path);

    QGroupBox* Frame1;
    QComboBox* Drive1;
    QTreeWidget* Dir1;
    QListWidget* File1;
    QLineEdit* Text1;  // the path field
    QPushButton* Command1;
    QPushButton* Command2;

public slots:
    void Drive1_Change();
    void Dir1_Change();
    void Text1_Enter();
    void File1_DblClick();
    void Command1_Click();
    void Command2_Click();
    void reject() override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Form_Load();
    void FillDrives();
    void FillFolders();
    void FillFiles();
    void Dir1_Activated(QTreeWidgetItem* item);
    void Dir1_Click(QTreeWidgetItem* item);
    QString StartFolder() const;

    AppState& state_;
    Dialogs& dialogs_;
    std::unique_ptr<AnchoredLayout> layout_;
    QString dirPath_;
    QString filePath_;
    QString lastUploadFolder_;  // empty until the first upload
};

}  // namespace tavri

// The CSV file picker.
//
// Dir1 shows the way from the drive's root down to the current folder, one level per item, and
// the current folder's subfolders below it; an item's folder is kept in its data. The lists are
// read from the file system when a path changes, not watched.
#include "ui/Form3.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStorageInfo>
#include <QTreeWidget>
#include <algorithm>

#include "base/Sutils.h"
#include "ui/AnchoredLayout.h"
#include "ui/Twips.h"

namespace tavri {
namespace {

constexpr int kPathRole = Qt::UserRole;

// The window's design size in twips, also its minimum.
constexpr int kDesignWidth = 5040;
constexpr int kDesignHeight = 4920;

QString CleanFolder(const QString& path) {
    return QDir::cleanPath(QDir(path).absolutePath());
}

// The root of the volume that holds path.
QString VolumeRoot(const QString& path) {
    const QStorageInfo volume(path);
    return volume.isValid() ? volume.rootPath() : QDir::rootPath();
}

}  // namespace

Form3::Form3(AppState& state, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), state_(state), dialogs_(dialogs) {
    setObjectName(QStringLiteral("Form3"));
    setModal(true);
    layout_ = std::make_unique<AnchoredLayout>(kDesignWidth, kDesignHeight);
    setMinimumSize(layout_->designSize());
    resize(layout_->designSize());

    Frame1 = new QGroupBox(QStringLiteral("Upload CSV file"), this);
    layout_->place(Frame1, 120, 120, 4800, 4020, GrowWidth | GrowHeight);

    Drive1 = new QComboBox(Frame1);
    layout_->place(Drive1, 120, 300, 4560, 315, GrowWidth);

    Dir1 = new QTreeWidget(Frame1);
    Dir1->setHeaderHidden(true);
    Dir1->setColumnCount(1);
    Dir1->setRootIsDecorated(false);
    Dir1->setIndentation(TwipsToPixels(150));
    layout_->place(Dir1, 120, 720, 2220, 2760, GrowHeight);

    File1 = new QListWidget(Frame1);
    File1->setSelectionMode(QAbstractItemView::SingleSelection);
    layout_->place(File1, 2460, 720, 2220, 2760, GrowWidth | GrowHeight);

    Text1 = new QLineEdit(Frame1);
    Text1->setToolTip(QStringLiteral("Type or paste a folder or a CSV file and press Enter"));
    layout_->place(Text1, 120, 3600, 4560, 315, GrowWidth | FollowBottom);

    Command1 = new QPushButton(QStringLiteral("Upload"), this);
    Command1->setAutoDefault(false);
    layout_->place(Command1, 1080, 4290, 1335, 435, FollowBottom);
    Command2 = new QPushButton(QStringLiteral("Close"), this);
    Command2->setAutoDefault(false);
    layout_->place(Command2, 2625, 4290, 1335, 435, FollowBottom);

    connect(Dir1, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { Dir1_Click(item); });
    connect(Text1, &QLineEdit::returnPressed, this, &Form3::Text1_Enter);
    connect(Drive1, &QComboBox::currentIndexChanged, this, &Form3::Drive1_Change);
    connect(Dir1, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { Dir1_Activated(item); });
    connect(File1, &QListWidget::itemDoubleClicked, this, &Form3::File1_DblClick);
    connect(Command1, &QPushButton::clicked, this, &Form3::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form3::Command2_Click);

    Form_Load();
}

Form3::~Form3() = default;

void Form3::Form_Load() {
    setWindowTitle(state_.AppTitle);
    FillDrives();
}

void Form3::PrepareToShow() {
    Tag.clear();
    FillDrives();
    const QString start = StartFolder();
    SetDrive(VolumeRoot(start));
    SetDirPath(start);
}

QString Form3::StartFolder() const {
    if (!lastUploadFolder_.isEmpty() && QFileInfo(lastUploadFolder_).isDir()) {
        return lastUploadFolder_;
    }
    const QString home = QDir::homePath();
    return QFileInfo(home).isDir() ? CleanFolder(home) : QDir::rootPath();
}

// The mounted volumes' roots, the file system's root first; the current choice is kept when it
// is still there.
void Form3::FillDrives() {
    QStringList roots;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady()) {
            roots << volume.rootPath();
        }
    }
    roots << QDir::rootPath();
    roots.removeDuplicates();
    std::sort(roots.begin(), roots.end());
    const QString current = Drive();
    const QSignalBlocker quiet(Drive1);
    Drive1->clear();
    for (const QString& root : roots) {
        Drive1->addItem(root, root);
    }
    Drive1->setCurrentIndex(std::max(0, static_cast<int>(roots.indexOf(current))));
}

QString Form3::Drive() const {
    return Drive1->currentData().toString();
}

void Form3::SetDrive(const QString& root) {
    int index = Drive1->findData(root);
    if (index < 0) {
        const QSignalBlocker quiet(Drive1);
        Drive1->addItem(root, root);
        index = Drive1->count() - 1;
    }
    if (index == Drive1->currentIndex()) {
        Drive1_Change();  // a drive set again passes itself on again
    } else {
        Drive1->setCurrentIndex(index);  // Drive1_Change follows
    }
}

void Form3::Drive1_Change() {
    SetDirPath(Drive());
}

void Form3::SetDirPath(const QString& path) {
    dirPath_ = CleanFolder(path);
    FillFolders();
    Dir1_Change();
}

void Form3::FillFolders() {
    Dir1->clear();
    // The way down from the root: "/", "home", "user", ...
    QStringList chain;
    for (QDir d(dirPath_);;) {
        chain.prepend(d.absolutePath());
        if (d.isRoot() || !d.cdUp()) {
            break;
        }
    }
    QTreeWidgetItem* parent = nullptr;
    for (const QString& folder : chain) {
        const QString name = QDir(folder).isRoot() ? folder : QFileInfo(folder).fileName();
        auto* item =
            parent ? new QTreeWidgetItem(parent, {name}) : new QTreeWidgetItem(Dir1, {name});
        item->setData(0, kPathRole, folder);
        item->setExpanded(true);
        parent = item;
    }
    const QStringList subfolders = QDir(dirPath_).entryList(
        QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase | QDir::LocaleAware);
    for (const QString& sub : subfolders) {
        auto* item = new QTreeWidgetItem(parent, {sub});
        item->setData(0, kPathRole, QDir(dirPath_).filePath(sub));
    }
    Dir1->setCurrentItem(parent);
}

void Form3::Dir1_Activated(QTreeWidgetItem* item) {
    if (item) {
        SetDirPath(item->data(0, kPathRole).toString());
    }
}

// A single click lists the folder's files; the tree moves into it on a double click.
void Form3::Dir1_Click(QTreeWidgetItem* item) {
    if (item) {
        dirPath_ = CleanFolder(item->data(0, kPathRole).toString());
        Dir1_Change();
    }
}

void Form3::Dir1_Change() {
    filePath_ = dirPath_;
    Text1->setText(dirPath_);
    FillFiles();
}

// A folder typed or pasted into the path field is gone to; a file is gone to in its folder and
// selected there.
void Form3::Text1_Enter() {
    const QFileInfo typed(Text1->text().trimmed());
    if (!typed.exists() || Text1->text().trimmed().isEmpty()) {
        dialogs_.inform(QStringLiteral("There is no folder or file %1.").arg(Text1->text()));
        return;
    }
    const QString folder = typed.isDir() ? typed.absoluteFilePath() : typed.absolutePath();
    SetDrive(VolumeRoot(folder));
    SetDirPath(folder);
    if (!typed.isDir()) {
        const QList<QListWidgetItem*> found = File1->findItems(typed.fileName(), Qt::MatchExactly);
        if (!found.isEmpty()) {
            File1->setCurrentItem(found.front());
        }
    }
}

void Form3::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    layout_->apply(size());
}

void Form3::FillFiles() {
    File1->clear();
    // Without QDir::CaseSensitive the name filter ignores letter case: "B.CSV" is listed too.
    const QStringList files = QDir(filePath_).entryList(
        {Pattern()}, QDir::Files, QDir::Name | QDir::IgnoreCase | QDir::LocaleAware);
    File1->addItems(files);
}

QString Form3::FileName() const {
    const QList<QListWidgetItem*> selected = File1->selectedItems();
    return selected.isEmpty() ? QString() : selected.front()->text();
}

void Form3::File1_DblClick() {
    Command1_Click();
}

void Form3::Command1_Click() {
    const QString name = FileName();
    if (name.isEmpty()) {
        dialogs_.inform(QStringLiteral("Select a CSV file first."));
        return;
    }
    Tag = AddBackslash(FilePath()) + name;
    lastUploadFolder_ = DirPath();
    accept();
}

void Form3::Command2_Click() {
    reject();
}

// Close, Escape and the window's close box all end here.
void Form3::reject() {
    Tag.clear();
    QDialog::reject();
}

}  // namespace tavri

// The select-from-list dialog: a sorted multi-select list from which the user picks between a
// minimum and a maximum number of items.
//
// A caller clears the list, adds items (text and a number kept with it), sets the heading in
// Label1 and the limits as the captions of the hidden labels Label2 (maximum) and Label3
// (minimum), and runs exec(). exec() returns Accepted when OK found an allowed number of items
// selected; anything else is a cancel, after which nothing is selected and the current index is
// -1. The dialog is made once and hidden between uses; its close box counts as Cancel and keeps
// it as it is.
#pragma once

#include <QDialog>
#include <QtGlobal>
#include <vector>

#include "app/Dialogs.h"

class QFrame;
class QLabel;
class QListWidget;
class QPushButton;

namespace tavri {

class SLIST1 : public QDialog {
    Q_OBJECT
public:
    explicit SLIST1(Dialogs& dialogs, QWidget* parent = nullptr);

    // Empties the list.
    void Clear();
    // Adds an item; the list presents its items sorted in the compendium's order.
    void AddItem(const QString& text, qint64 data = 0);

    struct Item {
        QString text;
        qint64 data = 0;
    };
    // The selected items, from the top.
    std::vector<Item> SelectedItems() const;

    // Runs the dialog modally, the list sorted first.
    int exec() override;

    QFrame* Frame3D1;
    QLabel* Label1;
    QListWidget* List1;
    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Command5;
    QPushButton* Command3;
    QPushButton* Command4;
    QLabel* Label2;
    QLabel* Label3;

public slots:
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void reject() override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void Form_Resize();
    void CentreOnScreen();
    void SortIfNeeded();

    Dialogs& dialogs_;
    bool unsorted_ = false;
};

}  // namespace tavri

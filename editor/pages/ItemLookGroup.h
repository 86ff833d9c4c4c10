#pragma once

#include "document/MenuTree.h"

#include <QGroupBox>

class DialogService;
class EditorDocument;
class QComboBox;
class QLineEdit;
class QToolButton;

// The Item page's group for the shown item's icon (one of the program's own set, or a picture
// of the author's) and badge. Every change is one undoable step; the group follows the
// document (an undo, another item).
class ItemLookGroup : public QGroupBox
{
    Q_OBJECT

public:
    ItemLookGroup(EditorDocument &document, DialogService &dialogs, QWidget *parent = nullptr);

    // Shows the icon and badge of this item (0: none shown).
    void showItem(MenuTree::Id item);

private:
    void onIconChosen();
    void onBadgeEdited();
    void pickPicture();
    void edit(const QString &icon, const QString &badge, int series);
    void showLook();

    EditorDocument &document_;
    DialogService &dialogs_;
    QComboBox *icon_;
    QToolButton *picture_;
    QLineEdit *badge_;
    MenuTree::Id item_ = 0;
    int badgeSeries_ = 0;
};

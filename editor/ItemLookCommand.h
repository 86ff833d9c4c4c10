#pragma once

#include "document/ItemData.h"
#include "document/MenuTree.h"

#include <QUndoCommand>

class EditorDocument;

// One change of an item's icon and badge, before and after. Steps of one series on the same
// item (typing a badge on) merge into one.
class ItemLookCommand : public QUndoCommand
{
public:
    ItemLookCommand(EditorDocument &document, MenuTree::Id item, ItemLook before, ItemLook after,
                    const QString &label, int series);

    void redo() override;
    void undo() override;
    int id() const override { return 3; }
    bool mergeWith(const QUndoCommand *other) override;

private:
    EditorDocument &document_;
    MenuTree::Id item_;
    ItemLook before_, after_;
    int series_;
    bool done_ = false; // the first redo is the edit itself, shown where it was made
};

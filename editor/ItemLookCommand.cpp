#include "ItemLookCommand.h"

#include "editor/EditorDocument.h"

#include <utility>

ItemLookCommand::ItemLookCommand(EditorDocument &document, MenuTree::Id item, ItemLook before,
                                 ItemLook after, const QString &label, int series)
    : QUndoCommand(label), document_(document), item_(item), before_(std::move(before)),
      after_(std::move(after)), series_(series)
{}

void ItemLookCommand::redo()
{
    document_.setItemLook(item_, after_, done_);
    done_ = true;
}

void ItemLookCommand::undo()
{
    document_.setItemLook(item_, before_, true);
}

bool ItemLookCommand::mergeWith(const QUndoCommand *other)
{
    const auto *next = static_cast<const ItemLookCommand *>(other);
    if (series_ < 0 || next->series_ != series_ || next->item_ != item_)
        return false;
    after_ = next->after_;
    setObsolete(before_ == after_);
    return true;
}

#include "FieldEditCommand.h"

#include <algorithm>

FieldEditCommand::FieldEditCommand(EditorDocument &document, Record record, MenuTree::Id item,
                                   EditorDocument::FieldChanges changes, const QString &label,
                                   int series)
    : QUndoCommand(label), document_(document), record_(record), item_(item),
      changes_(std::move(changes)), series_(series)
{}

void FieldEditCommand::redo()
{
    // The first time the author is where the edit was made; later the views go back there.
    document_.setFields(record_, item_, changes_, true, executed_);
    executed_ = true;
}

void FieldEditCommand::undo()
{
    document_.setFields(record_, item_, changes_, false, true);
}

bool FieldEditCommand::mergeWith(const QUndoCommand *other)
{
    const auto *next = static_cast<const FieldEditCommand *>(other);
    const auto samePositions = [](const EditorDocument::FieldChanges &a,
                                  const EditorDocument::FieldChanges &b) {
        return std::equal(
            a.begin(), a.end(), b.begin(), b.end(),
            [](const EditorDocument::FieldChange &x, const EditorDocument::FieldChange &y) {
                return x.position == y.position;
            });
    };
    if (series_ < 0 || next->record_ != record_ || next->item_ != item_ ||
        next->series_ != series_ || !samePositions(changes_, next->changes_))
        return false;
    for (const EditorDocument::FieldChange &change : next->changes_) {
        auto mine = std::find_if(
            changes_.begin(), changes_.end(),
            [&](const EditorDocument::FieldChange &c) { return c.position == change.position; });
        mine->after = change.after;
    }
    // Typed back to where it began: no step at all.
    setObsolete(
        std::all_of(changes_.begin(), changes_.end(),
                    [](const EditorDocument::FieldChange &c) { return c.before == c.after; }));
    return true;
}

#include "PageCommands.h"

#include <algorithm>

PageEditCommand::PageEditCommand(Record record, MenuTree::Id item, std::vector<FieldChange> changes,
                                 QString control, const QString &label, int series, Apply apply)
    : QUndoCommand(label), record_(record), item_(item), changes_(std::move(changes)),
      control_(std::move(control)), series_(series), apply_(std::move(apply))
{}

void PageEditCommand::redo()
{
    // The first time the pages already show the change; only the document takes it.
    apply_(*this, true, !executed_);
    executed_ = true;
}

void PageEditCommand::undo()
{
    apply_(*this, false, false);
}

bool PageEditCommand::mergeWith(const QUndoCommand *other)
{
    const auto *next = static_cast<const PageEditCommand *>(other);
    const auto samePositions = [](const std::vector<FieldChange> &a,
                                  const std::vector<FieldChange> &b) {
        return std::equal(
            a.begin(), a.end(), b.begin(), b.end(),
            [](const FieldChange &x, const FieldChange &y) { return x.position == y.position; });
    };
    if (next->record_ != record_ || next->item_ != item_ || next->control_ != control_ ||
        next->series_ != series_ || !samePositions(changes_, next->changes_))
        return false;
    for (const FieldChange &change : next->changes_) {
        auto mine = std::find_if(changes_.begin(), changes_.end(), [&](const FieldChange &c) {
            return c.position == change.position;
        });
        if (mine == changes_.end())
            changes_.push_back(change);
        else
            mine->after = change.after;
    }
    // Typed back to where it began: no step at all.
    setObsolete(std::all_of(changes_.begin(), changes_.end(),
                            [](const FieldChange &c) { return c.before == c.after; }));
    return true;
}

#include "LookEditCommand.h"

#include "editor/EditorDocument.h"

#include <utility>

LookEditCommand::LookEditCommand(EditorDocument &document, std::string name, std::string before,
                                 std::string after, const QString &label, int series)
    : QUndoCommand(label), document_(document), name_(std::move(name)), before_(std::move(before)),
      after_(std::move(after)), series_(series)
{}

void LookEditCommand::redo()
{
    document_.setLookValue(name_, after_);
}

void LookEditCommand::undo()
{
    document_.setLookValue(name_, before_);
}

bool LookEditCommand::mergeWith(const QUndoCommand *other)
{
    const auto *next = static_cast<const LookEditCommand *>(other);
    if (series_ < 0 || next->series_ != series_ || next->name_ != name_)
        return false;
    after_ = next->after_;
    setObsolete(before_ == after_); // back where it began: no step at all
    return true;
}

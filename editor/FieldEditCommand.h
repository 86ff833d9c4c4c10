#pragma once

#include "editor/EditorDocument.h"

#include <QUndoCommand>

// One edit of fields of one record, the applet's or an item's: the fields it changed, before
// and after. Only those fields are kept, so a step costs what it changed, not the document.
class FieldEditCommand : public QUndoCommand
{
public:
    using Record = EditorDocument::Record;

    // label names the step as the page names the field ("Caption", "Border Width"); edits of
    // one series (typing on in one field without leaving it) merge into one step.
    FieldEditCommand(EditorDocument &document, Record record, MenuTree::Id item,
                     EditorDocument::FieldChanges changes, const QString &label, int series);

    const EditorDocument::FieldChanges &changes() const { return changes_; }

    void redo() override;
    void undo() override;
    int id() const override { return 1; }
    bool mergeWith(const QUndoCommand *other) override;

private:
    EditorDocument &document_;
    Record record_;
    MenuTree::Id item_;
    EditorDocument::FieldChanges changes_;
    int series_;
    bool executed_ = false;
};

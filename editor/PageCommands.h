#pragma once

#include "document/MenuTree.h"

#include <functional>
#include <QString>
#include <QUndoCommand>
#include <string>
#include <vector>

// One edit made on the property pages: the fields of one record it changed, before and
// after. Only those fields are kept, so a step costs what it changed, not the document.
class PageEditCommand : public QUndoCommand
{
public:
    enum class Record
    {
        Applet,
        Item,
    };
    struct FieldChange
    {
        int position;
        std::string before, after;
    };
    // Puts the fields' values (before or after) into the document and the pages, selecting
    // the item and showing the control the step concerns.
    // shown: the pages show the values already (the step as it was just made).
    using Apply = std::function<void(const PageEditCommand &, bool after, bool shown)>;

    // label names the step as the page names the field ("Caption", "Border Width").
    PageEditCommand(Record record, MenuTree::Id item, std::vector<FieldChange> changes,
                    QString control, const QString &label, int series, Apply apply);

    Record record() const { return record_; }
    MenuTree::Id item() const { return item_; }
    const std::vector<FieldChange> &changes() const { return changes_; }
    const QString &control() const { return control_; }

    void redo() override;
    void undo() override;
    int id() const override { return 1; }
    // Typing on in the same control, without leaving it, is the same step.
    bool mergeWith(const QUndoCommand *other) override;

private:
    Record record_;
    MenuTree::Id item_;
    std::vector<FieldChange> changes_;
    QString control_;
    int series_;
    Apply apply_;
    bool executed_ = false;
};

#pragma once

#include <QUndoCommand>
#include <string>

class EditorDocument;

// One edit of one look setting, before and after. Steps on the same setting in one series
// (dragging a spin box on) merge into one.
class LookEditCommand : public QUndoCommand
{
public:
    LookEditCommand(EditorDocument &document, std::string name, std::string before,
                    std::string after, const QString &label, int series);

    void redo() override;
    void undo() override;
    int id() const override { return 2; }
    bool mergeWith(const QUndoCommand *other) override;

private:
    EditorDocument &document_;
    std::string name_, before_, after_;
    int series_;
};

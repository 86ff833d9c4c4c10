#pragma once

#include "document/MenuTree.h"
#include "editor/preview/MenuScene.h"

#include <QObject>
#include <QStringList>

class EditorDocument;
class LivePreview;
class MenuLayout;
struct MenuRecords;

// Keeps the live preview drawing the document: the menu is laid out again once after each
// change of the document, not on every notification of it; a change of the current node only
// shows that item. Nothing is drawn while the preview is hidden.
class PreviewController : public QObject
{
    Q_OBJECT

public:
    PreviewController(EditorDocument &document, LivePreview *preview, QObject *parent = nullptr);

    // How many caption widths the drawings asked for, for tests of what a command costs.
    const QtCaptionMeasure &measure() const { return measure_; }
    // The accessibility and link warnings of the document's menu, as lines for the author.
    QStringList warningTexts(const MenuLayout &layout) const;

    // Draws the preview anew once the current command is done, before the next frame.
    void schedule();

private:
    void documentChanged();
    void refresh();
    void scheduleWarnings();

    EditorDocument &document_;
    LivePreview *preview_;
    QtCaptionMeasure measure_;
    bool pending_ = false;
    bool warningsPending_ = false;
    // The document changed since the last drawing.
    bool stale_ = true;
    MenuTree::Id shownItem_ = 0;
};

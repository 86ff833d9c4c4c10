#pragma once

#include "document/FileSystem.h"
#include "document/LinkCheck.h"
#include "document/MenuDocument.h"
#include "document/MenuTree.h"
#include "document/Publisher.h"

#include <functional>
#include <memory>
#include <optional>
#include <QObject>
#include <QString>
#include <string>
#include <vector>

class MenuTreeModel;
class QTemporaryDir;
class QUndoCommand;
class QUndoStack;

// The document the editor works on: the menu (applet settings and item records), the tree of
// its items with the item model the views show, the undo history, the file it belongs to and
// the node the author works on. Every edit is a command on its history that changes the
// document itself; views follow what it signals and never hold a value of their own.
class EditorDocument : public QObject
{
    Q_OBJECT

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
    using FieldChanges = std::vector<FieldChange>;

    // programFolder holds the applet's files; an empty one leaves the preview folder unset.
    explicit EditorDocument(const QString &programFolder, QObject *parent = nullptr);
    ~EditorDocument() override;

    MenuDocument &menu() { return menu_; }
    const MenuDocument &menu() const { return menu_; }
    MenuTree &tree() { return tree_; }
    const MenuTree &tree() const { return tree_; }
    // The preview folder's staged files and the project's folder on save.
    Publisher &publisher() { return publisher_; }
    const Publisher &publisher() const { return publisher_; }
    MenuTreeModel &model() const { return *model_; }
    QUndoStack *undoStack() const { return undoStack_; }
    // The link warnings, read again only for the records a command touched.
    LinkWarningIndex &linkWarnings() { return linkWarnings_; }
    const LinkWarningIndex &linkWarnings() const { return linkWarnings_; }
    // The project's file; empty while it is untitled.
    const QString &fileName() const { return fileName_; }
    // True exactly while the document differs from what was last created, opened or saved.
    bool isModified() const;

    // The node the author works on, the root or an item; null while none is.
    ItemTree::Node currentNode() const { return tree_.find(current_); }
    void setCurrentNode(ItemTree::Node node);

    // A new, untitled project: the default settings and the root alone.
    void newProject();
    // Opens a project file, or a template as a new untitled project. A file that cannot be
    // opened throws and leaves the document exactly as it was.
    void open(const QString &fileName, bool asTemplate);
    // Goes on from a copy of unsaved work (copy, a project file) that belonged to fileName
    // (empty: untitled): the document is modified, and a save writes to fileName. Throws and
    // changes nothing when the copy cannot be read.
    void restore(const QString &copy, const QString &fileName);
    // The same from a project's text (source names it in messages): an imported menu.
    void adopt(std::string text, const std::string &source, const QString &fileName);
    // The applet record as a file holds it: the counts of the tree and the rules between
    // fields (no border width without a border, no fade colour without a gradient) applied.
    // The document keeps the values as edited, so that turning a border or a gradient back
    // on finds them again.
    AppletRecord storedApplet() const;
    // Runs write (which reads the document to make an output) with the records as a file
    // holds them: the applet record as stored, the items' menu numbers given.
    void writeOutput(const std::function<void()> &write);
    // The same without showing progress: for outputs made many times over, or in the
    // background.
    void writeOutputQuietly(const std::function<void()> &write);
    // The project file's text for the document as it is now, made without showing progress.
    std::string projectText();
    // True when another program saved the project file since it was opened or saved here.
    bool changedOnDisk() const;
    // Saves the project and its outputs under fileName (a link is followed) and makes it the
    // project's file; false, with nothing written, when mayReplace said no.
    bool save(const QString &fileName, const Publisher::ReplaceQuestion &mayReplace);

    // One undoable edit of some fields of the applet record or of an item's; label names the
    // step. Edits of the same series and fields merge into one step.
    void editFields(Record record, MenuTree::Id item, FieldChanges changes, const QString &label,
                    int series);
    // Puts the fields' values into the document; revisit also makes the record's node current
    // and tells views to show the field (an undone or redone step).
    void setFields(Record record, MenuTree::Id item, const FieldChanges &changes, bool after,
                   bool revisit);
    // Values the views show in their own form (trimmed, as numbers): taken over silently, as
    // they are what a save would have stored.
    void adoptShownValues(Record record, MenuTree::Id item, const FieldChanges &changes);

    // One undoable edit of a look setting (value empty or its default: the setting goes);
    // label names the step. Edits of the same series and setting merge into one step.
    void editLook(const std::string &name, const std::string &value, const QString &label,
                  int series = -1);
    // Every look setting of look in place of the document's, as one undoable step.
    void replaceLook(const LookSettings &look, const QString &label);
    // Puts a look setting's value into the document (an undo step's own change).
    void setLookValue(const std::string &name, const std::string &value);
    // The look settings as a file holds them: the menu's, with the icons and badges of the
    // items by their record numbers.
    LookSettings look() const;

    // One undoable change of an item's icon and badge; edits of the same series merge.
    void editItemLook(MenuTree::Id item, const ItemLook &look, const QString &label,
                      int series = -1);
    // Puts an icon of the program's own set into the preview folder, so that the preview shows
    // it and a save writes it beside the page.
    void stageMenuIcon(const std::string &name);
    // Puts an item's icon and badge into the document; revisit also makes its node current
    // (an undone or redone step).
    void setItemLook(MenuTree::Id item, const ItemLook &look, bool revisit);

    // Pushes a step on the tree's shape; height is the levels of the branch the step puts
    // under newParent, added the items it adds. Refused, with the reason and nothing changed,
    // when the menu would grow larger or deeper than a project file holds. A step that gives
    // an item its first child empties that item's link in the same undo step.
    QString pushTreeStep(QUndoCommand *step, ItemTree::Node newParent, int height, int added = 0);
    int branchHeight(ItemTree::Node top) const;

    // For the tree's commands: a branch is about to leave the tree, a branch came back with
    // these nodes expanded.
    void branchLeaving(ItemTree::Node top);
    void restoreExpanded(const std::vector<MenuTree::Id> &open);

signals:
    // Fields of the applet record, or of an item's record, took new values.
    void appletChanged(const std::vector<int> &positions);
    void itemChanged(MenuTree::Id item, const std::vector<int> &positions);
    // A look setting took a new value.
    void lookChanged(const std::string &name);
    // An item's icon or badge changed.
    void itemLookChanged(MenuTree::Id item);
    // The whole document changed: a new or opened project.
    void reset();
    void currentNodeChanged(ItemTree::Node node);
    void fileNameChanged(const QString &fileName);
    // An undone or redone field edit: views show where it was.
    void fieldRevisited(EditorDocument::Record record, int position);
    // A branch is about to leave the tree (views let go of its nodes); a branch came back.
    void branchAboutToLeave(ItemTree::Node top);
    void expandRequested(const std::vector<MenuTree::Id> &open);

private:
    void replaceTree(const std::function<void()> &change);
    // Reads a project file's bytes into the document, or throws and changes nothing.
    void load(std::string bytes, const std::string &path);
    void startNewMenu();
    void stageResources(const std::string &folder);
    void setFileName(const QString &fileName);

    MenuDocument menu_;
    // The menu's shape, kept in step with the document's item list by its own operations.
    MenuTree tree_{menu_.items()};
    Publisher publisher_{menu_};
    std::unique_ptr<MenuTreeModel> model_;
    QUndoStack *undoStack_;
    LinkWarningIndex linkWarnings_;
    // This editor's own preview folder, not guessable and not shared; gone with the editor.
    std::unique_ptr<QTemporaryDir> previewDir_;
    QString fileName_;
    std::optional<fsx::FileStamp> stamp_; // the project file as last read or written
    MenuTree::Id current_ = 0;
};

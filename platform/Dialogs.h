#pragma once

#include <memory>
#include <optional>
#include <QColor>
#include <QMessageBox>
#include <QString>

class QDialog;
class QWidget;

// Every question, message, file dialog and colour dialog of the program goes through this
// interface, so tests can script the user's answers.
class DialogService
{
public:
    enum Answer
    {
        Yes,
        No,
        Cancel,
        Ok
    };
    enum Buttons
    {
        OkOnly,
        YesNo,
        YesNoCancel,
        ReplaceSaveAsCancel, // Yes, No and Cancel, labelled "Replace", "Save As..." and "Cancel"
        SaveDontSaveCancel,  // Yes, No and Cancel, labelled "Save", "Don't Save" and "Cancel"
        SaveCloseCancel,    // Yes, No and Cancel, labelled "Save", "Close Without Saving", "Cancel"
        RestoreDiscardLater // Yes, No and Cancel, labelled "Restore", "Discard" and "Later"
    };

    virtual ~DialogService() = default;

    // A warning box titled "Warning".
    virtual Answer warning(QWidget *parent, const QString &text, Buttons buttons) = 0;
    // The standard error box that reports an error that ended a command.
    virtual void error(QWidget *parent, const QString &text) = 0;
    // File dialogs; an empty result means the user cancelled. The filter is written as
    // "Description|*.a;*.b|Description|*.c".
    virtual QString openFile(QWidget *parent, const QString &filter, bool picturePreview) = 0;
    // suggested: the file proposed (its folder and name); empty proposes "Untitled" in the
    // folder this filter's files last came from.
    virtual QString saveFile(QWidget *parent, const QString &filter, const QString &suggested) = 0;
    // File dialogs over several kinds of file, one filter each: kind receives the index of the
    // filter the user chose.
    virtual QString openFileOfKind(QWidget *parent, const QString &filter, int &kind) = 0;
    virtual QString saveFileOfKind(QWidget *parent, const QString &filter, const QString &suggested,
                                   int &kind) = 0;
    // A folder; empty when the user cancelled. start is where the dialog opens.
    virtual QString chooseFolder(QWidget *parent, const QString &title, const QString &start) = 0;
    virtual std::optional<QColor> chooseColor(QWidget *parent, const QColor &initial) = 0;
    // Shows one of the program's own dialogs modally and returns its result.
    virtual int runModal(QDialog *dialog) = 0;
};

class QtDialogs : public DialogService
{
public:
    Answer warning(QWidget *parent, const QString &text, Buttons buttons) override;
    void error(QWidget *parent, const QString &text) override;
    QString openFile(QWidget *parent, const QString &filter, bool picturePreview) override;
    QString saveFile(QWidget *parent, const QString &filter, const QString &suggested) override;
    QString openFileOfKind(QWidget *parent, const QString &filter, int &kind) override;
    QString saveFileOfKind(QWidget *parent, const QString &filter, const QString &suggested,
                           int &kind) override;
    QString chooseFolder(QWidget *parent, const QString &title, const QString &start) override;
    std::optional<QColor> chooseColor(QWidget *parent, const QColor &initial) override;
    int runModal(QDialog *dialog) override;

    // "Tarvelle Files (*.tvl)|*.tvl" as Qt's "Tarvelle Files (*.tvl)" filter list.
    static QString qtFilter(const QString &filter);
    // A message box whose text is shown as plain text: a caption or a file name that looks
    // like markup is shown as it is, never as formatted text with pictures or links.
    static std::unique_ptr<QMessageBox> messageBox(QMessageBox::Icon icon, QWidget *parent,
                                                   const QString &title, const QString &text,
                                                   QMessageBox::StandardButtons buttons);
};

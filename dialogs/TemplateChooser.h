#pragma once

#include <functional>
#include <QDialog>
#include <QImage>
#include <QSize>

class DialogService;
class QCheckBox;
class QListWidget;
class QPushButton;

// The template chooser: offers the project files of the program's "templets" folder as
// starting points, each as its picture with its name and the line of the text file of its
// name beside it, or an empty project, and can switch itself off for later starts. It
// loads nothing itself: the window that shows it opens the chosen file or starts anew.
class TemplateChooser : public QDialog
{
    Q_OBJECT

public:
    struct Actions
    {
        std::function<void(const QString &)> openProjectFile;
        std::function<void()> newProject;
        // A template's picture at the size asked; without it the list shows names alone.
        std::function<QImage(const QString &, QSize)> thumbnail = nullptr;
    };

    TemplateChooser(DialogService &dialogs, const QString &programFolder, Actions actions,
                    QWidget *parent = nullptr);

    // Prepares the dialog as on showing, then shows it modally.
    int run();
    void onShown();
    void openChosenTemplate();
    void closeAndOpenChosen();
    void closeAndStartNew();
    void saveShowSetting();

    // The full path of the selected template; empty when none is selected.
    QString selectedFile() const;

    QListWidget *templateList;
    QPushButton *okButton;
    QPushButton *cancelButton;
    QCheckBox *dontShowBox;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    static constexpr QSize ThumbnailSize{200, 110};
    void loadSettings();
    // The first line of a template's text file: what the template is.
    static QString describedBy(const QString &textFile);

    DialogService &dialogs_;
    QString folder_;
    Actions actions_;
};

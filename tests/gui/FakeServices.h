#pragma once

#include "platform/Dialogs.h"
#include "platform/Shell.h"

#include <deque>
#include <functional>
#include <optional>
#include <QDialog>
#include <QStringList>

// Scripted answers for every dialog the window asks, and a record of what it asked.
class ScriptedDialogs : public DialogService
{
public:
    Answer warning(QWidget *, const QString &text, Buttons buttons) override
    {
        warnings << text;
        warningButtons.push_back(buttons);
        if (answers.empty())
            return buttons == OkOnly ? Ok : Cancel;
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void error(QWidget *, const QString &text) override { errors << text; }
    QString openFile(QWidget *, const QString &filter, bool) override
    {
        openFilters << filter;
        return next(openFiles);
    }
    QString saveFile(QWidget *, const QString &filter, const QString &suggested) override
    {
        saveFilters << filter;
        saveSuggestions << suggested;
        return next(saveFiles);
    }
    QString openFileOfKind(QWidget *, const QString &filter, int &kind) override
    {
        openFilters << filter;
        kind = fileKinds.empty() ? 0 : fileKinds.front();
        if (!fileKinds.empty())
            fileKinds.pop_front();
        return next(openFiles);
    }
    QString saveFileOfKind(QWidget *, const QString &filter, const QString &suggested,
                           int &kind) override
    {
        saveFilters << filter;
        saveSuggestions << suggested;
        kind = fileKinds.empty() ? 0 : fileKinds.front();
        if (!fileKinds.empty())
            fileKinds.pop_front();
        return next(saveFiles);
    }
    QString chooseFolder(QWidget *, const QString &, const QString &start) override
    {
        folderStarts << start;
        return next(folders);
    }
    std::optional<QColor> chooseColor(QWidget *, const QColor &initial) override
    {
        colorRequests.push_back(initial);
        if (colors.empty())
            return std::nullopt;
        const auto color = colors.front();
        colors.pop_front();
        return color;
    }

    // Modal dialogs are not run: the script acts on them and gives the result.
    int runModal(QDialog *dialog) override
    {
        modals << dialog->objectName();
        return onModal ? onModal(dialog) : 0;
    }

    std::deque<Answer> answers;
    std::function<int(QDialog *)> onModal;
    QStringList modals;
    std::deque<QString> openFiles;
    std::deque<QString> saveFiles;
    std::deque<int> fileKinds; // the filter chosen in the next file dialog of several kinds
    QStringList saveSuggestions;
    std::deque<QString> folders;
    QStringList folderStarts;
    std::deque<std::optional<QColor>> colors;

    QStringList warnings;
    std::vector<Buttons> warningButtons;
    QStringList errors;
    QStringList openFilters;
    QStringList saveFilters;
    std::vector<QColor> colorRequests;

private:
    static QString next(std::deque<QString> &queue)
    {
        if (queue.empty())
            return QString();
        QString value = queue.front();
        queue.pop_front();
        return value;
    }
};

// Records what the window hands to the shell instead of opening it.
class RecordingShell : public ShellService
{
public:
    bool openDocument(const QString &target) override
    {
        opened << target;
        return !openFails;
    }
    bool startProgram(const QString &program, const QStringList &arguments,
                      const QString &workingDirectory) override
    {
        started.push_back({program, arguments, workingDirectory});
        return !startFails;
    }
    bool startFails = false; // programs "cannot be started"
    bool openFails = false;  // and documents cannot be opened

    struct Start
    {
        QString program;
        QStringList arguments;
        QString workingDirectory;
    };
    QStringList opened;
    std::vector<Start> started;
};

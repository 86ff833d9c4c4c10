#pragma once

#include <QString>

class ShellService;

// The help manual shipped in the program folder: a contents page and one HTML page per help
// topic, opened in the browser.
class HelpService
{
public:
    HelpService(ShellService &shell, QString helpFile);

    const QString &helpFile() const { return helpFile_; }
    void openContents();
    void openTopic(int context);
    // A page of the manual by its file name.
    void openPage(const QString &page);

    // The page of a help context; the contents page for a context without one of its own.
    static QString topicPage(int context);

private:
    ShellService &shell_;
    QString helpFile_;
};

#pragma once

#include <QString>

// The help manual shipped in the program folder: a contents page and one HTML page per help
// topic. The window opens them in the browser chosen for previews.
class HelpService
{
public:
    explicit HelpService(QString helpFile);

    const QString &helpFile() const { return helpFile_; }
    // The file of a page of the manual, by its file name.
    QString pageFile(const QString &page) const;

    // The page of a help context; the contents page for a context without one of its own.
    static QString topicPage(int context);

private:
    QString helpFile_;
};

#pragma once

#include <QString>

class ShellService;

// The help pages shipped in the program folder: one HTML page with an anchored topic per
// help context, opened in the browser.
class HelpService
{
public:
    HelpService(ShellService &shell, QString helpFile);

    const QString &helpFile() const { return helpFile_; }
    void openContents();
    void openTopic(int context);

    static QString topicAnchor(int context);

private:
    ShellService &shell_;
    QString helpFile_;
};

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

    // Where Help > Homepage and Contact Us lead: the product's web pages when the build names
    // them, otherwise the manual's contents and its troubleshooting page.
    QString homePage() const;
    QString supportPage() const;

    // The page of a help context; the contents page for a context without one of its own.
    static QString topicPage(int context);

    // The properties through which a widget names its help: a context number, or for a window
    // without one, its page of the manual.
    static constexpr const char *ContextProperty = "helpContext";
    static constexpr const char *PageProperty = "helpPage";

private:
    QString helpFile_;
};

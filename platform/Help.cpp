#include "Help.h"

#include "Shell.h"

#include <map>
#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <utility>

HelpService::HelpService(ShellService &shell, QString helpFile)
    : shell_(shell), helpFile_(std::move(helpFile))
{}

QString HelpService::topicPage(int context)
{
    static const std::map<int, const char *> pages{{3, "applet-settings.html"},
                                                   {4, "more-applet-settings.html"},
                                                   {5, "first-level-menu.html"},
                                                   {24, "menu-items.html"},
                                                   {30, "item-states.html"},
                                                   {31, "popup-menus.html"},
                                                   {33, "item.html"},
                                                   {36, "first-level-item-options.html"},
                                                   {38, "menu-tree.html"}};
    const auto found = pages.find(context);
    return QLatin1String(found == pages.end() ? "index.html" : found->second);
}

void HelpService::openContents()
{
    shell_.openDocument(QUrl::fromLocalFile(helpFile_).toString());
}

void HelpService::openTopic(int context)
{
    openPage(topicPage(context));
}

void HelpService::openPage(const QString &page)
{
    const QString file = QFileInfo(helpFile_).dir().filePath(page);
    shell_.openDocument(QUrl::fromLocalFile(file).toString());
}

#include "Help.h"

#include "document/Version.h"

#include <map>
#include <QDir>
#include <QFileInfo>
#include <utility>

HelpService::HelpService(QString helpFile) : helpFile_(std::move(helpFile)) {}

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

QString HelpService::homePage() const
{
    return *TarvelleHomePage ? QString::fromUtf8(TarvelleHomePage) : pageFile("index.html");
}

QString HelpService::supportPage() const
{
    return *TarvelleSupportPage ? QString::fromUtf8(TarvelleSupportPage)
                                : pageFile("troubleshooting.html");
}

QString HelpService::pageFile(const QString &page) const
{
    return QFileInfo(helpFile_).dir().filePath(page);
}

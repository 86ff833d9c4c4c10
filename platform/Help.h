#pragma once

#include <QString>

class QWidget;

// The manual's topics, each by the page that explains it: the one table of help topics.
namespace HelpTopic {
inline constexpr const char *AppletSettings = "applet-settings.html";
inline constexpr const char *MoreAppletSettings = "more-applet-settings.html";
inline constexpr const char *FirstLevelMenu = "first-level-menu.html";
inline constexpr const char *MenuItems = "menu-items.html";
inline constexpr const char *ItemStates = "item-states.html";
inline constexpr const char *PopupMenus = "popup-menus.html";
inline constexpr const char *Look = "look.html";
inline constexpr const char *Item = "item.html";
inline constexpr const char *FirstLevelItemOptions = "first-level-item-options.html";
inline constexpr const char *MenuTree = "menu-tree.html";
inline constexpr const char *LivePreview = "live-preview.html";
inline constexpr const char *MenuOnEveryPage = "menu-on-every-page.html";
inline constexpr const char *Contents = "index.html";
inline constexpr const char *All[] = {AppletSettings,
                                      MoreAppletSettings,
                                      FirstLevelMenu,
                                      MenuItems,
                                      ItemStates,
                                      PopupMenus,
                                      Look,
                                      Item,
                                      FirstLevelItemOptions,
                                      MenuTree,
                                      LivePreview,
                                      MenuOnEveryPage,
                                      Contents};
} // namespace HelpTopic

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

    // A widget names its help by the topic's page of the manual; F1 shows the topic of the
    // focused widget or of the nearest parent that names one.
    static void setTopic(QWidget *widget, const char *topic);
    static QString topicOf(const QWidget *widget);

private:
    QString helpFile_;
};

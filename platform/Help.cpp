#include "Help.h"

#include "document/Version.h"

#include <QDir>
#include <QFileInfo>
#include <QWidget>
#include <utility>

HelpService::HelpService(QString helpFile) : helpFile_(std::move(helpFile)) {}

namespace {
const char *const TopicProperty = "helpTopic";
}

void HelpService::setTopic(QWidget *widget, const char *topic)
{
    widget->setProperty(TopicProperty, QLatin1String(topic));
}

QString HelpService::topicOf(const QWidget *widget)
{
    return widget->property(TopicProperty).toString();
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

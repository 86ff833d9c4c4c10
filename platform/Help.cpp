#include "Help.h"

#include "Shell.h"

#include <QUrl>
#include <utility>

HelpService::HelpService(ShellService &shell, QString helpFile)
    : shell_(shell), helpFile_(std::move(helpFile))
{}

QString HelpService::topicAnchor(int context)
{
    return QStringLiteral("context-%1").arg(context);
}

void HelpService::openContents()
{
    shell_.openDocument(QUrl::fromLocalFile(helpFile_).toString());
}

void HelpService::openTopic(int context)
{
    QUrl url = QUrl::fromLocalFile(helpFile_);
    url.setFragment(topicAnchor(context));
    shell_.openDocument(url.toString());
}

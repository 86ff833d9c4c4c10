#include "HtmlWindow.h"

#include "document/TextCodec.h"
#include "platform/Appearance.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

HtmlWindow::HtmlWindow(QWidget *parent) : QDialog(parent)
{
    setObjectName("formHTML");
    setFont(compactFont());
    setWindowTitle(tr("HTML"));
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    resize(672, 517);

    htmlView = new QPlainTextEdit(this);
    htmlView->setObjectName("memoHTMLBuild");
    htmlView->setAccessibleName(tr("HTML code"));
    htmlView->setReadOnly(true);
    htmlView->setLineWrapMode(QPlainTextEdit::NoWrap);
    htmlView->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    htmlView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    okButton = new QPushButton(tr("&OK"), this);
    okButton->setObjectName("Button1");
    copyButton = new QPushButton(tr("&Copy to Clipboard"), this);
    copyButton->setObjectName("Button2");

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(okButton);
    buttons->addWidget(copyButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(htmlView, 1);
    layout->addLayout(buttons);

    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(copyButton, &QPushButton::clicked, this, &HtmlWindow::copyToClipboard);
}

void HtmlWindow::setFragment(const std::string &text)
{
    QStringList lines;
    for (const std::string &line : splitLines(text))
        lines << QString::fromStdString(line);
    htmlView->setPlainText(lines.join(QLatin1Char('\n')));
}

std::string HtmlWindow::fragment() const
{
    std::string text;
    for (const QString &line : htmlView->toPlainText().split(QLatin1Char('\n'))) {
        text += line.toStdString();
        text += LineEnd;
    }
    return text;
}

void HtmlWindow::copyToClipboard()
{
    htmlView->selectAll();
    htmlView->copy();
}

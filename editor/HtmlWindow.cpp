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

    memoHTMLBuild = new QPlainTextEdit(this);
    memoHTMLBuild->setObjectName("memoHTMLBuild");
    memoHTMLBuild->setReadOnly(true);
    memoHTMLBuild->setLineWrapMode(QPlainTextEdit::NoWrap);
    memoHTMLBuild->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memoHTMLBuild->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Button1 = new QPushButton(tr("&OK"), this);
    Button1->setObjectName("Button1");
    Button2 = new QPushButton(tr("&Copy to Clipboard"), this);
    Button2->setObjectName("Button2");

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(memoHTMLBuild, 1);
    layout->addLayout(buttons);

    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button2, &QPushButton::clicked, this, &HtmlWindow::Button2Click);
}

void HtmlWindow::setFragment(const std::string &text)
{
    QStringList lines;
    for (const std::string &line : splitLines(text))
        lines << QString::fromStdString(line);
    memoHTMLBuild->setPlainText(lines.join(QLatin1Char('\n')));
}

std::string HtmlWindow::fragment() const
{
    std::string text;
    for (const QString &line : memoHTMLBuild->toPlainText().split(QLatin1Char('\n'))) {
        text += line.toStdString();
        text += LineEnd;
    }
    return text;
}

void HtmlWindow::Button2Click()
{
    memoHTMLBuild->selectAll();
    memoHTMLBuild->copy();
}

#include "PublishReportWindow.h"

#include "platform/Appearance.h"

#include <algorithm>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

PublishReportWindow::PublishReportWindow(QWidget *parent) : QDialog(parent)
{
    setObjectName("frmPublishReport");
    setFont(compactFont());
    setWindowTitle(tr("Applet Publish Report"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    // A report is read line by line: the box shows its longest line whole, in a fixed-width
    // font, and the window is as wide as that needs (never narrower than 536 pixels).
    reportView = new QPlainTextEdit(this);
    reportView->setObjectName("memoPublishReport");
    reportView->setAccessibleName(tr("Publish report"));
    reportView->setReadOnly(true);
    reportView->setLineWrapMode(QPlainTextEdit::NoWrap);
    reportView->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPixelSize(11);
    reportView->setFont(fixed);
    const int longest =
        QFontMetrics(fixed).horizontalAdvance(QString(LongestLine, QLatin1Char('M')));
    const int boxWidth =
        std::max(520, longest + reportView->verticalScrollBar()->sizeHint().width() +
                          2 * reportView->frameWidth() + 12);
    reportView->setFixedSize(boxWidth, 252);

    okButton = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), tr("OK"), this);
    okButton->setObjectName("BitBtn1");
    okButton->setMinimumWidth(80);
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(reportView);
    layout->addWidget(okButton, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

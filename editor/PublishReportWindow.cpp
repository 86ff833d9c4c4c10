#include "PublishReportWindow.h"

#include "platform/Appearance.h"

#include <algorithm>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>

PublishReportWindow::PublishReportWindow(QWidget *parent) : QDialog(parent)
{
    setObjectName("frmPublishReport");
    setFont(compactFont());
    setWindowTitle(tr("Applet Publish Report"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    // A report is read line by line: the box shows its longest line whole, in a fixed-width
    // font, and the window is as wide as that needs (never narrower than 536 pixels).
    memoPublishReport = new QPlainTextEdit(this);
    memoPublishReport->setObjectName("memoPublishReport");
    memoPublishReport->setReadOnly(true);
    memoPublishReport->setLineWrapMode(QPlainTextEdit::NoWrap);
    memoPublishReport->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPixelSize(11);
    memoPublishReport->setFont(fixed);
    const int longest =
        QFontMetrics(fixed).horizontalAdvance(QString(LongestLine, QLatin1Char('M')));
    const int boxWidth =
        std::max(520, longest + memoPublishReport->verticalScrollBar()->sizeHint().width() +
                          2 * memoPublishReport->frameWidth() + 12);
    setFixedSize(boxWidth + 16, 303);
    memoPublishReport->setGeometry(8, 8, boxWidth, 252);

    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), tr("OK"), this);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn1->setGeometry((width() - 80) / 2, 268, 80, 26);
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
}

#include "PublishReport.h"

#include "Appearance.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>

TfrmPublishReport::TfrmPublishReport(QWidget *parent) : QDialog(parent)
{
    setObjectName("frmPublishReport");
    setFont(compactFont());
    setWindowTitle(tr("Applet Publish Report"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(536, 303);

    memoPublishReport = new QPlainTextEdit(this);
    memoPublishReport->setObjectName("memoPublishReport");
    memoPublishReport->setReadOnly(true);
    memoPublishReport->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memoPublishReport->setGeometry(8, 8, 520, 252);

    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), tr("OK"), this);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn1->setGeometry(228, 268, 80, 26);
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
}

#pragma once

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

// The report window: what has to be uploaded to publish the menu.
class TfrmPublishReport : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmPublishReport(QWidget *parent = nullptr);

    QPlainTextEdit *memoPublishReport;
    QPushButton *BitBtn1;
};

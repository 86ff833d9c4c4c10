#pragma once

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

// The report window: what has to be uploaded to publish the menu.
class PublishReportWindow : public QDialog
{
    Q_OBJECT

public:
    explicit PublishReportWindow(QWidget *parent = nullptr);

    QPlainTextEdit *reportView;
    QPushButton *okButton;

    // Characters in the report's longest fixed line, its applet-files heading.
    static constexpr int LongestLine = 101;
};

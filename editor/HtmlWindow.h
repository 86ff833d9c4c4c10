#pragma once

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

// The HTML window: the generated fragment, read-only, with a button that copies it.
class HtmlWindow : public QDialog
{
    Q_OBJECT

public:
    explicit HtmlWindow(QWidget *parent = nullptr);

    // Shows the fragment; its CR LF line ends become the box's lines.
    void setFragment(const std::string &text);
    // The box's lines, each ended by CR LF, as they are saved.
    std::string fragment() const;
    void copyToClipboard();

    QPlainTextEdit *htmlView;
    QPushButton *okButton;
    QPushButton *copyButton;
};

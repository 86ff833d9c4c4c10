#pragma once

#include <QLineEdit>

// A one-line edit box that refuses line breaks, control characters and "|" as they are typed
// or pasted: a line break would corrupt the project file and a "|" shifts every later value
// the applet reads. The rest of the text is kept.
class TextEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit TextEdit(QWidget *parent = nullptr);

    // The text without the refused characters.
    static QString cleaned(const QString &text);
    // Gives any line edit (such as the one of an editable list) the same refusal, and room for
    // the longest value a project file holds.
    static void refuseLineBreaksAndBars(QLineEdit *edit);
};

#include "TextEdit.h"

TextEdit::TextEdit(QWidget *parent) : QLineEdit(parent)
{
    connect(this, &QLineEdit::textEdited, this, &TextEdit::dropRefusedCharacters);
}

QString TextEdit::cleaned(const QString &text)
{
    QString result = text;
    result.remove(QLatin1Char('|'));
    result.remove(QLatin1Char('\r'));
    result.remove(QLatin1Char('\n'));
    result.remove(QChar(0x2028)); // line and paragraph separators break lines too
    result.remove(QChar(0x2029));
    return result;
}

void TextEdit::dropRefusedCharacters(const QString &text)
{
    const QString clean = cleaned(text);
    if (clean == text)
        return;
    const int removedBeforeCursor = static_cast<int>(text.left(cursorPosition()).size() -
                                                     cleaned(text.left(cursorPosition())).size());
    const int cursor = cursorPosition() - removedBeforeCursor;
    setText(clean);
    setCursorPosition(cursor);
}

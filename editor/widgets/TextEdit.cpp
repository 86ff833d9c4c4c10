#include "TextEdit.h"

#include "document/MenuTree.h"

TextEdit::TextEdit(QWidget *parent) : QLineEdit(parent)
{
    refuseLineBreaksAndBars(this);
}

QString TextEdit::cleaned(const QString &text)
{
    QString result = text;
    result.remove(QLatin1Char('|'));
    result.remove(QLatin1Char('\r'));
    result.remove(QLatin1Char('\n'));
    result.remove(QChar(0x2028)); // line and paragraph separators break lines too
    result.remove(QChar(0x2029));
    // Control characters too: Ctrl-Z, for one, ends a project file for its reader.
    result.removeIf([](QChar c) { return c.category() == QChar::Other_Control; });
    return result;
}

void TextEdit::refuseLineBreaksAndBars(QLineEdit *edit)
{
    // Room for every value a project file holds, and one character more, so that a longer one
    // reaches the refusal that says why instead of being cut short without a word.
    edit->setMaxLength(static_cast<int>(MaxValueBytes) + 1);
    connect(edit, &QLineEdit::textEdited, edit, [edit](const QString &text) {
        const QString clean = cleaned(text);
        if (clean == text)
            return;
        const int cursor = edit->cursorPosition();
        const int removedBeforeCursor =
            static_cast<int>(text.left(cursor).size() - cleaned(text.left(cursor)).size());
        edit->setText(clean);
        edit->setCursorPosition(cursor - removedBeforeCursor);
    });
}

#include "FieldRules.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>

namespace FieldRules {

QString trimmed(const QString &text)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text[start].unicode() <= ' ')
        ++start;
    while (end > start && text[end - 1].unicode() <= ' ')
        --end;
    return text.mid(start, end - start);
}

void setFieldEnabled(QWidget *field, bool enabled)
{
    static const QColor silver(0xC0, 0xC0, 0xC0);
    field->setEnabled(enabled);
    QPalette palette = field->palette();
    const QColor base = enabled ? QApplication::palette().color(QPalette::Base) : silver;
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, QPalette::Base, base);
    field->setPalette(palette);
}

} // namespace FieldRules

#include "StatusText.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStyle>

StatusText::StatusText(QWidget *parent) : QLabel(parent) {}

QString StatusText::elided(const QString &text, const QFontMetrics &metrics, int width)
{
    if (metrics.horizontalAdvance(text) <= width)
        return text;
    const QString ellipsis(QChar(0x2026));
    // Drop whole words from the end until the rest and the ellipsis fit.
    for (int end = text.lastIndexOf(QLatin1Char(' ')); end > 0;
         end = text.lastIndexOf(QLatin1Char(' '), end - 1)) {
        const QString candidate = text.left(end) + ellipsis;
        if (metrics.horizontalAdvance(candidate) <= width)
            return candidate;
    }
    return metrics.elidedText(text, Qt::ElideRight, width); // one word longer than the line
}

void StatusText::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect area = contentsRect();
    style()->drawItemText(&painter, area, static_cast<int>(alignment()), palette(), isEnabled(),
                          elided(text(), fontMetrics(), area.width()), foregroundRole());
}

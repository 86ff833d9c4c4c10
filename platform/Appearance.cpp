#include "Appearance.h"

#include <QApplication>

QFont compactFont()
{
    QFont font = QApplication::font();
    font.setStretch(QFont::Condensed);
    font.setPixelSize(11);
    return font;
}

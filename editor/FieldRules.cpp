#include "FieldRules.h"

#include "document/AppletData.h"

#include <map>
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
    field->setEnabled(enabled);
    // A disabled field takes the window's colour from the palette (light or dark), and its
    // text stays readable on it: two parts text colour to one part window colour.
    const QPalette app = QApplication::palette();
    const QColor window = app.color(QPalette::Window), text = app.color(QPalette::WindowText);
    const QColor dimmed((2 * text.red() + window.red()) / 3,
                        (2 * text.green() + window.green()) / 3,
                        (2 * text.blue() + window.blue()) / 3);
    QPalette palette = field->palette();
    const QColor base = enabled ? app.color(QPalette::Base) : window;
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, QPalette::Base, base);
    palette.setColor(QPalette::Disabled, QPalette::Text, dimmed);
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, dimmed);
    field->setPalette(palette);
}

} // namespace FieldRules

std::vector<int> FieldRules::appletLoadOrder()
{
    using namespace AppletField;
    const std::map<int, int> flagAfterFade{{ApBgFadeClr, ApBgGradientFill},
                                           {MnBgFadeClr, MnBgGradientFill},
                                           {ItNoBgFadeClr, ItNoBgGradientFill},
                                           {ItOvBgFadeClr, ItOvBgGradientFill},
                                           {ItClBgFadeClr, ItClBgGradientFill}};
    std::vector<int> order;
    for (int pos = ApBgClr; pos <= ItClTextAlign; ++pos) {
        order.push_back(pos);
        if (auto flag = flagAfterFade.find(pos); flag != flagAfterFade.end())
            order.push_back(flag->second);
    }
    order.insert(order.end(), {ApWidth, ApHeight, PopupFntName, PopupFntSize, PopupFntStyle});
    return order;
}

#include "PageGroups.h"

#include "document/AppletData.h"
#include "editor/pages/PageKit.h"
#include "editor/widgets/ColorPanel.h"
#include "editor/widgets/SpinEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QToolButton>
#include <QVBoxLayout>

namespace PageKit {
namespace {
QString named(const char *kind, const QString &prefix, const char *property)
{
    return QLatin1String(kind) + prefix + QLatin1String(property);
}

QString tr(const char *text)
{
    return QCoreApplication::translate("PageKit", text);
}
} // namespace

BorderControls borderGroup(QVBoxLayout *page, QWidget *parent, const QString &prefix,
                           const BorderHints &hints)
{
    QGroupBox *border = group(tr("Border"), parent);
    QVBoxLayout *lines = rows(border);
    if (!hints.intro.isEmpty())
        textLine(lines, hints.intro);
    const BorderControls controls{
        spinEdit(border, named("spnedt", prefix, "BrdWidth"), 0, 9999, hints.width),
        list(border, named("cmbx", prefix, "BrdStyle"), ChoiceList::borderStyle(), hints.style),
        colorPanel(border, named("pnl", prefix, "BrdClr"), hints.color)};
    labelledRow(lines, {{tr("Width"), controls.width},
                        {tr("Style"), controls.style},
                        {tr("Color"), controls.color}});
    page->addWidget(border);
    return controls;
}

ImagePlacement imagePlacement(QVBoxLayout *rows, QWidget *parent, const QString &prefix,
                              const PlacementTexts &texts, const char *alignKind)
{
    const ImagePlacement controls{
        spinEdit(parent, named("spnedt", prefix, "BgImgX"), -9999, 9999, texts.x),
        spinEdit(parent, named("spnedt", prefix, "BgImgY"), -9999, 9999, texts.y),
        list(parent, named(alignKind, prefix, "BgImgAlign"), ChoiceList::placement(), texts.align)};
    labelledRow(
        rows,
        {{texts.xLabel, controls.x}, {tr("Y"), controls.y}, {texts.alignLabel, controls.align}});
    return controls;
}

BackgroundColours backgroundColours(QVBoxLayout *rows, QWidget *parent, const QString &prefix,
                                    const BackgroundHints &hints, const char *checkKind)
{
    const BackgroundColours controls{
        colorPanel(parent, named("pnl", prefix, "BgClr"), hints.color),
        colorPanel(parent, named("pnl", prefix, "BgFadeClr"), hints.fade),
        checkBox(parent, named(checkKind, prefix, "BgGradientFill"), tr("Gradient Fill"),
                 hints.gradient),
        hints.transparent.isEmpty() ? nullptr
                                    : checkBox(parent, named(checkKind, prefix, "BgTransparent"),
                                               tr("Transparent"), hints.transparent)};
    QHBoxLayout *colors = row(rows);
    pair(colors, tr("BG Color"), controls.color);
    pair(colors, tr("Fade Color"), controls.fade);
    colors->addSpacing(10);
    colors->addWidget(controls.gradient);
    if (controls.transparent)
        colors->addWidget(controls.transparent);
    colors->addStretch(1);
    return controls;
}

FontControls fontRow(QVBoxLayout *rows, QWidget *parent, const QString &prefix,
                     const FontHints &hints)
{
    const FontControls controls{
        list(parent, named("cmbx", prefix, "FntName"), ChoiceList::fontName(), hints.name),
        list(parent, named("cmbx", prefix, "FntSize"), ChoiceList::fontSize(), hints.size),
        toggle(parent, named("spdbtn", prefix, "FntBold"), "B", hints.bold),
        toggle(parent, named("spdbtn", prefix, "FntItalic"), "I", hints.italic)};
    QHBoxLayout *font = row(rows);
    pair(font, tr("Font Name"), controls.name);
    pair(font, tr("Font Size"), controls.size);
    font->addSpacing(10);
    font->addWidget(controls.bold);
    font->addWidget(controls.italic);
    font->addStretch(1);
    return controls;
}

} // namespace PageKit

#include "LookPages.h"

#include "document/LookSettings.h"
#include "editor/EditorDocument.h"
#include "editor/pages/PageKit.h"
#include "editor/widgets/ColorPanel.h"
#include "editor/widgets/SpinEdit.h"
#include "platform/Dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QVBoxLayout>

using namespace PageKit;

namespace {
QColor qcolor(Rgb c)
{
    return QColor(c.r, c.g, c.b);
}

std::string hex(const QColor &c)
{
    return c.name(QColor::HexRgb).mid(1).toUpper().toStdString();
}
} // namespace

PopupLookPage::PopupLookPage(EditorDocument &document, DialogService &dialogs, QWidget *parent)
    : QWidget(parent), document_(document), dialogs_(dialogs)
{
    setObjectName("pagPopupLook");
    auto *page = new QVBoxLayout(this);

    QGroupBox *colours = group(tr("Colors"), this);
    QVBoxLayout *colourRows = rows(colours);
    auto colour = [this, colours](const char *setting, Rgb LookValues::*value, const char *name,
                                  const QString &label, const QString &hint) {
        colours_.push_back({setting, value, colorPanel(colours, name, hint), label});
        return colours_.back().panel;
    };
    labelledRow(colourRows,
                {{tr("Background"),
                  colour("popup-background", &LookValues::popupBackground, "pnlLookPopupBackground",
                         tr("Background"), tr("The background color of the popup menus"))},
                 {tr("Text"), colour("popup-text", &LookValues::popupText, "pnlLookPopupText",
                                     tr("Text"), tr("The color of the captions in popup menus"))},
                 {tr("Frame"), colour("popup-frame", &LookValues::popupFrame, "pnlLookPopupFrame",
                                      tr("Frame"), tr("The color of the popup menus' frame"))}});
    labelledRow(
        colourRows,
        {{tr("Highlight"),
          colour("popup-highlight", &LookValues::popupHighlight, "pnlLookPopupHighlight",
                 tr("Highlight"), tr("The background of the row under the pointer or the focus"))},
         {tr("Highlight Text"), colour("popup-highlight-text", &LookValues::popupHighlightText,
                                       "pnlLookPopupHighlightText", tr("Highlight Text"),
                                       tr("The caption's color on the highlighted row"))},
         {tr("Current Page"),
          colour("current-marker", &LookValues::currentMarker, "pnlLookCurrentMarker",
                 tr("Current Page"), tr("The color of the bar that marks the current page"))}});
    singleSeparator_ =
        checkBox(colours, "chckbxLookPopupSeparator", tr("One-Line Separators"),
                 tr("Draw separators as one line in a color of your own instead of two"));
    separatorColour_ =
        colorPanel(colours, "pnlLookPopupSeparator", tr("The color of one-line separators"));
    QHBoxLayout *separator = row(colourRows);
    separator->addWidget(singleSeparator_);
    pair(separator, tr("Separator"), separatorColour_);
    separator->addStretch(1);
    page->addWidget(colours);

    QGroupBox *shape = group(tr("Shape"), this);
    QVBoxLayout *shapeRows = rows(shape);
    auto number = [this, shape](const char *setting, int LookValues::*value, const char *name,
                                int low, int high, const QString &label, const QString &hint) {
        numbers_.push_back({setting, value, spinEdit(shape, name, low, high, hint), label});
        return numbers_.back().spin;
    };
    SpinEdit *frame =
        number("popup-frame-width", &LookValues::popupFrameWidth, "spnedtLookPopupFrameWidth", 0, 2,
               tr("Frame Width"), tr("The width of the popup menus' frame, 0 to 2 pixels"));
    SpinEdit *radius =
        number("popup-radius", &LookValues::popupRadius, "spnedtLookPopupRadius", 0, 16,
               tr("Corner Radius"), tr("How round the popup menus' corners are, 0 to 16 pixels"));
    SpinEdit *inset = number(
        "popup-inset", &LookValues::popupInset, "spnedtLookPopupInset", 0, 8, tr("Highlight Inset"),
        tr("How far the highlighted row stays inside the frame, 0 to 8 pixels"));
    SpinEdit *padding = number(
        "popup-padding", &LookValues::popupPadding, "spnedtLookPopupPadding", 4, 32, tr("Padding"),
        tr("The captions' distance from the popup's left edge, 4 to 32 pixels"));
    SpinEdit *rowHeight =
        number("popup-row", &LookValues::popupRow, "spnedtLookPopupRow", 24, 64, tr("Row Height"),
               tr("The least height of a popup row, 24 to 64 pixels"));
    shadow_ = list(shape, "cmbxLookPopupShadow", {"None", "Small", "Medium", "Large"},
                   tr("A shadow below the popup menus"));
    labelledRow(shapeRows, {{tr("Frame Width"), frame}, {tr("Corner Radius"), radius}});
    labelledRow(shapeRows, {{tr("Highlight Inset"), inset}, {tr("Padding"), padding}});
    labelledRow(shapeRows, {{tr("Row Height"), rowHeight}, {tr("Shadow"), shadow_}});
    page->addWidget(shape);
    page->addStretch(1);

    // Screen readers name each control as its label does, with the page's subject.
    for (const Colour &entry : colours_)
        entry.panel->setAccessibleName(tr("Popup %1 Color").arg(entry.label));
    for (const Number &entry : numbers_)
        entry.spin->setAccessibleName(tr("Popup %1").arg(entry.label));
    separatorColour_->setAccessibleName(tr("Popup Separator Color"));
    shadow_->setAccessibleName(tr("Popup Shadow"));
    for (const Colour &entry : colours_)
        connect(entry.panel, &ColorPanel::clicked, this, [this, entry] { chooseColour(entry); });
    connect(separatorColour_, &ColorPanel::clicked, this, [this] {
        chooseColour({"popup-separator", nullptr, separatorColour_, tr("Separator")});
    });
    connect(singleSeparator_, &QCheckBox::toggled, this, &PopupLookPage::onSeparatorToggled);
    for (const Number &entry : numbers_)
        connect(entry.spin, &SpinEdit::changed, this, [this, entry] { onNumberEdited(entry); });
    connect(shadow_, &QComboBox::activated, this, &PopupLookPage::onShadowChosen);
    connect(&document_, &EditorDocument::lookChanged, this, &PopupLookPage::showLook);
    connect(&document_, &EditorDocument::reset, this, &PopupLookPage::showLook);
    showLook();
}

void PopupLookPage::showLook()
{
    // The page's own edit: its controls show what the author is typing, even a number outside
    // its range until the field is left.
    if (editing_)
        return;
    const LookValues look = LookValues::read(document_.menu().look());
    for (const Colour &entry : colours_)
        entry.panel->setColor(qcolor(look.*entry.value));
    for (const Number &entry : numbers_) {
        if (entry.spin->value() != look.*entry.value) {
            const QSignalBlocker blocker(entry.spin);
            entry.spin->setValue(look.*entry.value);
        }
    }
    {
        const QSignalBlocker blocker(singleSeparator_);
        singleSeparator_->setChecked(look.popupSeparator.has_value());
    }
    separatorColour_->setEnabled(look.popupSeparator.has_value());
    separatorColour_->setColor(qcolor(look.popupSeparator.value_or(Rgb{0xA0, 0xA0, 0xA0})));
    shadow_->setCurrentIndex(look.popupShadow);
}

void PopupLookPage::chooseColour(const Colour &colour)
{
    if (const auto chosen = dialogs_.chooseColor(window(), colour.panel->color()))
        document_.editLook(colour.setting, hex(*chosen), colour.label);
}

void PopupLookPage::onSeparatorToggled(bool single)
{
    document_.editLook("popup-separator", single ? hex(separatorColour_->color()) : std::string(),
                       tr("One-Line Separators"));
}

void PopupLookPage::onNumberEdited(const Number &number)
{
    // Steps of one spin box merge while the author goes on with it.
    const QScopedValueRollback editing(editing_, true);
    document_.editLook(number.setting, std::to_string(number.spin->value()), number.label,
                       int(std::hash<std::string>{}(number.setting) & 0x7FFFFFFF));
}

void PopupLookPage::onShadowChosen(int level)
{
    document_.editLook("popup-shadow", std::to_string(level), tr("Shadow"));
}

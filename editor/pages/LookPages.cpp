#include "LookPages.h"

#include "document/DarkColours.h"
#include "editor/EditorDocument.h"
#include "editor/pages/PageKit.h"
#include "editor/widgets/ColorPanel.h"
#include "editor/widgets/SpinEdit.h"
#include "platform/Dialogs.h"

#include <algorithm>
#include <functional>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
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

const char *const PageFont = QT_TRANSLATE_NOOP("LookPage", "Page font");
} // namespace

LookPage::LookPage(EditorDocument &document, DialogService &dialogs, const char *name,
                   QWidget *parent)
    : QWidget(parent), document_(document), dialogs_(dialogs), page_(new QVBoxLayout(this))
{
    setObjectName(QLatin1String(name));
}

ColorPanel *LookPage::addColour(QGroupBox *group, const char *setting, Rgb LookValues::*value,
                                const char *name, const QString &label, const QString &hint)
{
    colours_.push_back({setting, value, colorPanel(group, name, hint), label});
    return colours_.back().panel;
}

SpinEdit *LookPage::addNumber(QGroupBox *group, const char *setting, int LookValues::*value,
                              const char *name, int low, int high, const QString &label,
                              const QString &hint)
{
    numbers_.push_back({setting, value, spinEdit(group, name, low, high, hint), label});
    return numbers_.back().spin;
}

void LookPage::finish(const QString &subject)
{
    page_->addStretch(1);
    // Screen readers name each control as its label does, with the page's subject.
    for (const Colour &entry : colours_) {
        entry.panel->setAccessibleName(tr("%1 %2 Color").arg(subject, entry.label));
        connect(entry.panel, &ColorPanel::clicked, this, [this, entry] { chooseColour(entry); });
    }
    for (const Number &entry : numbers_) {
        entry.spin->setAccessibleName(tr("%1 %2").arg(subject, entry.label));
        connect(entry.spin, &SpinEdit::changed, this, [this, entry] { onNumberEdited(entry); });
    }
    connect(&document_, &EditorDocument::lookChanged, this, &LookPage::showLook);
    connect(&document_, &EditorDocument::reset, this, &LookPage::showLook);
    showLook();
}

void LookPage::showLook()
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
    showOwn(look);
}

void LookPage::edit(const char *setting, const std::string &value, const QString &label, int series)
{
    const QScopedValueRollback editing(editing_, series >= 0);
    document_.editLook(setting, value, label, series);
}

void LookPage::chooseColour(const Colour &colour)
{
    if (const auto chosen = dialogs_.chooseColor(window(), colour.panel->color()))
        edit(colour.setting, hex(*chosen), colour.label);
}

void LookPage::onNumberEdited(const Number &number)
{
    // Steps of one spin box merge while the author goes on with it.
    edit(number.setting, std::to_string(number.spin->value()), number.label,
         int(std::hash<std::string>{}(number.setting) & 0x7FFFFFFF));
}

PopupLookPage::PopupLookPage(EditorDocument &document, DialogService &dialogs, QWidget *parent)
    : LookPage(document, dialogs, "pagPopupLook", parent)
{

    QGroupBox *colours = group(tr("Colors"), this);
    QVBoxLayout *colourRows = rows(colours);
    labelledRow(
        colourRows,
        {{tr("Background"), addColour(colours, "popup-background", &LookValues::popupBackground,
                                      "pnlLookPopupBackground", tr("Background"),
                                      tr("The background color of the popup menus"))},
         {tr("Text"), addColour(colours, "popup-text", &LookValues::popupText, "pnlLookPopupText",
                                tr("Text"), tr("The color of the captions in popup menus"))},
         {tr("Frame"),
          addColour(colours, "popup-frame", &LookValues::popupFrame, "pnlLookPopupFrame",
                    tr("Frame"), tr("The color of the popup menus' frame"))}});
    labelledRow(
        colourRows,
        {{tr("Highlight"),
          addColour(colours, "popup-highlight", &LookValues::popupHighlight,
                    "pnlLookPopupHighlight", tr("Highlight"),
                    tr("The background of the row under the pointer or the focus"))},
         {tr("Highlight Text"),
          addColour(colours, "popup-highlight-text", &LookValues::popupHighlightText,
                    "pnlLookPopupHighlightText", tr("Highlight Text"),
                    tr("The caption's color on the highlighted row"))},
         {tr("Current Page"),
          addColour(colours, "current-marker", &LookValues::currentMarker, "pnlLookCurrentMarker",
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
    page_->addWidget(colours);

    QGroupBox *shape = group(tr("Shape"), this);
    QVBoxLayout *shapeRows = rows(shape);
    SpinEdit *frame = addNumber(shape, "popup-frame-width", &LookValues::popupFrameWidth,
                                "spnedtLookPopupFrameWidth", 0, 2, tr("Frame Width"),
                                tr("The width of the popup menus' frame, 0 to 2 pixels"));
    SpinEdit *radius = addNumber(shape, "popup-radius", &LookValues::popupRadius,
                                 "spnedtLookPopupRadius", 0, 16, tr("Corner Radius"),
                                 tr("How round the popup menus' corners are, 0 to 16 pixels"));
    SpinEdit *inset =
        addNumber(shape, "popup-inset", &LookValues::popupInset, "spnedtLookPopupInset", 0, 8,
                  tr("Highlight Inset"),
                  tr("How far the highlighted row stays inside the frame, 0 to 8 pixels"));
    SpinEdit *padding = addNumber(
        shape, "popup-padding", &LookValues::popupPadding, "spnedtLookPopupPadding", 4, 32,
        tr("Padding"), tr("The captions' distance from the popup's left edge, 4 to 32 pixels"));
    SpinEdit *rowHeight =
        addNumber(shape, "popup-row", &LookValues::popupRow, "spnedtLookPopupRow", 24, 64,
                  tr("Row Height"), tr("The least height of a popup row, 24 to 64 pixels"));
    shadow_ = list(shape, "cmbxLookPopupShadow", {"None", "Small", "Medium", "Large"},
                   tr("A shadow below the popup menus"));
    labelledRow(shapeRows, {{tr("Frame Width"), frame}, {tr("Corner Radius"), radius}});
    labelledRow(shapeRows, {{tr("Highlight Inset"), inset}, {tr("Padding"), padding}});
    labelledRow(shapeRows, {{tr("Row Height"), rowHeight}, {tr("Shadow"), shadow_}});
    page_->addWidget(shape);

    separatorColour_->setAccessibleName(tr("Popup Separator Color"));
    shadow_->setAccessibleName(tr("Popup Shadow"));
    connect(separatorColour_, &ColorPanel::clicked, this, [this] {
        if (const auto chosen = dialogs_.chooseColor(window(), separatorColour_->color()))
            edit("popup-separator", hex(*chosen), tr("Separator"));
    });
    connect(singleSeparator_, &QCheckBox::toggled, this, &PopupLookPage::onSeparatorToggled);
    connect(shadow_, &QComboBox::activated, this,
            [this](int level) { edit("popup-shadow", std::to_string(level), tr("Shadow")); });
    finish(tr("Popup"));
}

void PopupLookPage::showOwn(const LookValues &look)
{
    {
        const QSignalBlocker blocker(singleSeparator_);
        singleSeparator_->setChecked(look.popupSeparator.has_value());
    }
    separatorColour_->setEnabled(look.popupSeparator.has_value());
    separatorColour_->setColor(qcolor(look.popupSeparator.value_or(Rgb{0xA0, 0xA0, 0xA0})));
    shadow_->setCurrentIndex(look.popupShadow);
}

void PopupLookPage::onSeparatorToggled(bool single)
{
    edit("popup-separator", single ? hex(separatorColour_->color()) : std::string(),
         tr("One-Line Separators"));
}

MenuLookPage::MenuLookPage(EditorDocument &document, DialogService &dialogs, QWidget *parent)
    : LookPage(document, dialogs, "pagMenuLook", parent)
{

    QGroupBox *type = group(tr("Type"), this);
    QVBoxLayout *typeRows = rows(type);
    captionFont_ = addFont(type, "font", "weight", "LookFont", tr("Caption Font"));
    popupFont_ = addFont(type, "popup-font", "popup-weight", "LookPopupFont", tr("Popup Font"));
    for (const Font &font : {captionFont_, popupFont_}) {
        QHBoxLayout *line = row(typeRows);
        pair(line, font.label, font.families, true);
        pair(line, tr("Weight"), font.weight);
    }
    caps_ = checkBox(type, "chckbxLookCaps", tr("Capitals"),
                     tr("Show first-level captions in capitals; the text stays as written"));
    typeRows->addWidget(caps_);
    page_->addWidget(type);

    QGroupBox *shape = group(tr("Shape"), this);
    QVBoxLayout *shapeRows = rows(shape);
    labelledRow(shapeRows,
                {{tr("Item Corners"),
                  addNumber(shape, "radius", &LookValues::radius, "spnedtLookRadius", 0, 32,
                            tr("Item Corners"),
                            tr("How round the first-level items' corners are, 0 to 32 pixels"))},
                 {tr("Menu Corners"),
                  addNumber(shape, "menu-radius", &LookValues::menuRadius, "spnedtLookMenuRadius",
                            0, 32, tr("Menu Corners"),
                            tr("How round the menu's and the applet's corners are, 0 to 32 "
                               "pixels"))}});
    labelledRow(shapeRows,
                {{tr("Opening (ms)"),
                  addNumber(shape, "transition", &LookValues::transition, "spnedtLookTransition", 0,
                            300, tr("Opening"),
                            tr("How long a popup takes to fade in, 0 to 300 milliseconds; "
                               "none for visitors who ask for less motion"))}});
    page_->addWidget(shape);

    QGroupBox *colours = group(tr("Color Scheme"), this);
    QVBoxLayout *colourRows = rows(colours);
    scheme_ = list(colours, "cmbxLookScheme", {"Light", "Dark", "Follow the Visitor"},
                   tr("Light, dark, or as the page or the visitor's system asks (the preview's "
                      "Dark box shows it)"));
    QPushButton *derive =
        button(colours, "btnLookDeriveDark", tr("Derive Dark Colors"),
               tr("Make dark colors from the light ones, every caption readable, as a start "
                  "you can change"));
    QHBoxLayout *schemeRow = row(colourRows);
    pair(schemeRow, tr("Scheme"), scheme_);
    schemeRow->addSpacing(10);
    schemeRow->addWidget(derive);
    schemeRow->addStretch(1);
    page_->addWidget(colours);

    scheme_->setAccessibleName(tr("Color scheme"));
    connect(scheme_, &QComboBox::activated, this, [this](int index) {
        static const char *const schemes[] = {"light", "dark", "auto"};
        edit("scheme", schemes[std::clamp(index, 0, 2)], tr("Color Scheme"));
    });
    connect(derive, &QPushButton::clicked, this, &MenuLookPage::deriveDarkColours);
    caps_->setAccessibleName(tr("Menu Capitals"));
    connect(caps_, &QCheckBox::toggled, this,
            [this](bool caps) { edit("caps", caps ? "1" : "", tr("Capitals")); });
    finish(tr("Menu"));
}

MenuLookPage::Font MenuLookPage::addFont(QGroupBox *group, const char *setting,
                                         const char *weightSetting, const char *name,
                                         const QString &label)
{
    // The system's families, the page's own font, and any CSS list typed in.
    QStringList families{QString(), tr(PageFont)};
    families << QFontDatabase::families();
    QComboBox *list =
        editableList(group, QStringLiteral("cmbx%1").arg(QLatin1String(name)), families,
                     tr("The font family, \"Page font\", or a list such as "
                        "Inter, sans-serif; empty: the font named above"));
    QComboBox *weight =
        PageKit::list(group, QStringLiteral("cmbx%1Weight").arg(QLatin1String(name)),
                      {"From Bold", "100", "200", "300", "400", "500", "600", "700", "800", "900"},
                      tr("The weight of the captions, in place of bold"));
    list->setAccessibleName(label);
    list->lineEdit()->setPlaceholderText(tr("The font of the other pages"));
    weight->setAccessibleName(tr("%1 Weight").arg(label));
    const Font font{setting, weightSetting, list, weight, label};
    connect(list->lineEdit(), &QLineEdit::editingFinished, this,
            [this, font] { onFamiliesEdited(font); });
    connect(list, &QComboBox::activated, this, [this, font] { onFamiliesEdited(font); });
    connect(weight, &QComboBox::activated, this, [this, font](int index) {
        edit(font.weightSetting, index > 0 ? std::to_string(index * 100) : std::string(),
             tr("%1 Weight").arg(font.label));
    });
    return font;
}

void MenuLookPage::onFamiliesEdited(const Font &font)
{
    const QString text = font.families->currentText().trimmed();
    edit(font.setting, text == tr(PageFont) ? std::string("page") : text.toStdString(), font.label);
}

void MenuLookPage::showOwn(const LookValues &look)
{
    const LookSettings &settings = document_.menu().look();
    for (const auto &[font, weight] :
         {std::pair{captionFont_, look.weight}, std::pair{popupFont_, look.popupWeight}}) {
        const QSignalBlocker blocker(font.families);
        const std::string families = settings.value(font.setting);
        font.families->setCurrentText(families == "page" ? tr(PageFont)
                                                         : QString::fromStdString(families));
        font.weight->setCurrentIndex(weight / 100);
    }
    const QSignalBlocker blocker(caps_);
    caps_->setChecked(look.caps);
    scheme_->setCurrentIndex(int(look.scheme));
}

void MenuLookPage::deriveDarkColours()
{
    const MenuDocument &menu = document_.menu();
    document_.replaceLook(::deriveDarkColours(menu.appletData(), menu.look()),
                          tr("Derive Dark Colors"));
}

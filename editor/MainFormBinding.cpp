// Moving values between the property pages and the document records.

#include "FieldRules.h"
#include "MainForm.h"
#include "PageLoad.h"
#include "pages/AppletPages.h"
#include "pages/ItemPages.h"
#include "pages/MenuPages.h"
#include "qarUtility.h"
#include "StoreRules.h"
#include "widgets/ColorPanel.h"
#include "widgets/SpinEdit.h"
#include "widgets/TextEdit.h"

#include <algorithm>
#include <map>
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <stdexcept>

namespace {
QString fromStd(const std::string &text)
{
    return QString::fromStdString(text);
}
std::string toStd(const QString &text)
{
    return text.toStdString();
}

QColor colorOf(TColor value)
{
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

TColor valueOf(const QColor &color)
{
    return static_cast<TColor>(color.red()) | static_cast<TColor>(color.green()) << 8 |
           static_cast<TColor>(color.blue()) << 16;
}

void setChoice(QComboBox *list, int position)
{
    const QSignalBlocker blocker(list);
    list->setCurrentIndex(position >= 0 && position < list->count() ? position : -1);
}

// The load order: fields 2 to 85, each gradient flag right after its fade colour, then the
// applet size and the popup font.
std::vector<int> loadOrder()
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
} // namespace

const std::vector<TMainForm::FieldBinding> &TMainForm::appletBindings()
{
    if (!bindings.empty())
        return bindings;
    // Each page lists the fields it shows, with their controls.
    for (const PageFields &page :
         {pagAppletSettings->fields(), pagMoreAppletSettings->fields(), pagMenu->fields(),
          pagItemNormal->fields(), pagItemOver->fields(), pagItemClicked->fields(),
          pagPopupMenu->fields()}) {
        for (const PageField &field : page)
            bindings.push_back({field.position, appletFieldKind(field.position), field.control});
    }
    // Every field the author edits has exactly one control.
    std::vector<int> shown;
    for (const FieldBinding &binding : bindings)
        shown.push_back(binding.position);
    std::sort(shown.begin(), shown.end());
    for (const AppletFieldInfo &field : appletFieldTable()) {
        const FieldKind kind = appletFieldKind(field.position);
        const bool edited = kind != FieldKind::Count && kind != FieldKind::Reserved &&
                            field.position != AppletField::ApBgSnd;
        if (edited != std::binary_search(shown.begin(), shown.end(), field.position))
            throw std::logic_error("applet field " + std::to_string(field.position) +
                                   " is not shown by exactly one control");
    }
    return bindings;
}

namespace {
template <typename... Ts> struct Overloaded : Ts...
{
    using Ts::operator()...;
};
template <typename... Ts> Overloaded(Ts...) -> Overloaded<Ts...>;
} // namespace

void TMainForm::loadField(const FieldBinding &binding, const std::string &value)
{
    std::visit(
        Overloaded{[&](ColorPanel *panel) { panel->setColor(colorOf(RGBHexToColor(value))); },
                   [&](QLineEdit *edit) { edit->setText(FieldRules::trimmed(fromStd(value))); },
                   [&](SpinEdit *spin) { spin->setValue(StrToInt(value)); },
                   [&](QComboBox *list) {
                       if (binding.kind == FieldKind::FontSize) {
                           const int index = list->findText(
                               fromStd(value), Qt::MatchExactly | Qt::MatchCaseSensitive);
                           if (index >= 0)
                               setChoice(list, index);
                       } else {
                           setChoice(list, StrToInt(value));
                       }
                   },
                   [&](QCheckBox *box) { box->setChecked(isFlagOn(value)); },
                   [&](FontButtons buttons) {
                       const int style = StrToInt(value);
                       if (style < FontStyle::Plain || style > FontStyle::BoldItalic)
                           return; // an unknown style leaves the buttons as they are
                       const QSignalBlocker boldBlocker(buttons.bold);
                       const QSignalBlocker italicBlocker(buttons.italic);
                       buttons.bold->setChecked(style == FontStyle::Bold ||
                                                style == FontStyle::BoldItalic);
                       buttons.italic->setChecked(style == FontStyle::Italic ||
                                                  style == FontStyle::BoldItalic);
                   }},
        binding.control);
}

std::string TMainForm::storeField(const FieldBinding &binding) const
{
    return std::visit(
        Overloaded{[](ColorPanel *panel) { return ColorToRGBHex(valueOf(panel->color())); },
                   [](QLineEdit *edit) { return toStd(FieldRules::trimmed(edit->text())); },
                   [](SpinEdit *spin) { return std::to_string(spin->value()); },
                   [&](QComboBox *list) {
                       if (binding.kind == FieldKind::FontSize)
                           return list->currentIndex() < 0 ? std::string()
                                                           : toStd(list->currentText());
                       return std::to_string(list->currentIndex());
                   },
                   [](QCheckBox *box) { return std::string(box->isChecked() ? "1" : "0"); },
                   [](FontButtons buttons) {
                       const bool bold = buttons.bold->isChecked();
                       const bool italic = buttons.italic->isChecked();
                       return std::to_string(bold && italic ? FontStyle::BoldItalic
                                             : bold         ? FontStyle::Bold
                                             : italic       ? FontStyle::Italic
                                                            : FontStyle::Plain);
                   }},
        binding.control);
}

void TMainForm::LoadAppletSettings()
{
    const PageLoad load(*this);
    const TAppletData data = document.GetAppletData();
    std::map<int, const FieldBinding *> byPosition;
    for (const FieldBinding &binding : appletBindings())
        byPosition[binding.position] = &binding;
    for (int pos : loadOrder()) {
        if (auto found = byPosition.find(pos); found != byPosition.end())
            loadField(*found->second, data[pos]);
    }
}

void TMainForm::checkAppletSettings(const TAppletData &data)
{
    for (int pos : loadOrder()) {
        switch (appletFieldKind(pos)) {
        case FieldKind::Colour:
            RGBHexToColor(data[pos]);
            break;
        case FieldKind::Integer:
        case FieldKind::Choice:
        case FieldKind::FontStyle:
            StrToInt(data[pos]);
            break;
        default:
            break;
        }
    }
}

void TMainForm::StoreAppletSettings()
{
    TAppletData data;
    for (const FieldBinding &binding : appletBindings())
        data[binding.position] = storeField(binding);
    applyAppletStoreRules(data, menuTree);
    document.SetAppletData(data);
}

void TMainForm::LoadItemSettings(int index)
{
    const PageLoad load(*this);
    using namespace ItemField;
    const TItemData item = document.GetItem(index);
    ItemPage *page = TabSheet1;
    FirstLevelItemOptionsPage *options = TabSheet2;
    page->edtItemCaption->setText(fromStd(item[ItemCaption]));
    page->edtItemURL->setText(fromStd(item[ItemURL]));
    {
        const QSignalBlocker blocker(page->cmbxItemTarget);
        page->cmbxItemTarget->setEditText(fromStd(item[ItemTarget]));
    }
    page->edtItemStatusBarText->setText(fromStd(item[ItemStatusBarText]));
    options->edtItemNoBgImg->setText(fromStd(item[ItemNoBgImg]));
    options->edtItemOvBgImg->setText(fromStd(item[ItemOvBgImg]));
    options->edtItemClBgImg->setText(fromStd(item[ItemClBgImg]));
    options->edtItemOvBgSnd->setText(fromStd(item[ItemOvBgSnd]));
    options->edtItemClBgSnd->setText(fromStd(item[ItemClBgSnd]));
    options->spnedtItemMenuOffsetX->setValue(StrToInt(item[ItemMenuOffsetX]));
    options->spnedtItemMenuOffsetY->setValue(StrToInt(item[ItemMenuOffsetY]));
}

void TMainForm::StoreItemSettings(int index)
{
    document.SetItem(itemFromPages(), index);
}

TItemData TMainForm::itemFromPages() const
{
    using namespace ItemField;
    ItemPage *page = TabSheet1;
    FirstLevelItemOptionsPage *options = TabSheet2;
    TItemData item;
    item[ItemCaption] = toStd(page->edtItemCaption->text());
    item[ItemURL] = toStd(page->edtItemURL->text());
    item[ItemTarget] = toStd(page->cmbxItemTarget->currentText());
    item[ItemStatusBarText] = toStd(page->edtItemStatusBarText->text());
    item[ItemNoBgImg] = toStd(options->edtItemNoBgImg->text());
    item[ItemOvBgImg] = toStd(options->edtItemOvBgImg->text());
    item[ItemClBgImg] = toStd(options->edtItemClBgImg->text());
    item[ItemOvBgSnd] = toStd(options->edtItemOvBgSnd->text());
    item[ItemClBgSnd] = toStd(options->edtItemClBgSnd->text());
    item[ItemMenuOffsetX] = std::to_string(options->spnedtItemMenuOffsetX->value());
    item[ItemMenuOffsetY] = std::to_string(options->spnedtItemMenuOffsetY->value());
    return item;
}

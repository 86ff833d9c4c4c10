// Moving values between the property pages and the document records.

#include "FieldRules.h"
#include "MainForm.h"
#include "PageLoad.h"
#include "pages/ItemPages.h"
#include "qarUtility.h"
#include "StoreRules.h"
#include "widgets/ColorPanel.h"
#include "widgets/SpinEdit.h"
#include "widgets/TextEdit.h"

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
    // Controls are named after their field with a kind prefix ("pnlApBgClr" shows ApBgClr);
    // a font style is shown by the bold and italic buttons of its block.
    static const char *const prefixes[] = {"pnl", "edt", "spnedt", "cmbx", "chckbx", "chbx"};
    for (const AppletFieldInfo &field : appletFieldTable()) {
        const FieldKind kind = appletFieldKind(field.position);
        const QString name = QLatin1String(field.name);
        if (kind == FieldKind::FontStyle) {
            const QString block = name.left(name.size() - int(qstrlen("FntStyle")));
            bindings.push_back({field.position, kind,
                                findChild<QAbstractButton *>("spdbtn" + block + "FntBold"),
                                findChild<QAbstractButton *>("spdbtn" + block + "FntItalic")});
            continue;
        }
        for (const char *prefix : prefixes) {
            if (auto *control = findChild<QWidget *>(QLatin1String(prefix) + name)) {
                bindings.push_back({field.position, kind, control});
                break;
            }
        }
    }
    for (const FieldBinding &binding : bindings) {
        if (!binding.control || (binding.kind == FieldKind::FontStyle && !binding.italic))
            throw std::logic_error("applet field " + std::to_string(binding.position) +
                                   " has no control");
    }
    return bindings;
}

void TMainForm::loadField(const FieldBinding &binding, const std::string &value)
{
    switch (binding.kind) {
    case FieldKind::Colour:
        static_cast<ColorPanel *>(binding.control)->setColor(colorOf(RGBHexToColor(value)));
        break;
    case FieldKind::Text:
    case FieldKind::FileName:
        static_cast<QLineEdit *>(binding.control)->setText(FieldRules::trimmed(fromStd(value)));
        break;
    case FieldKind::Integer:
        static_cast<SpinEdit *>(binding.control)->setValue(StrToInt(value));
        break;
    case FieldKind::Choice:
        setChoice(static_cast<QComboBox *>(binding.control), StrToInt(value));
        break;
    case FieldKind::FontSize: {
        auto *list = static_cast<QComboBox *>(binding.control);
        const int index = list->findText(fromStd(value), Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (index >= 0)
            setChoice(list, index);
        break;
    }
    case FieldKind::Flag:
        static_cast<QCheckBox *>(binding.control)->setChecked(isFlagOn(value));
        break;
    case FieldKind::FontStyle: {
        const int style = StrToInt(value);
        if (style < FontStyle::Plain || style > FontStyle::BoldItalic)
            break; // an unknown style leaves the buttons as they are
        auto *bold = static_cast<QAbstractButton *>(binding.control);
        const QSignalBlocker boldBlocker(bold);
        const QSignalBlocker italicBlocker(binding.italic);
        bold->setChecked(style == FontStyle::Bold || style == FontStyle::BoldItalic);
        binding.italic->setChecked(style == FontStyle::Italic || style == FontStyle::BoldItalic);
        break;
    }
    case FieldKind::Count:
    case FieldKind::Reserved:
        break;
    }
}

std::string TMainForm::storeField(const FieldBinding &binding) const
{
    switch (binding.kind) {
    case FieldKind::Colour:
        return ColorToRGBHex(valueOf(static_cast<ColorPanel *>(binding.control)->color()));
    case FieldKind::Text:
    case FieldKind::FileName:
        return toStd(FieldRules::trimmed(static_cast<QLineEdit *>(binding.control)->text()));
    case FieldKind::Integer:
        return std::to_string(static_cast<SpinEdit *>(binding.control)->value());
    case FieldKind::Choice:
        return std::to_string(static_cast<QComboBox *>(binding.control)->currentIndex());
    case FieldKind::FontSize: {
        auto *list = static_cast<QComboBox *>(binding.control);
        return list->currentIndex() < 0 ? std::string() : toStd(list->currentText());
    }
    case FieldKind::Flag:
        return static_cast<QCheckBox *>(binding.control)->isChecked() ? "1" : "0";
    case FieldKind::FontStyle: {
        const bool bold = static_cast<QAbstractButton *>(binding.control)->isChecked();
        const bool italic = binding.italic->isChecked();
        return std::to_string(bold && italic ? FontStyle::BoldItalic
                              : bold         ? FontStyle::Bold
                              : italic       ? FontStyle::Italic
                                             : FontStyle::Plain);
    }
    case FieldKind::Count:
    case FieldKind::Reserved:
        break;
    }
    return std::string();
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

// Moving values between the property pages and the document records.

#include "document/qarUtility.h"
#include "document/StoreRules.h"
#include "editor/MainWindow.h"
#include "editor/PageLoad.h"
#include "editor/pages/AppletPages.h"
#include "editor/pages/ItemPages.h"
#include "editor/pages/MenuPages.h"

#include <algorithm>
#include <map>
#include <stdexcept>

namespace {
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

const PageFields &MainWindow::appletBindings()
{
    if (!bindings.empty())
        return bindings;
    for (const FieldPage *page : appletPages())
        bindings.insert(bindings.end(), page->fields().begin(), page->fields().end());
    // Every field the author edits has exactly one control.
    std::vector<int> shown;
    for (const PageField &field : bindings)
        shown.push_back(field.position);
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

std::vector<FieldPage *> MainWindow::appletPages() const
{
    return {pagAppletSettings, pagMoreAppletSettings, pagMenu,     pagItemNormal,
            pagItemOver,       pagItemClicked,        pagPopupMenu};
}

void MainWindow::LoadAppletSettings()
{
    const PageLoad load(*this);
    const TAppletData data = document.GetAppletData();
    std::map<int, const PageField *> byPosition;
    for (const PageField &field : appletBindings())
        byPosition[field.position] = &field;
    for (int pos : loadOrder()) {
        if (auto found = byPosition.find(pos); found != byPosition.end())
            FieldPage::loadField(*found->second, data[pos]);
    }
}

void MainWindow::checkAppletSettings(const TAppletData &data)
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

void MainWindow::StoreAppletSettings()
{
    TAppletData data;
    for (const PageField &field : appletBindings())
        data.set(field.position, FieldPage::storeField(field));
    applyAppletStoreRules(data, menuTree);
    document.SetAppletData(data);
}

void MainWindow::LoadItemSettings(int index)
{
    const PageLoad load(*this);
    const TItemData item = document.GetItem(index);
    itemPage->load(item);
    firstLevelPage->load(item);
}

void MainWindow::StoreItemSettings(int index)
{
    document.SetItem(itemFromPages(), index);
}

TItemData MainWindow::itemFromPages() const
{
    TItemData item;
    itemPage->store(item);
    firstLevelPage->store(item);
    return item;
}

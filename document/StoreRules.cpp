#include "StoreRules.h"

#include <string>

namespace {
struct BorderPair
{
    int width;
    int style;
};

struct GradientPair
{
    int background;
    int fade;
    int flag;
};

constexpr BorderPair borders[] = {
    {AppletField::ApBrdWidth, AppletField::ApBrdStyle},
    {AppletField::MnBrdWidth, AppletField::MnBrdStyle},
    {AppletField::ItNoBrdWidth, AppletField::ItNoBrdStyle},
    {AppletField::ItOvBrdWidth, AppletField::ItOvBrdStyle},
    {AppletField::ItClBrdWidth, AppletField::ItClBrdStyle},
};

constexpr GradientPair gradients[] = {
    {AppletField::ApBgClr, AppletField::ApBgFadeClr, AppletField::ApBgGradientFill},
    {AppletField::MnBgClr, AppletField::MnBgFadeClr, AppletField::MnBgGradientFill},
    {AppletField::ItNoBgClr, AppletField::ItNoBgFadeClr, AppletField::ItNoBgGradientFill},
    {AppletField::ItOvBgClr, AppletField::ItOvBgFadeClr, AppletField::ItOvBgGradientFill},
    {AppletField::ItClBgClr, AppletField::ItClBgFadeClr, AppletField::ItClBgGradientFill},
};

// Nodes that open a menu: the root with children, and every item with children.
int nodesWithChildren(const ItemTree &tree)
{
    int count = 0;
    for (const PreOrderEntry &entry : preOrderEntries(tree)) {
        if (entry.childCount > 0)
            ++count;
    }
    return count;
}
} // namespace

void applyAppletStoreRules(AppletRecord &data, const ItemTree &tree)
{
    const ItemTree::Node root = tree.root();
    data.set(AppletField::MnItemCount, std::to_string(root ? tree.childCount(root) : 0));
    data.set(AppletField::PopupMenuCount, std::to_string(nodesWithChildren(tree) - 1));

    data.set(AppletField::ApBgSnd, "");
    for (int pos : AppletField::reservedFields())
        data.set(pos, "");

    for (const BorderPair &border : borders) {
        if (data[border.style] == "0")
            data.set(border.width, "0");
    }
    for (const GradientPair &gradient : gradients) {
        if (!isFlagOn(data[gradient.flag]))
            data.set(gradient.fade, data[gradient.background]);
    }
}

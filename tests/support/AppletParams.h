#pragma once

#include "document/MenuDocument.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The parameters the applet should receive, name and value in output order, read straight
// from the records (which must be numbered): the oracle the generated HTML is checked against.
inline std::vector<std::pair<std::string, std::string>> expectedParams(const MenuDocument &doc)
{
    using namespace ItemField;
    // Fields are read as views; the expected texts are built from copies.
    auto str = [](std::string_view field) { return std::string(field); };
    std::vector<std::pair<std::string, std::string>> params;
    std::string app;
    const AppletRecord data = doc.appletData();
    for (int pos = 1; pos <= 96; ++pos)
        app += str(data[pos]) + "|";
    params.emplace_back("app", app);
    const ItemList &items = doc.items();
    for (std::size_t k = 0; k < items.size(); ++k) {
        const ItemRecord &item = items[k];
        if (item[ItemMenu].empty()) {
            std::string value;
            for (int pos = ItemCaption; pos <= ItemMenuOffsetY; ++pos)
                value += str(item[pos]) + "|";
            params.emplace_back("I0-" + str(item[ItemIndex]), value);
        }
        if (!item[ItemSubMenu].empty() && k + 1 < items.size())
            params.emplace_back("btn" + str(items[k + 1][ItemButton]) + "mn" +
                                    str(items[k + 1][ItemMenu]),
                                item[ItemSubMenu] == "0" ? "" : str(item[ItemCaption]));
        if (!item[ItemMenu].empty())
            params.emplace_back("btn" + str(item[ItemButton]) + "mn" + str(item[ItemMenu]) + "it" +
                                    str(item[ItemIndex]),
                                item[ItemSubMenu].empty()
                                    ? str(item[ItemCaption]) + "|" + str(item[ItemURL]) + "|" +
                                          str(item[ItemTarget]) + "|"
                                    : "btn" + str(item[ItemButton]) + "mn" +
                                          str(item[ItemSubMenu]));
    }
    return params;
}

// The HTML fragment that embeds the applet: one applet tag whose parameters carry the 96
// settings in "app" and every item in parameters of its own, CR LF after every line.

#include "HtmlWriter.h"

#include "document/FileSystem.h"
#include "document/MenuDocument.h"
#include "document/MenuLayout.h"
#include "document/MenuValues.h"
#include "document/TextCodec.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {
const char *const CopyrightNotice =
    "Zorvex Menu Applet, Copyright (c) 2002-2005 Tarvelle Software. All rights reserved.";

std::string attr(std::string_view value)
{
    return escapeHtmlAttribute(value);
}

std::string param(const std::string &name, const std::string &escapedValue)
{
    return "\t<param name=\"" + name + "\" value=\"" + escapedValue + "\">";
}

// About what an item adds to the fragment: its values and the markup around them. A fragment
// kept whole is reserved at this size up front, so that it never grows by doubling, which
// leaves the largest text twice in memory for a moment.
std::size_t itemBytes(const ItemRecord &item, std::size_t separator)
{
    std::size_t bytes = 64;
    for (int pos = ItemField::ItemCaption; pos <= ItemField::ItemMenuOffsetY; ++pos)
        bytes += item[pos].size() + separator;
    return bytes;
}
} // namespace

std::string HtmlWriter::fragment() const
{
    const std::size_t separator = escapeHtmlAttribute(document_.separator()).size();
    std::size_t expected = 4096 + AppletRecord::FieldCount * (8 + separator);
    for (const ItemRecord &item : document_.items())
        expected += itemBytes(item, separator);
    TextOut out;
    out.reserve(expected);
    write(out);
    return out.take();
}

void HtmlWriter::write(TextOut &out) const
{
    out.line("<HTML>");
    writeAppletElement(out);
    out.line("</applet>");
    out.line("</HTML>");
}

void HtmlWriter::writeAppletElement(TextOut &out, const PageLinks &links) const
{
    using namespace ItemField;
    const AppletRecord data = document_.appletData();
    const ItemList &items = document_.items();
    const std::string &name = document_.appletName();
    const std::string sep = attr(document_.separator());
    out.line("<applet code=\"" + attr(name) + ".class\" archive=\"" + attr(name) +
             ".jar\" width=\"" + attr(data[AppletField::ApWidth]) + "\" height=\"" +
             attr(data[AppletField::ApHeight]) + "\">");
    out.line(param("Copyright", attr(CopyrightNotice)));

    std::string app;
    for (int pos = 1; pos <= AppletRecord::FieldCount; ++pos)
        app += attr(data[pos]) + sep;
    out.line(param("app", app));
    // The look settings, known or not, for the runtime; none for the basic look.
    if (!document_.look().empty())
        out.line(param("look", attr(document_.look().toJson())));

    ProgressDisplay &progress = document_.progress();
    const int lastIndex = static_cast<int>(items.size()) - 1;
    if (progress.minimum() < lastIndex)
        progress.setMaximum(lastIndex);
    else
        progress.setMaximum(progress.minimum() + 100);

    for (std::size_t k = 0; k < items.size(); ++k) {
        const ItemRecord &item = items[k];
        const bool inPopup = !item[ItemMenu].empty();
        const bool opensPopup = !item[ItemSubMenu].empty();
        // An item that opens a popup is always followed by its first child.
        const ItemRecord *next = k + 1 < items.size() ? &items[k + 1] : nullptr;

        if (!inPopup) {
            std::string value;
            for (int pos = ItemCaption; pos <= ItemMenuOffsetY; ++pos)
                value += (pos == ItemURL ? attr(links(item[pos])) : attr(item[pos])) + sep;
            out.line(param("I0-" + attr(item[ItemIndex]), value));
        }
        if (opensPopup && next) {
            const std::string name =
                "btn" + attr((*next)[ItemButton]) + "mn" + attr((*next)[ItemMenu]);
            out.line(param(name, item[ItemSubMenu] == "0" ? "" : attr(item[ItemCaption])));
        }
        if (inPopup) {
            const std::string name = "btn" + attr(item[ItemButton]) + "mn" + attr(item[ItemMenu]) +
                                     "it" + attr(item[ItemIndex]);
            const std::string value =
                opensPopup ? "btn" + attr(item[ItemButton]) + "mn" + attr(item[ItemSubMenu])
                           : attr(item[ItemCaption]) + sep + attr(links(item[ItemURL])) + sep +
                                 attr(item[ItemTarget]) + sep;
            out.line(param(name, value));
        }
        progress.step(1);
        progress.setText("Making HTML codes ... ...");
    }
    progress.setPosition(0);
    progress.setText("");
}

void HtmlWriter::save(const std::string &fileName) const
{
    fsx::writeFileAtomically(fileName, [this](TextOut &out) { write(out); });
}

namespace {
// A target that opens another window or frame (_blank or a name), which gets no hold on the
// page: every target but _self, _parent and _top.
bool opensElsewhere(std::string_view target)
{
    std::string folded(target);
    std::transform(folded.begin(), folded.end(), folded.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return !folded.empty() && folded != "_self" && folded != "_parent" && folded != "_top";
}

// An attribute value, quoted only where HTML needs it: most addresses go without.
std::string attrValue(std::string_view value)
{
    const bool plain = !value.empty() && std::all_of(value.begin(), value.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) ||
               (c != '\0' && std::strchr("-._~/:?#%+,;!@$*()[]", c));
    });
    return plain ? std::string(value) : "\"" + attr(value) + "\"";
}

// The menu as plain nested lists, for browsers without scripts and crawlers that run none:
// a link per item (its caption alone when it has no address), the caption and a nested list
// for an item that opens a popup; separators below the first level are left out. One item a
// line, end tags that HTML implies left out, to keep the page small.
} // namespace

void writeNoScriptMenu(TextOut &out, const ItemList &items, const std::vector<int> &parents,
                       const PageLinks &links)
{
    using namespace ItemField;
    const std::size_t count = std::min(items.size(), parents.size());
    out.line("<ul>");
    std::vector<int> open{-1}; // the items whose lists are open, innermost last
    for (std::size_t k = 0; k < count; ++k) {
        const int parent = parents[k] < static_cast<int>(k) ? parents[k] : -1;
        while (open.size() > 1 && open.back() != parent) {
            out.line("</ul>");
            open.pop_back();
        }
        const ItemRecord &item = items[k];
        const std::string caption = popupRowCaption(item, false);
        const bool branch = k + 1 < count && parents[k + 1] == static_cast<int>(k);
        if (!branch && parent >= 0 && caption == SeparatorCaption)
            continue;
        if (branch) {
            out.line("<li>" + attr(caption));
            out.line("<ul>");
            open.push_back(static_cast<int>(k));
            continue;
        }
        const std::string_view url = item[ItemURL];
        const std::string_view target = item[ItemTarget];
        if (url.empty()) {
            out.line("<li>" + attr(caption));
            continue;
        }
        std::string link = "<li><a href=" + attrValue(links(url));
        if (!target.empty() && target != "_self")
            link += " target=" + attrValue(target);
        if (opensElsewhere(target))
            link += " rel=noopener";
        if (static_cast<int>(k) == links.currentItem)
            link += " aria-current=page";
        out.line(link + ">" + attr(caption) + "</a>");
    }
    for (; open.size() > 1; open.pop_back())
        out.line("</ul>");
    out.line("</ul>");
}

// The plain lists inside a canvas of the menu's size: a browser that runs scripts shows the
// canvas (an empty box where the menu will be, so that nothing moves when the runtime draws
// it) and never the lists; one that runs none shows the lists in its place.
void HtmlWriter::writePlaceholder(TextOut &out, const std::vector<int> &parents,
                                  const PageLinks &links) const
{
    using namespace AppletField;
    const AppletValues values(document_.appletData());
    out.line("<canvas width=" + std::to_string(values.size(ApWidth)) +
             " height=" + std::to_string(values.size(ApHeight)) + ">");
    writeNoScriptMenu(out, document_.items(), parents, links);
    out.line("</canvas>");
}

void HtmlWriter::writeSavedPage(TextOut &out, const std::string &title, const ItemTree &tree) const
{
    if (!document_.includeWebRuntime()) {
        write(out);
        return;
    }
    // The plain menu lies inside the applet element, where browsers that run no script
    // show it; the script line follows the element at once, so that the runtime draws the
    // menu before the browser has read the rest of the page.
    for (const char *line :
         {"<!DOCTYPE html>", "<html lang=\"en\">", "<head>", "<meta charset=\"utf-8\">",
          "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"})
        out.line(line);
    out.line("<title>" + attr(title) + "</title>");
    out.line("</head>");
    out.line("<body>");
    writeAppletElement(out);
    writePlaceholder(out, itemParents(tree), PageLinks{});
    out.line("</applet>");
    out.line(WebRuntimeScript);
    out.line("</body>");
    out.line("</html>");
}

void HtmlWriter::writeSiteMenu(TextOut &out, const std::vector<int> &parents,
                               const PageLinks &links, const std::string &scriptPath) const
{
    writeAppletElement(out, links);
    writePlaceholder(out, parents, links);
    out.line("</applet>");
    out.line("<script src=" + attrValue(scriptPath) + "></script>");
}

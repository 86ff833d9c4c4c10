// The HTML fragment that embeds the applet: one applet tag whose parameters carry the 96
// settings in "app" and every item in parameters of its own, CR LF after every line.

#include "FileSystem.h"
#include "qarAppletAgent.h"
#include "TextCodec.h"

namespace {
const char *const CopyrightNotice =
    "Zorvex Menu Applet, Copyright (c) 2002-2005 Tarvelle Software. All rights reserved.";

std::string attr(const std::string &value)
{
    return escapeHtmlAttribute(value);
}

void appendLine(std::string &out, const std::string &line)
{
    out += line;
    out += LineEnd;
}

std::string param(const std::string &name, const std::string &escapedValue)
{
    return "\t<param name=\"" + name + "\" value=\"" + escapedValue + "\">";
}
} // namespace

std::string TqarAppletAgent::GenerateHTMLText() const
{
    using namespace ItemField;
    const std::string sep = attr(separator_);
    std::string out;
    appendLine(out, "<HTML>");
    appendLine(out, "<applet code=\"" + attr(appletName_) + ".class\" archive=\"" +
                        attr(appletName_) + ".jar\" width=\"" +
                        attr(AppletData[AppletField::ApWidth]) + "\" height=\"" +
                        attr(AppletData[AppletField::ApHeight]) + "\">");
    appendLine(out, param("Copyright", attr(CopyrightNotice)));

    std::string app;
    for (int pos = 1; pos <= TAppletData::FieldCount; ++pos)
        app += attr(AppletData[pos]) + sep;
    appendLine(out, param("app", app));

    ProgressDisplay &progress = Progress();
    const int lastIndex = static_cast<int>(Items.size()) - 1;
    if (progress.minimum() < lastIndex)
        progress.setMaximum(lastIndex);
    else
        progress.setMaximum(progress.minimum() + 100);

    for (std::size_t k = 0; k < Items.size(); ++k) {
        const TItemData &item = Items[k];
        const bool inPopup = !item[ItemMenu].empty();
        const bool opensPopup = !item[ItemSubMenu].empty();
        // An item that opens a popup is always followed by its first child.
        const TItemData *next = k + 1 < Items.size() ? &Items[k + 1] : nullptr;

        if (!inPopup) {
            std::string value;
            for (int pos = ItemCaption; pos <= ItemMenuOffsetY; ++pos)
                value += attr(item[pos]) + sep;
            appendLine(out, param("I0-" + attr(item[ItemIndex]), value));
        }
        if (opensPopup && next) {
            const std::string name =
                "btn" + attr((*next)[ItemButton]) + "mn" + attr((*next)[ItemMenu]);
            appendLine(out, param(name, item[ItemSubMenu] == "0" ? "" : attr(item[ItemCaption])));
        }
        if (inPopup) {
            const std::string name = "btn" + attr(item[ItemButton]) + "mn" + attr(item[ItemMenu]) +
                                     "it" + attr(item[ItemIndex]);
            const std::string value =
                opensPopup ? "btn" + attr(item[ItemButton]) + "mn" + attr(item[ItemSubMenu])
                           : attr(item[ItemCaption]) + sep + attr(item[ItemURL]) + sep +
                                 attr(item[ItemTarget]) + sep;
            appendLine(out, param(name, value));
        }
        progress.step(1);
        progress.setText("Making HTML codes ... ...");
    }
    progress.setPosition(0);
    progress.setText("");

    appendLine(out, "</applet>");
    appendLine(out, "</HTML>");
    return out;
}

void TqarAppletAgent::GenerateHTML(const std::string &fileName) const
{
    fsx::writeFileAtomically(fileName, GenerateHTMLText());
}

std::string TqarAppletAgent::SavedPageText() const
{
    std::string page = GenerateHTMLText();
    if (includeWebRuntime_) {
        const std::string end = std::string("</applet>") + LineEnd;
        page.insert(page.rfind(end) + end.size(), std::string(WebRuntimeScript) + LineEnd);
    }
    return page;
}

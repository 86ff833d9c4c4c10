// Any document through the HTML generator: every attribute value, parsed back as HTML parses
// a double-quoted attribute, equals the value that went in, and no element appears that the
// generator did not write.
//
// The input is read as text: its first 96 lines are the applet settings, every further line
// an item whose first character picks its depth and whose fields are separated by U+001F.
// U+001E inside a value stands for a line break, which the editor never lets in but the
// generator must still carry.

#include "document/HtmlWriter.h"
#include "document/MemoryTree.h"
#include "document/MenuDocument.h"
#include "document/MenuStructure.h"
#include "document/TextCodec.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tests/support/AppletParams.h"

#include <map>
#include <vector>

namespace {
// What a browser makes of the value when no reference can carry a character: NUL and the
// C1 controls become U+FFFD.
std::string asBrowserSees(std::string_view utf8)
{
    std::string out;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c == 0) {
            out += "\xEF\xBF\xBD";
        } else if (c == 0xC2 && i + 1 < utf8.size() &&
                   static_cast<unsigned char>(utf8[i + 1]) >= 0x80 &&
                   static_cast<unsigned char>(utf8[i + 1]) <= 0x9F) {
            out += "\xEF\xBF\xBD";
            ++i;
        } else {
            out += utf8[i];
        }
    }
    return out;
}

// A double-quoted attribute value as HTML reads it: up to the next quote, references decoded.
std::string decodeAttribute(const std::string &raw)
{
    std::string out;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] != '&') {
            out += raw[i];
            continue;
        }
        const std::size_t end = raw.find(';', i);
        fuzzCheck(end != std::string::npos, "a bare ampersand in " + raw);
        const std::string ref = raw.substr(i + 1, end - i - 1);
        static const std::map<std::string, char> named{
            {"amp", '&'}, {"quot", '"'}, {"lt", '<'}, {"gt", '>'}};
        if (auto found = named.find(ref); found != named.end()) {
            out += found->second;
        } else {
            fuzzCheck(ref.size() > 1 && ref[0] == '#', "an unknown reference &" + ref + ";");
            std::uint32_t cp = static_cast<std::uint32_t>(std::stoul(ref.substr(1)));
            if (cp == 0 || (cp >= 0x80 && cp <= 0x9F) || cp > 0x10FFFF ||
                (cp >= 0xD800 && cp <= 0xDFFF))
                cp = 0xFFFD; // the numeric references HTML does not pass through as they are
            appendUtf8(out, cp);
        }
        i = end;
    }
    return out;
}

// Reads `<prefix>"value"...` attributes of one line in order; the line must hold exactly the
// expected attributes and nothing else.
std::vector<std::string> attributes(const std::string &line, const std::vector<std::string> &names,
                                    const std::string &open, const std::string &close)
{
    fuzzCheck(line.compare(0, open.size(), open) == 0, "unexpected line: " + line);
    std::vector<std::string> values;
    std::size_t at = open.size();
    for (std::size_t k = 0; k < names.size(); ++k) {
        const std::string key = (k == 0 ? "" : " ") + names[k] + "=\"";
        fuzzCheck(line.compare(at, key.size(), key) == 0,
                  "missing attribute " + names[k] + " in " + line);
        at += key.size();
        const std::size_t quote = line.find('"', at);
        fuzzCheck(quote != std::string::npos, "unterminated attribute in " + line);
        const std::string raw = line.substr(at, quote - at);
        fuzzCheck(raw.find_first_of("<>") == std::string::npos, "markup inside a value: " + line);
        values.push_back(decodeAttribute(raw));
        at = quote + 1;
    }
    fuzzCheck(line.substr(at) == close, "trailing text after the attributes: " + line);
    return values;
}

std::vector<std::string> split(const std::string &text, char separator)
{
    std::vector<std::string> parts{std::string()};
    for (char c : text) {
        if (c == separator)
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}

std::string withLineBreaks(std::string value)
{
    for (char &c : value) {
        if (c == '\x1E')
            c = '\n';
    }
    return value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::vector<std::string> lines =
        splitLines(decodeText(std::string(reinterpret_cast<const char *>(data), size)));
    MenuDocument doc;
    doc.resetToDefaults();
    AppletRecord applet = doc.appletData();
    std::size_t next = 0;
    for (int pos = 1; pos <= 96 && next < lines.size(); ++pos)
        applet.set(pos, withLineBreaks(lines[next++]));
    doc.setAppletData(applet);

    MemoryTree tree;
    std::vector<ItemTree::Node> ancestors{tree.addChild(nullptr, "Tarvelle")};
    for (; next < lines.size() && doc.itemCount() < 2000; ++next) {
        const std::string &line = lines[next];
        const int wanted = line.empty() ? 1 : 1 + static_cast<unsigned char>(line[0]) % 4;
        const int depth = std::min<int>(wanted, static_cast<int>(ancestors.size()));
        ItemRecord item = doc.newItem();
        // The depth character is one whole character, so the rest stays valid UTF-8.
        std::size_t skip = line.empty() ? 0 : 1;
        while (skip < line.size() && (static_cast<unsigned char>(line[skip]) & 0xC0) == 0x80)
            ++skip;
        const std::vector<std::string> fields = split(line.substr(skip), '\x1F');
        for (std::size_t f = 0; f < fields.size() && f < 11; ++f)
            item.set(static_cast<int>(f) + 1, withLineBreaks(fields[f]));
        ancestors.resize(static_cast<std::size_t>(depth));
        ancestors.push_back(
            tree.addChild(ancestors.back(), std::string(item[ItemField::ItemCaption])));
        doc.items().push_back(item);
    }
    NullProgress progress;
    numberMenuStructure(tree, doc.items(), progress);

    const std::vector<std::string> html = splitLines(HtmlWriter(doc).fragment());
    const auto expected = expectedParams(doc);
    fuzzCheck(html.size() == expected.size() + 5,
              "the fragment has " + std::to_string(html.size()) + " lines");
    fuzzCheck(html.front() == "<HTML>" && html[html.size() - 2] == "</applet>" &&
                  html.back() == "</HTML>",
              "the fragment is not framed by its tags");
    const auto tag = attributes(html[1], {"code", "archive", "width", "height"}, "<applet ", ">");
    fuzzCheck(tag[0] == "zorvex.class" && tag[1] == "zorvex.jar", "the applet files are wrong");
    fuzzCheck(tag[2] == asBrowserSees(applet[AppletField::ApWidth]) &&
                  tag[3] == asBrowserSees(applet[AppletField::ApHeight]),
              "the applet size did not survive");
    attributes(html[2], {"name", "value"}, "\t<param ", ">");
    for (std::size_t k = 0; k < expected.size(); ++k) {
        const auto param = attributes(html[3 + k], {"name", "value"}, "\t<param ", ">");
        fuzzCheck(param[0] == asBrowserSees(expected[k].first), "parameter name " + param[0]);
        fuzzCheck(param[1] == asBrowserSees(expected[k].second),
                  "the value of " + param[0] + " did not survive: '" + param[1] + "' for '" +
                      asBrowserSees(expected[k].second) + "'");
    }
    return 0;
}

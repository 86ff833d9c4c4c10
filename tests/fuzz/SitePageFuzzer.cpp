// Any bytes as a page of a site: the menu goes between its markers (or after its <body> tag
// when the first byte asks for markers) without a crash, nothing outside the markers changes,
// and a second run changes nothing.

#include "site/SitePages.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    using State = site::PageUpdate::State;
    const bool addMarkers = data[0] & 1;
    const std::string page(reinterpret_cast<const char *>(data) + 1, size - 1);
    const std::string menu = "<applet>\r\n<ul>\r\n</ul>\r\n</applet>\r\n";
    const site::PageUpdate update = site::updatePage(page, menu, addMarkers);
    if (update.state != State::Filled && update.state != State::MarkersAdded) {
        fuzzCheck(update.text.empty(), "a page left alone has no new text");
        return 0;
    }
    const std::size_t open = update.text.find(site::OpenMarker);
    const std::size_t close = update.text.find(site::CloseMarker);
    fuzzCheck(open != std::string::npos && close > open, "the new page holds the markers in order");
    if (update.state == State::Filled) {
        const std::size_t end = open + site::OpenMarker.size();
        fuzzCheck(update.text.compare(0, end, page, 0, end) == 0, "the page before the markers");
        const std::string tail = update.text.substr(close);
        fuzzCheck(page.size() >= tail.size() &&
                      page.compare(page.size() - tail.size(), tail.size(), tail) == 0,
                  "the page after the markers");
    } else {
        fuzzCheck(update.text.size() > page.size(), "markers were added");
    }
    const site::PageUpdate again = site::updatePage(update.text, menu, addMarkers);
    fuzzCheck(again.state == State::Filled && again.text == update.text,
              "a second run changes nothing");
    return 0;
}

#include "QtCaptionMeasure.h"

#include <algorithm>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QString>
#include <QStringList>

namespace {
QStringList familyList(const std::string &css)
{
    static const std::pair<const char *, const char *> generic[] = {{"serif", "Times New Roman"},
                                                                    {"sans-serif", "Arial"},
                                                                    {"monospace", "Monospace"},
                                                                    {"system-ui", "Arial"}};
    QStringList names;
    for (QString name : QString::fromStdString(css).split(QLatin1Char(','))) {
        name = name.trimmed();
        if (name.startsWith(QLatin1Char('"')) && name.endsWith(QLatin1Char('"')) && name.size() > 1)
            name = name.mid(1, name.size() - 2);
        bool isGeneric = false;
        for (const auto &[genericName, family] : generic) {
            if (name == QLatin1String(genericName)) {
                name = QLatin1String(family);
                isGeneric = true;
            }
        }
        // A family that is not installed is passed over, as the browser passes over it;
        // fontconfig would otherwise put its own default in its place.
        if (!name.isEmpty() && (isGeneric || QFontDatabase::hasFamily(name)))
            names << name;
    }
    // None installed: the browser's own default, a serif face.
    if (names.isEmpty())
        names << QStringLiteral("Times New Roman");
    return names;
}
} // namespace

QFont captionFont(const CaptionFont &font)
{
    // The families browsers give the generic names by default (fontconfig substitutes the
    // metric-compatible fonts where these are not installed), so captions measure alike.
    static const char *const families[] = {"Times New Roman", "Arial", "Monospace", "Arial"};
    static const QFont::StyleHint hints[] = {QFont::Serif, QFont::SansSerif, QFont::Monospace,
                                             QFont::SansSerif};
    const int family = std::clamp(font.family, 0, 3);
    QFont f{QString::fromLatin1(families[family])};
    f.setStyleHint(hints[family]);
    // A family list of the look, as the browser reads it: the first installed name, then the
    // generic ones as above. The page's own font is the page's to know: the basic family.
    if (!font.families.empty() && font.families != "page")
        f.setFamilies(familyList(font.families));
    f.setPixelSize(std::max(1, font.size));
    f.setBold(font.style & 1);
    if (font.weight > 0)
        f.setWeight(QFont::Weight(font.weight));
    f.setItalic(font.style & 2);
    if (font.caps)
        f.setCapitalization(QFont::AllUppercase);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

double QtCaptionMeasure::width(const std::string &utf8, const CaptionFont &font) const
{
    auto &widths = cache_[std::to_string(font.size) + '/' + std::to_string(font.family) + '/' +
                          std::to_string(font.style) + '/' + std::to_string(font.weight) +
                          (font.caps ? "/caps/" : "/") + font.families];
    if (auto found = widths.find(utf8); found != widths.end()) {
        found->second.used = ++clock_;
        return found->second.width;
    }
    const double w =
        QFontMetricsF(captionFont(font)).horizontalAdvance(QString::fromStdString(utf8));
    widths.emplace(utf8, Width{w, ++clock_});
    if (++cached_ > Capacity)
        evictOldest();
    return w;
}

// Drops the older half of the widths: one pass now and then, instead of keeping every entry
// in a recency list that each lookup would have to update.
void QtCaptionMeasure::evictOldest() const
{
    std::vector<unsigned long long> uses;
    uses.reserve(cached_);
    for (const auto &font : cache_) {
        for (const auto &entry : font.second)
            uses.push_back(entry.second.used);
    }
    auto middle = uses.begin() + static_cast<std::ptrdiff_t>(uses.size() / 2);
    std::nth_element(uses.begin(), middle, uses.end());
    const unsigned long long keepFrom = *middle;
    cached_ = 0;
    for (auto &font : cache_) {
        for (auto entry = font.second.begin(); entry != font.second.end();) {
            if (entry->second.used < keepFrom) {
                entry = font.second.erase(entry);
            } else {
                ++cached_;
                ++entry;
            }
        }
    }
}

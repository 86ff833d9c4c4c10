#include "QtCaptionMeasure.h"

#include <algorithm>
#include <QFont>
#include <QFontMetricsF>
#include <QString>

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
    f.setPixelSize(std::max(1, font.size));
    f.setBold(font.style & 1);
    f.setItalic(font.style & 2);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

double QtCaptionMeasure::width(const std::string &utf8, const CaptionFont &font) const
{
    auto &widths =
        cache_[(static_cast<long long>(font.size) << 8) | (font.family << 4) | font.style];
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

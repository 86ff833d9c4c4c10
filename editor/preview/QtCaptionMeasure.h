#pragma once

#include "document/MenuLayout.h"

#include <string>
#include <unordered_map>

class QFont;

// Measures captions with Qt's font engine, unhinted as the browser measures them, and keeps
// what it measured: most captions do not change between two drawings.
class QtCaptionMeasure : public CaptionMeasure
{
public:
    double width(const std::string &utf8, const CaptionFont &font) const override;

    // The most widths kept: beyond a menu's worth of captions the least recently used go, so
    // neither a long session of typing nor a menu of many distinct captions makes every
    // caption be shaped again on every command.
    static constexpr std::size_t Capacity = 1 << 20;
    std::size_t size() const { return cached_; }
    // How many widths were asked for, for tests of how much of a menu a command measures.
    unsigned long long asked() const { return clock_; }

private:
    struct Width
    {
        double width;
        unsigned long long used; // when it was last asked for
    };
    void evictOldest() const;

    // Widths by font (family, style and size in one number), then by text.
    mutable std::unordered_map<std::string, std::unordered_map<std::string, Width>> cache_;
    mutable std::size_t cached_ = 0;
    mutable unsigned long long clock_ = 0;
};

// The Qt font of a caption font.
QFont captionFont(const CaptionFont &font);

#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

// An ordered, growable list of strings; records travel to files and HTML in this form.
using TStringArray = std::vector<std::string>;

// A fixed-size record of text fields addressed by 1-based position.
template <std::size_t N> class TextRecord
{
public:
    static constexpr int FieldCount = static_cast<int>(N);

    // Field at 1-based position; throws std::out_of_range for a position outside 1..N.
    std::string &operator[](int pos) { return fields_.at(index(pos)); }
    const std::string &operator[](int pos) const { return fields_.at(index(pos)); }

    bool operator==(const TextRecord &other) const { return fields_ == other.fields_; }
    bool operator!=(const TextRecord &other) const { return fields_ != other.fields_; }

private:
    static std::size_t index(int pos)
    {
        // A position of 0 or below wraps to a huge index, which at() rejects.
        return static_cast<std::size_t>(pos) - 1;
    }
    std::array<std::string, N> fields_{};
};

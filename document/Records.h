#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

// An ordered, growable list of strings; records travel to files and HTML in this form.
using TStringArray = std::vector<std::string>;

// A fixed-size record of text fields addressed by 1-based position.
//
// The fields live in one block of their own, so that a record is a pointer wide: a list of
// records shifts by moving pointers when items are put in or taken out in its middle, and a
// field's address stays the same while its record moves. A record that was never written
// has no block and reads as all fields empty.
template <std::size_t N> class TextRecord
{
public:
    static constexpr int FieldCount = static_cast<int>(N);

    TextRecord() = default;
    TextRecord(const TextRecord &other)
        : fields_(other.fields_ ? std::make_unique<Fields>(*other.fields_) : nullptr)
    {}
    TextRecord(TextRecord &&other) noexcept = default;
    TextRecord &operator=(const TextRecord &other)
    {
        if (this != &other)
            fields_ = other.fields_ ? std::make_unique<Fields>(*other.fields_) : nullptr;
        return *this;
    }
    TextRecord &operator=(TextRecord &&other) noexcept = default;
    ~TextRecord() = default;

    // Field at 1-based position; throws std::out_of_range for a position outside 1..N.
    std::string &operator[](int pos)
    {
        const std::size_t at = checked(pos);
        if (!fields_)
            fields_ = std::make_unique<Fields>();
        return (*fields_)[at];
    }
    const std::string &operator[](int pos) const { return fields()[checked(pos)]; }

    bool operator==(const TextRecord &other) const { return fields() == other.fields(); }
    bool operator!=(const TextRecord &other) const { return !(*this == other); }

private:
    using Fields = std::array<std::string, N>;

    static std::size_t checked(int pos)
    {
        // A position of 0 or below wraps to a huge index, which is refused with the rest.
        const std::size_t at = static_cast<std::size_t>(pos) - 1;
        if (at >= N)
            throw std::out_of_range("No field " + std::to_string(pos) + " in a record of " +
                                    std::to_string(N));
        return at;
    }
    const Fields &fields() const
    {
        static const Fields empty{};
        return fields_ ? *fields_ : empty;
    }

    std::unique_ptr<Fields> fields_;
};

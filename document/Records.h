#pragma once

#include <array>
#include <cstddef>
#include <initializer_list>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// An ordered, growable list of strings; records travel to files and HTML in this form.
using StringList = std::vector<std::string>;

// The packed form of a record's fields, shared by every record size: one block holding the
// width of its offsets (1, 2 or 4 bytes, the least its text needs), the end offset of each
// field, then the fields' text back to back. A null block stands for all fields empty.
namespace PackedFields {
using Block = std::unique_ptr<char[]>;

std::string_view field(const char *block, std::size_t count, std::size_t at);
Block copy(const char *block, std::size_t count);
// A block holding values[0..count); throws std::length_error past 4 GB of text.
Block pack(const std::string_view *values, std::size_t count);
// A copy of block with the fields from `first` on replaced by values.
Block replace(const char *block, std::size_t count, std::size_t first,
              std::initializer_list<std::string_view> values);
bool equal(const char *a, const char *b, std::size_t count);
} // namespace PackedFields

// A fixed-size record of text fields addressed by 1-based position.
//
// The fields are packed into one block of their own: a record is a pointer wide, so a list
// of records shifts by moving pointers, and a million records cost little more than their
// text. A field is read as a view that stays valid until the record is next written; a write
// replaces the block. A record that was never written has no block and reads as all empty.
template <std::size_t N> class TextRecord
{
public:
    static constexpr int FieldCount = static_cast<int>(N);

    TextRecord() = default;
    TextRecord(const TextRecord &other) : block_(PackedFields::copy(other.block_.get(), N)) {}
    TextRecord(TextRecord &&other) noexcept = default;
    TextRecord &operator=(const TextRecord &other)
    {
        if (this != &other)
            block_ = PackedFields::copy(other.block_.get(), N);
        return *this;
    }
    TextRecord &operator=(TextRecord &&other) noexcept = default;
    ~TextRecord() = default;

    // Field at 1-based position; throws std::out_of_range for a position outside 1..N. The
    // view is const so that assigning to it, which would change nothing, does not compile.
    const std::string_view operator[](int pos) const
    {
        return PackedFields::field(block_.get(), N, checked(pos));
    }
    // Sets the field at pos, or the fields from pos on, one per value.
    void set(int pos, std::string_view value) { set(pos, {value}); }
    void set(int pos, std::initializer_list<std::string_view> values)
    {
        const std::size_t first = checked(pos);
        if (values.size() > N - first)
            throw std::out_of_range("No field " + std::to_string(pos + values.size() - 1) +
                                    " in a record of " + std::to_string(N));
        block_ = PackedFields::replace(block_.get(), N, first, values);
    }
    // Sets every field at once.
    void assign(const std::array<std::string_view, N> &values)
    {
        block_ = PackedFields::pack(values.data(), N);
    }

    bool operator==(const TextRecord &other) const
    {
        return PackedFields::equal(block_.get(), other.block_.get(), N);
    }
    bool operator!=(const TextRecord &other) const { return !(*this == other); }

private:
    static std::size_t checked(int pos)
    {
        // A position of 0 or below wraps to a huge index, which is refused with the rest.
        const std::size_t at = static_cast<std::size_t>(pos) - 1;
        if (at >= N)
            throw std::out_of_range("No field " + std::to_string(pos) + " in a record of " +
                                    std::to_string(N));
        return at;
    }

    PackedFields::Block block_;
};

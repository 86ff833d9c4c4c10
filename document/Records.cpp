#include "Records.h"

#include <cstdint>
#include <cstring>

namespace PackedFields {
namespace {
// The block starts with the width of its offsets; then the end offset of each field.
std::size_t width(const char *block)
{
    return static_cast<unsigned char>(block[0]);
}

std::size_t endOf(const char *block, std::size_t at)
{
    const std::size_t w = width(block);
    const auto *bytes = reinterpret_cast<const unsigned char *>(block) + 1 + at * w;
    std::size_t end = 0;
    for (std::size_t i = 0; i < w; ++i)
        end |= static_cast<std::size_t>(bytes[i]) << (8 * i);
    return end;
}

std::size_t widthFor(std::size_t total)
{
    if (total <= 0xFF)
        return 1;
    if (total <= 0xFFFF)
        return 2;
    if (total <= 0xFFFFFFFFu)
        return 4;
    throw std::length_error("A record holds at most 4 GB of text");
}

std::size_t sizeOf(const char *block, std::size_t count)
{
    return 1 + count * width(block) + endOf(block, count - 1);
}
} // namespace

std::string_view field(const char *block, std::size_t count, std::size_t at)
{
    if (!block || at >= count)
        return {};
    const std::size_t begin = at == 0 ? 0 : endOf(block, at - 1);
    const char *text = block + 1 + count * width(block);
    return {text + begin, endOf(block, at) - begin};
}

Block copy(const char *block, std::size_t count)
{
    if (!block)
        return nullptr;
    const std::size_t size = sizeOf(block, count);
    Block result(new char[size]);
    std::memcpy(result.get(), block, size);
    return result;
}

Block pack(const std::string_view *values, std::size_t count)
{
    std::size_t total = 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (values[i].size() > SIZE_MAX / 2 - total)
            throw std::length_error("A record holds at most 4 GB of text");
        total += values[i].size();
    }
    const std::size_t w = widthFor(total);
    Block block(new char[1 + count * w + total]);
    block[0] = static_cast<char>(w);
    auto *ends = reinterpret_cast<unsigned char *>(block.get()) + 1;
    char *text = block.get() + 1 + count * w;
    std::size_t end = 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (!values[i].empty())
            std::memcpy(text + end, values[i].data(), values[i].size());
        end += values[i].size();
        for (std::size_t b = 0; b < w; ++b)
            ends[i * w + b] = static_cast<unsigned char>(end >> (8 * b));
    }
    return block;
}

Block replace(const char *block, std::size_t count, std::size_t first,
              std::initializer_list<std::string_view> values)
{
    // The values may be views into the old block, which lives until the new one is built.
    constexpr std::size_t Room = 128;
    std::string_view small[Room];
    std::vector<std::string_view> large(count > Room ? count : 0);
    std::string_view *fields = count > Room ? large.data() : small;
    for (std::size_t i = 0; i < count; ++i)
        fields[i] = field(block, count, i);
    std::size_t at = first;
    for (const std::string_view value : values)
        fields[at++] = value;
    return pack(fields, count);
}

bool equal(const char *a, const char *b, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i) {
        if (field(a, count, i) != field(b, count, i))
            return false;
    }
    return true;
}
} // namespace PackedFields

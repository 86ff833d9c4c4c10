#include "document/Records.h"

#include <gtest/gtest.h>
#include <random>

namespace {
using Record = TextRecord<15>;
using Model = std::array<std::string, 15>;

void expectSame(const Record &record, const Model &model, int step)
{
    for (int pos = 1; pos <= 15; ++pos)
        ASSERT_EQ(record[pos], model[static_cast<std::size_t>(pos - 1)])
            << "field " << pos << " after step " << step;
}
} // namespace

// A randomized session of writes, checked against plain strings after every step: single
// fields, runs of fields, a field set from another of the same record, whole records, copies
// and equality, with texts long enough to need each offset width.
TEST(Records, PackedFieldsReadAsWritten)
{
    std::mt19937 random(7);
    const std::size_t lengths[] = {0, 1, 3, 200, 300, 70000};
    auto text = [&] {
        const std::size_t length = lengths[random() % std::size(lengths)];
        return std::string(length, static_cast<char>('a' + random() % 26));
    };
    Record record;
    Model model;
    EXPECT_EQ(record, Record());
    for (int step = 0; step < 400; ++step) {
        const int pos = 1 + static_cast<int>(random() % 15);
        const std::size_t at = static_cast<std::size_t>(pos - 1);
        switch (random() % 5) {
        case 0: {
            const std::string value = text();
            record.set(pos, value);
            model[at] = value;
            break;
        }
        case 1: { // three neighbours at once, where they fit
            if (pos > 13)
                break;
            const std::string a = text(), b = text(), c = text();
            record.set(pos, {a, b, c});
            model[at] = a, model[at + 1] = b, model[at + 2] = c;
            break;
        }
        case 2: { // from another field of the same record: the view outlives the write
            const int from = 1 + static_cast<int>(random() % 15);
            record.set(pos, record[from]);
            model[at] = model[static_cast<std::size_t>(from - 1)];
            break;
        }
        case 3: {
            std::array<std::string_view, 15> views;
            for (std::size_t i = 0; i < 15; ++i)
                views[i] = model[(i + 1) % 15];
            Model shifted;
            for (std::size_t i = 0; i < 15; ++i)
                shifted[i] = model[(i + 1) % 15];
            record.assign(views);
            model = shifted;
            break;
        }
        default: {
            const Record copy = record;
            EXPECT_EQ(copy, record);
            Record other = copy;
            model[at] = model[at] == "x" ? "y" : "x";
            other.set(pos, model[at]);
            EXPECT_NE(other, record);
            record = std::move(other);
            break;
        }
        }
        expectSame(record, model, step);
    }
    Record empty;
    empty.set(3, "");
    EXPECT_EQ(empty, Record()); // written empty or never written: the same record
    EXPECT_THROW(record.set(14, {"a", "b", "c"}), std::out_of_range);
    EXPECT_THROW(record.set(0, "a"), std::out_of_range);
    expectSame(record, model, -1); // a refused write changes nothing
}

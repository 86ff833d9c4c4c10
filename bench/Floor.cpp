// The least any batch command must do with a project: read the file whole, split it into
// lines, and write as many bytes again. The benchmarks give the batch tool's times and memory
// as multiples of this program's on the same file:
//   tarvelle_floor INPUT OUTPUT

#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::cerr << "usage: tarvelle_floor INPUT OUTPUT\n";
        return 64;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<std::string_view> lines;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t stop = text.find('\n', start);
        if (stop == std::string::npos)
            stop = text.size();
        lines.emplace_back(text.data() + start, stop - start);
        start = stop + 1;
    }
    std::ofstream out(argv[2], std::ios::binary);
    for (std::string_view line : lines) {
        out.write(line.data(), static_cast<std::streamsize>(line.size()));
        out.put('\n');
    }
    return out ? 0 : 2;
}

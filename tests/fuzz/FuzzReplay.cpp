// Replays fuzz inputs without libFuzzer: every file below the folders on the command line
// goes through the target once. Used by CTest to keep the corpus passing.

#include "tests/fuzz/FuzzSupport.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

int main(int argc, char **argv)
{
    std::size_t inputs = 0;
    for (int i = 1; i < argc; ++i) {
        for (const auto &entry : std::filesystem::recursive_directory_iterator(argv[i])) {
            if (!entry.is_regular_file())
                continue;
            std::ifstream in(entry.path(), std::ios::binary);
            std::ostringstream bytes;
            bytes << in.rdbuf();
            const std::string data = bytes.str();
            LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t *>(data.data()),
                                   data.size());
            ++inputs;
        }
    }
    std::cout << inputs << " inputs replayed\n";
    return inputs > 0 ? 0 : 1;
}

// Writes a project of the scaling shapes for the benchmarks, generated at run time:
//   tarvelle_make_menu ITEMS wide|deep|chains|named OUTPUT.tvl

#include "bench/MenuShape.h"
#include "document/MemoryTree.h"
#include "document/MenuDocument.h"
#include "document/ProjectFile.h"

#include <iostream>
#include <string>

int main(int argc, char **argv)
{
    if (argc != 4) {
        std::cerr << "usage: tarvelle_make_menu ITEMS wide|deep|chains|named OUTPUT.tvl\n";
        return 64;
    }
    try {
        MenuDocument doc;
        MemoryTree tree;
        buildShapedMenu(doc, tree, std::stoi(argv[1]), argv[2]);
        ProjectWriter(doc, tree).save(argv[3]);
    } catch (const std::exception &error) {
        std::cerr << "tarvelle_make_menu: " << error.what() << "\n";
        return 2;
    }
    return 0;
}

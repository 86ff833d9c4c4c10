#include "editor/Startup.h"

int main(int argc, char **argv)
{
    return runEditor(argc, argv);
}

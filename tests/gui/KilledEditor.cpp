#include "tests/gui/KilledEditor.h"

#include "editor/AutoRecovery.h"
#include "tests/gui/GuiSupport.h"

#include <iostream>

int editUntilKilled(int argc, char **argv)
{
    if (argc != 3 || qstrcmp(argv[1], KilledEditorOption) != 0)
        return -1;
    WindowFixture f;
    f.w().project().openProjectFile(QString::fromLocal8Bit(argv[2]));
    f.add(f.root(), "Kept");
    f.w().project().autoRecovery().writeNow();
    std::cout << "kept" << std::endl;
    return QApplication::exec();
}

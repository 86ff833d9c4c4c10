#pragma once

#include <QFont>

// The small font the program's fixed-size windows are laid out for (8 points at 96 dots per
// inch), condensed where the face has it so long captions stay inside their boxes.
QFont compactFont();

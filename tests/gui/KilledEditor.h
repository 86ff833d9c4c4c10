#pragma once

// The option that runs the GUI test program as an editor that a test kills.
inline constexpr const char *KilledEditorOption = "--edit-until-killed";

// With the option and a project file, opens the project, adds an item, says "kept" on
// standard output once its work is kept, and runs until it is killed; -1 without the option.
int editUntilKilled(int argc, char **argv);

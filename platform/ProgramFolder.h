#pragma once

#include <QString>

// The program folder, with a trailing separator: where the program finds its applet files,
// templates, help and sample pages. Beside the executable in a build; share/tarvelle once
// installed.
QString programFolder();

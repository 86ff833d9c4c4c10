#pragma once

#include <QString>

// The folder of the running executable, with a trailing separator; the program finds its
// applet files, templates, help and sample pages there.
QString programFolder();

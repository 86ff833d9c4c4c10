#pragma once

#include <QString>

// The folder of the running executable, with a trailing separator; the program finds its
// applet files, templates, help and sample pages there.
QString programFolder();
// Joins the program folder and a relative path written with "/".
QString programFile(const QString &relative);
// A path in the platform's notation, for the document core and the user.
QString nativePath(const QString &path);

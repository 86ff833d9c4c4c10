#pragma once

#include <QString>

// The program folder, with a trailing separator: where the program finds its applet files,
// templates, help and sample pages. Beside the executable in a build; share/tarvelle once
// installed.
QString programFolder();

// A copy run from a folder of the user's own (unpacked into the home folder, say) keeps its
// recent-file list beside it; an installed one, in a system folder or owned by someone else
// (root), never writes there.
bool isPortableFolder(const QString &folder);

// Creates the folder (and those above it) private to the user: 0700. An existing one is made
// private too. False when it cannot be made.
bool makePrivateFolder(const QString &folder);
// Makes an existing file private to the user: 0600.
void makePrivateFile(const QString &file);

#pragma once

#include <optional>
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

// The start file: the arguments joined with one blank each and trimmed, so a path with
// blanks that arrives as several arguments is put back together.
QString startFileName(const QStringList &arguments);

// Whether the template chooser is shown at start: a missing value (or key) means yes; a
// registry error means no.
bool readShowTempletsDialog();

// What a command line is answered with, without a window: "--help" or "--version" alone print
// their text; an option the editor does not know is refused (exit 64, on standard error).
// Nothing for every other command line, whose arguments name the start file.
struct CommandLineAnswer
{
    std::string text;
    int exitCode = 0;
};
std::optional<CommandLineAnswer> commandLineAnswer(const std::vector<std::string> &arguments);

// The entry routine: creates the windows, opens the start file or offers the templates, and
// runs the message loop.
int runEditor(int argc, char **argv);

inline constexpr const char *ApplicationTitle = "Tarvelle 2005";

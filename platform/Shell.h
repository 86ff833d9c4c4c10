#pragma once

#include <QString>
#include <QStringList>

// Hands documents and web addresses to the system, and starts programs.
class ShellService
{
public:
    virtual ~ShellService() = default;

    // Opens a file path or a URL with the system's handler; false when it could not.
    virtual bool openDocument(const QString &target) = 0;
    // Starts a program with its arguments (passed as a list, never through a shell) in a
    // working directory; returns false when it could not be started.
    virtual bool startProgram(const QString &program, const QStringList &arguments,
                              const QString &workingDirectory) = 0;
};

class QtShell : public ShellService
{
public:
    bool openDocument(const QString &target) override;
    bool startProgram(const QString &program, const QStringList &arguments,
                      const QString &workingDirectory) override;
};

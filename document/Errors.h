#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

// Errors raised by the document core. They carry the text that the editor shows in its
// standard error box, so their messages are user-facing.

// A text that should hold a number does not.
class EConvertError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// A file could not be created, opened, read or written.
class EInOutError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// An existing file that is read-only was not replaced.
class EReadOnly : public EInOutError
{
public:
    using EInOutError::EInOutError;
};

// The structure section of a project file describes an impossible tree.
class ETreeError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The file holds no complete structure section: it is no project file (a text file opened by
// mistake, another encoding), and loading it would make it the project that a save replaces.
class ENotAProject : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
    static ENotAProject named(const std::string &fileName)
    {
        return ENotAProject("\"" + fileName + "\" is not a Tarvelle project file");
    }
};

// "'text' is not a valid integer value", the message of a failed integer conversion.
std::string invalidIntegerMessage(std::string_view text);

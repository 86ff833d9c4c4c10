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
// A project cut off before its settings or records is refused the same way, saying where.
class ENotAProject : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
    static ENotAProject cutOff(const std::string &before)
    {
        ENotAProject error("The file is cut off before " + before);
        error.before_ = before;
        return error;
    }
    // The same error naming the file.
    ENotAProject named(const std::string &fileName) const
    {
        if (!before_.empty())
            return ENotAProject("\"" + fileName + "\" is cut off before " + before_);
        return ENotAProject("\"" + fileName + "\" is not a Tarvelle project file");
    }

private:
    std::string before_;
};

// "'text' is not a valid integer value", the message of a failed integer conversion.
std::string invalidIntegerMessage(std::string_view text);

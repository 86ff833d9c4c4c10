#pragma once

#include "document/TextCodec.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

// A text written from start to end. Without a sink it is kept whole; with one it is handed
// on in pieces of about a megabyte as it grows, so that a large page or project file is
// never in memory at once.
class TextOut
{
public:
    using Sink = std::function<void(std::string_view)>;

    TextOut() = default;
    explicit TextOut(Sink sink) : sink_(std::move(sink)) {}

    TextOut &operator+=(std::string_view text)
    {
        size_ += text.size();
        if (sink_ && text_.empty() && text.size() >= Piece) {
            sink_(text); // a large piece goes on as it is
            return *this;
        }
        text_ += text;
        if (sink_ && text_.size() >= Piece)
            flush();
        return *this;
    }
    TextOut &operator+=(char c) { return *this += std::string_view(&c, 1); }
    // A line of a text file: the text and CR LF.
    void line(std::string_view text)
    {
        *this += text;
        *this += LineEnd;
    }

    // Room for the whole text, where it is kept whole.
    void reserve(std::size_t bytes)
    {
        if (!sink_)
            text_.reserve(bytes);
    }
    // Hands on what is held; the writer calls it at the end.
    void flush()
    {
        if (sink_ && !text_.empty()) {
            sink_(text_);
            text_.clear();
        }
    }
    // How many bytes have been written so far, handed on or not.
    std::size_t size() const { return size_; }
    // The text kept whole.
    std::string take() { return std::move(text_); }

private:
    static constexpr std::size_t Piece = std::size_t(1) << 20;
    Sink sink_;
    std::string text_;
    std::size_t size_ = 0;
};

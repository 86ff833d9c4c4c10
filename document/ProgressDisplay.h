#pragma once

#include <string>

// How long document operations report their progress: the editor maps this onto its
// progress bar and status text.
class ProgressDisplay
{
public:
    virtual ~ProgressDisplay() = default;

    virtual int minimum() const = 0;
    virtual void setMaximum(int maximum) = 0;
    virtual void step(int by) = 0;
    virtual void setPosition(int position) = 0;
    virtual void setText(const std::string &text) = 0;
};

// Reports nowhere; used when nobody watches.
class NullProgress : public ProgressDisplay
{
public:
    int minimum() const override { return 0; }
    void setMaximum(int) override {}
    void step(int) override {}
    void setPosition(int) override {}
    void setText(const std::string &) override {}
};

// Sets the display back to position 0 with no text when it goes out of scope, however the
// operation that reported through it ends.
class ProgressFinish
{
public:
    explicit ProgressFinish(ProgressDisplay &progress) : progress_(progress) {}
    ~ProgressFinish()
    {
        progress_.setPosition(0);
        progress_.setText("");
    }
    ProgressFinish(const ProgressFinish &) = delete;
    ProgressFinish &operator=(const ProgressFinish &) = delete;

private:
    ProgressDisplay &progress_;
};

#pragma once

#include "ProgressDisplay.h"

class QLabel;
class QProgressBar;

// The document's progress reports shown in the window's progress bar and status text.
class ProgressAdapter : public ProgressDisplay
{
public:
    ProgressAdapter(QProgressBar *bar, QLabel *text) : bar_(bar), text_(text) {}

    int minimum() const override;
    void setMaximum(int maximum) override;
    void step(int by) override;
    void setPosition(int position) override;
    void setText(const std::string &text) override;

private:
    QProgressBar *bar_;
    QLabel *text_;
};

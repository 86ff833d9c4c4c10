#pragma once

#include "document/ProgressDisplay.h"

#include <string>

class QLabel;
class QProgressBar;

// The document's progress reports shown in the window's progress bar and status text. The
// document steps once per field or item; the bar is only touched when its whole percentage
// changes, so an operation costs at most about a hundred repaints whatever its size.
class ProgressAdapter : public ProgressDisplay
{
public:
    ProgressAdapter(QProgressBar *bar, QLabel *text);

    int minimum() const override;
    void setMaximum(int maximum) override;
    void step(int by) override;
    void setPosition(int position) override;
    void setText(const std::string &text) override;

    // How often the bar and the text were changed, for tests of the cost above.
    long long updates() const { return updates_; }

private:
    void show();

    QProgressBar *bar_;
    QLabel *text_;
    long long value_ = 0;
    long long maximum_ = 100;
    int shownPercent_ = 0;
    std::string shownText_;
    long long updates_ = 0;
};

#include "ProgressAdapter.h"

#include <algorithm>
#include <QLabel>
#include <QProgressBar>

ProgressAdapter::ProgressAdapter(QProgressBar *bar, QLabel *text) : bar_(bar), text_(text)
{
    // The bar counts percent; the document's own counts stay here.
    bar_->setRange(0, 100);
    bar_->setValue(0);
}

int ProgressAdapter::minimum() const
{
    return 0;
}

void ProgressAdapter::setMaximum(int maximum)
{
    maximum_ = std::max(maximum, 0);
    value_ = std::min(value_, maximum_);
    show();
}

void ProgressAdapter::step(int by)
{
    value_ = std::clamp<long long>(value_ + by, 0, maximum_);
    show();
}

void ProgressAdapter::setPosition(int position)
{
    value_ = std::clamp<long long>(position, 0, maximum_);
    show();
}

void ProgressAdapter::setText(const std::string &text)
{
    // An empty text is always set: others write the status line too, and the end of an
    // operation clears what they wrote before it.
    if (text == shownText_ && !text.empty())
        return;
    shownText_ = text;
    text_->setText(QString::fromStdString(text));
    ++updates_;
}

void ProgressAdapter::show()
{
    const int percent = maximum_ > 0 ? static_cast<int>(value_ * 100 / maximum_) : 0;
    if (percent == shownPercent_)
        return;
    shownPercent_ = percent;
    bar_->setValue(percent);
    ++updates_;
}

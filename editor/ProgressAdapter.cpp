#include "ProgressAdapter.h"

#include <algorithm>
#include <QLabel>
#include <QProgressBar>

int ProgressAdapter::minimum() const
{
    return bar_->minimum();
}

void ProgressAdapter::setMaximum(int maximum)
{
    bar_->setMaximum(std::max(maximum, bar_->minimum()));
}

void ProgressAdapter::step(int by)
{
    const long long next = static_cast<long long>(bar_->value()) + by;
    bar_->setValue(static_cast<int>(std::clamp<long long>(next, bar_->minimum(), bar_->maximum())));
}

void ProgressAdapter::setPosition(int position)
{
    bar_->setValue(std::clamp(position, bar_->minimum(), bar_->maximum()));
}

void ProgressAdapter::setText(const std::string &text)
{
    text_->setText(QString::fromStdString(text));
}

#include "SpinEdit.h"

#include <algorithm>
#include <QLineEdit>
#include <QRegularExpression>

SpinEdit::SpinEdit(int minimum, int maximum, QWidget *parent)
    : QAbstractSpinBox(parent), minimum_(minimum), maximum_(maximum)
{
    setKeyboardTracking(true);
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    lineEdit()->setText(QStringLiteral("0"));
    connect(lineEdit(), &QLineEdit::textChanged, this, &SpinEdit::changed);
    connect(lineEdit(), &QLineEdit::editingFinished, this, &SpinEdit::pullIntoRange);
}

int SpinEdit::clamp(long long value) const
{
    return static_cast<int>(std::clamp<long long>(value, minimum_, maximum_));
}

int SpinEdit::value() const
{
    bool ok = false;
    const int number = lineEdit()->text().toInt(&ok);
    return ok ? number : minimum_;
}

void SpinEdit::setValue(int value)
{
    const QString text = QString::number(clamp(value));
    if (lineEdit()->text() != text)
        lineEdit()->setText(text);
}

QString SpinEdit::text() const
{
    return lineEdit()->text();
}

void SpinEdit::setText(const QString &text)
{
    lineEdit()->setText(text);
}

void SpinEdit::stepBy(int steps)
{
    setValue(clamp(static_cast<long long>(value()) + steps));
    selectAll();
}

QValidator::State SpinEdit::validate(QString &input, int &) const
{
    static const QRegularExpression integer(QStringLiteral("^-?[0-9]*$"));
    return integer.match(input).hasMatch() ? QValidator::Acceptable : QValidator::Invalid;
}

QAbstractSpinBox::StepEnabled SpinEdit::stepEnabled() const
{
    return StepUpEnabled | StepDownEnabled;
}

void SpinEdit::pullIntoRange()
{
    // Leaving the field pulls a typed number into the range; other texts stay as they are.
    bool ok = false;
    const long long typed = lineEdit()->text().toLongLong(&ok);
    if (ok && clamp(typed) != typed)
        setValue(clamp(typed));
}

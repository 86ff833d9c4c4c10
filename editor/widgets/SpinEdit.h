#pragma once

#include <QAbstractSpinBox>

// A number field that behaves as the pages expect: a typed number stays as typed until the
// field is left (only then is it pulled into the range); an empty text or a lone minus sign
// reads as the minimum; setting a value by program raises changed() when the text differs.
class SpinEdit : public QAbstractSpinBox
{
    Q_OBJECT

public:
    SpinEdit(int minimum, int maximum, QWidget *parent = nullptr);

    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }

    // The shown text as an integer; a text that is not an integer gives the minimum.
    int value() const;
    // Pulls the value into the range and shows it.
    void setValue(int value);
    QString text() const;
    // Sets the text as if typed, without any range check.
    void setText(const QString &text);

    void stepBy(int steps) override;

signals:
    // The shown text changed, by the user or by program.
    void changed();

protected:
    QValidator::State validate(QString &input, int &pos) const override;
    StepEnabled stepEnabled() const override;

private:
    void pullIntoRange();
    int clamp(long long value) const;

    int minimum_;
    int maximum_;
};

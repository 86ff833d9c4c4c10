#pragma once

#include <QLabel>

class QFontMetrics;

// The status text: holds the whole text, and shows what fits, ending with "…" after the last
// whole word that fits when the text is too long for the line.
class StatusText : public QLabel
{
    Q_OBJECT

public:
    explicit StatusText(QWidget *parent = nullptr);

    static QString elided(const QString &text, const QFontMetrics &metrics, int width);

protected:
    void paintEvent(QPaintEvent *event) override;
};

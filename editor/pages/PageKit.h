#pragma once

#include <initializer_list>
#include <QString>
#include <QStringList>
#include <string>
#include <utility>
#include <vector>

class ColorPanel;
class QCheckBox;
class QComboBox;
class QHBoxLayout;
class QVBoxLayout;
class QGroupBox;
class QLabel;
class QToolButton;
class QPushButton;
class QWidget;
class SpinEdit;
class TextEdit;

// Builders for the controls of the property pages. Each control gets its specified name as
// object name and its hint as tooltip.
namespace PageKit {

SpinEdit *spinEdit(QWidget *parent, const QString &name, int minimum, int maximum,
                   const QString &hint);
TextEdit *edit(QWidget *parent, const QString &name, const QString &hint);
// A drop-down list with fixed entries and no typing.
QComboBox *list(QWidget *parent, const QString &name, const std::vector<std::string> &entries,
                const QString &hint);
// A drop-down whose entries are offered while any text may be typed.
QComboBox *editableList(QWidget *parent, const QString &name, const QStringList &entries,
                        const QString &hint);
ColorPanel *colorPanel(QWidget *parent, const QString &name, const QString &hint);
QCheckBox *checkBox(QWidget *parent, const QString &name, const QString &caption,
                    const QString &hint);
// A toggle that stays pressed or released (bold and italic).
QToolButton *toggle(QWidget *parent, const QString &name, const QString &text, const QString &hint);
// The folder button beside a file field.
QToolButton *picker(QWidget *parent, const QString &name, const QString &hint);
QPushButton *button(QWidget *parent, const QString &name, const QString &caption,
                    const QString &hint);

QGroupBox *group(const QString &title, QWidget *parent);
// The rows of a group box, laid out top to bottom; each row is laid out on its own.
QVBoxLayout *rows(QGroupBox *group);
QHBoxLayout *row(QVBoxLayout *rows);
// Adds "label control" to a row; the label's access key focuses the control. A stretched
// control takes the rest of the row.
QLabel *pair(QHBoxLayout *row, const QString &label, QWidget *control, bool stretch = false);
// A row of "label control" pairs, left-aligned: the rest of the row stays empty.
QHBoxLayout *labelledRow(QVBoxLayout *rows,
                         std::initializer_list<std::pair<QString, QWidget *>> pairs);
// Adds a control that takes the rest of the row, with an optional button beside it.
void stretched(QHBoxLayout *row, QWidget *control, QWidget *beside = nullptr);
void textLine(QVBoxLayout *rows, const QString &text);

} // namespace PageKit

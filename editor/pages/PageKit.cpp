#include "PageKit.h"

#include "editor/widgets/ColorPanel.h"
#include "editor/widgets/SpinEdit.h"
#include "editor/widgets/TextEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace PageKit {

namespace {
template <typename Widget> Widget *named(Widget *widget, const QString &name, const QString &hint)
{
    widget->setObjectName(name);
    widget->setToolTip(hint);
    return widget;
}
} // namespace

SpinEdit *spinEdit(QWidget *parent, const QString &name, int minimum, int maximum,
                   const QString &hint)
{
    auto *spin = named(new SpinEdit(minimum, maximum, parent), name, hint);
    spin->setFixedWidth(58);
    return spin;
}

TextEdit *edit(QWidget *parent, const QString &name, const QString &hint)
{
    return named(new TextEdit(parent), name, hint);
}

QComboBox *list(QWidget *parent, const QString &name, const std::vector<std::string> &entries,
                const QString &hint)
{
    auto *box = named(new QComboBox(parent), name, hint);
    for (const std::string &entry : entries)
        box->addItem(QString::fromStdString(entry));
    box->setCurrentIndex(-1);
    return box;
}

QComboBox *editableList(QWidget *parent, const QString &name, const QStringList &entries,
                        const QString &hint)
{
    auto *box = named(new QComboBox(parent), name, hint);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->addItems(entries);
    box->setEditText(QString());
    return box;
}

ColorPanel *colorPanel(QWidget *parent, const QString &name, const QString &hint)
{
    return named(new ColorPanel(parent), name, hint);
}

QCheckBox *checkBox(QWidget *parent, const QString &name, const QString &caption,
                    const QString &hint)
{
    return named(new QCheckBox(caption, parent), name, hint);
}

QToolButton *toggle(QWidget *parent, const QString &name, const QString &text, const QString &hint)
{
    auto *button = named(new QToolButton(parent), name, hint);
    button->setText(text);
    button->setCheckable(true);
    button->setAutoRaise(false);
    button->setFixedSize(24, 22);
    QFont font = button->font();
    font.setBold(text == QLatin1String("B"));
    font.setItalic(text == QLatin1String("I"));
    button->setFont(font);
    return button;
}

QToolButton *picker(QWidget *parent, const QString &name, const QString &hint)
{
    auto *button = named(new QToolButton(parent), name, hint);
    button->setIcon(QIcon(QStringLiteral(":/icons/folder.svg")));
    button->setFixedSize(24, 22);
    return button;
}

QPushButton *button(QWidget *parent, const QString &name, const QString &caption,
                    const QString &hint)
{
    return named(new QPushButton(caption, parent), name, hint);
}

QGroupBox *group(const QString &title, QWidget *parent)
{
    return new QGroupBox(title, parent);
}

QVBoxLayout *rows(QGroupBox *group)
{
    auto *layout = new QVBoxLayout(group);
    layout->setContentsMargins(8, 2, 8, 6);
    layout->setSpacing(4);
    return layout;
}

QHBoxLayout *row(QVBoxLayout *rows)
{
    auto *layout = new QHBoxLayout;
    layout->setSpacing(4);
    rows->addLayout(layout);
    return layout;
}

QLabel *pair(QHBoxLayout *row, const QString &label, QWidget *control, bool stretch)
{
    if (row->count() > 0)
        row->addSpacing(10);
    auto *caption = new QLabel(label, control->parentWidget());
    caption->setBuddy(control);
    row->addWidget(caption);
    row->addWidget(control, stretch ? 1 : 0);
    return caption;
}

QHBoxLayout *labelledRow(QVBoxLayout *rows,
                         std::initializer_list<std::pair<QString, QWidget *>> pairs)
{
    QHBoxLayout *line = row(rows);
    for (const auto &[label, control] : pairs)
        pair(line, label, control);
    line->addStretch(1);
    return line;
}

void stretched(QHBoxLayout *row, QWidget *control, QWidget *beside)
{
    row->addWidget(control, 1);
    if (beside)
        row->addWidget(beside);
}

void textLine(QVBoxLayout *rows, const QString &text)
{
    rows->addWidget(new QLabel(text, rows->parentWidget()));
}

} // namespace PageKit

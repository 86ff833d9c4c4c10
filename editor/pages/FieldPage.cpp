#include "FieldPage.h"

#include "document/AppletData.h"
#include "document/Conversions.h"
#include "editor/FieldRules.h"
#include "editor/widgets/ColorPanel.h"
#include "editor/widgets/SpinEdit.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

namespace {
template <typename... Ts> struct Overloaded : Ts...
{
    using Ts::operator()...;
};
template <typename... Ts> Overloaded(Ts...) -> Overloaded<Ts...>;

QColor colorOf(BgrColor value)
{
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

BgrColor valueOf(const QColor &color)
{
    return static_cast<BgrColor>(color.red()) | static_cast<BgrColor>(color.green()) << 8 |
           static_cast<BgrColor>(color.blue()) << 16;
}

void setChoice(QComboBox *list, int position)
{
    const QSignalBlocker blocker(list);
    list->setCurrentIndex(position >= 0 && position < list->count() ? position : -1);
}

void loadList(QComboBox *list, FieldForm form, const QString &value)
{
    switch (form) {
    case FieldForm::Verbatim: {
        const QSignalBlocker blocker(list);
        list->setEditText(value);
        break;
    }
    case FieldForm::ByText:
        if (const int index = list->findText(value, Qt::MatchExactly | Qt::MatchCaseSensitive);
            index >= 0)
            setChoice(list, index);
        break;
    case FieldForm::Standard:
        setChoice(list, parseInt(value.toStdString()));
        break;
    }
}

std::string storeList(const QComboBox *list, FieldForm form)
{
    switch (form) {
    case FieldForm::Verbatim:
        return list->currentText().toStdString();
    case FieldForm::ByText:
        return list->currentIndex() < 0 ? std::string() : list->currentText().toStdString();
    case FieldForm::Standard:
        break;
    }
    return std::to_string(list->currentIndex());
}

void loadFontStyle(FontButtons buttons, int style)
{
    if (style < FontStyle::Plain || style > FontStyle::BoldItalic)
        return; // an unknown style leaves the buttons as they are
    const QSignalBlocker boldBlocker(buttons.bold);
    const QSignalBlocker italicBlocker(buttons.italic);
    buttons.bold->setChecked(style == FontStyle::Bold || style == FontStyle::BoldItalic);
    buttons.italic->setChecked(style == FontStyle::Italic || style == FontStyle::BoldItalic);
}

int fontStyleOf(FontButtons buttons)
{
    const bool bold = buttons.bold->isChecked();
    const bool italic = buttons.italic->isChecked();
    return bold && italic ? FontStyle::BoldItalic
           : bold         ? FontStyle::Bold
           : italic       ? FontStyle::Italic
                          : FontStyle::Plain;
}
} // namespace

void FieldPage::loadField(const PageField &field, std::string_view stored)
{
    const QString value = QString::fromUtf8(stored.data(), static_cast<qsizetype>(stored.size()));
    std::visit(
        Overloaded{[&](ColorPanel *panel) { panel->setColor(colorOf(colorFromHex(stored))); },
                   [&](QLineEdit *edit) {
                       edit->setText(
                           field.form == FieldForm::Verbatim ? value : FieldRules::trimmed(value));
                   },
                   [&](SpinEdit *spin) { spin->setValue(parseInt(stored)); },
                   [&](QComboBox *list) { loadList(list, field.form, value); },
                   [&](QCheckBox *box) { box->setChecked(isFlagOn(stored)); },
                   [&](FontButtons buttons) { loadFontStyle(buttons, parseInt(stored)); }},
        field.control);
}

std::string FieldPage::storeField(const PageField &field)
{
    return std::visit(
        Overloaded{[](ColorPanel *panel) { return hexFromColor(valueOf(panel->color())); },
                   [&](QLineEdit *edit) {
                       return (field.form == FieldForm::Verbatim
                                   ? edit->text()
                                   : FieldRules::trimmed(edit->text()))
                           .toStdString();
                   },
                   [](SpinEdit *spin) { return std::to_string(spin->value()); },
                   [&](QComboBox *list) { return storeList(list, field.form); },
                   [](QCheckBox *box) { return std::string(box->isChecked() ? "1" : "0"); },
                   [](FontButtons buttons) { return std::to_string(fontStyleOf(buttons)); }},
        field.control);
}

void FieldPage::addField(int position, FieldControl control, FieldForm form)
{
    fields_.push_back({position, control, form});
    auto edited = [this, position] { emit fieldEdited(position); };
    std::visit(
        Overloaded{[](ColorPanel *) {},
                   [&](QLineEdit *edit) { connect(edit, &QLineEdit::textChanged, this, edited); },
                   [&](SpinEdit *spin) { connect(spin, &SpinEdit::changed, this, edited); },
                   [&](QComboBox *list) {
                       connect(list, &QComboBox::activated, this, edited);
                       if (list->lineEdit())
                           connect(list->lineEdit(), &QLineEdit::textEdited, this, edited);
                   },
                   [&](QCheckBox *box) { connect(box, &QCheckBox::toggled, this, edited); },
                   [&](FontButtons buttons) {
                       connect(buttons.bold, &QAbstractButton::clicked, this, edited);
                       connect(buttons.italic, &QAbstractButton::clicked, this, edited);
                   }},
        control);
}

QWidget *FieldPage::widgetOf(const PageField &field)
{
    return std::visit(
        Overloaded{[](const FontButtons &buttons) -> QWidget * { return buttons.bold; },
                   [](auto *control) -> QWidget * { return control; }},
        field.control);
}

QString FieldPage::caption(const PageField &field)
{
    QWidget *control = widgetOf(field);
    QString text;
    if (auto *button = qobject_cast<QAbstractButton *>(control);
        button && !std::holds_alternative<FontButtons>(field.control))
        text = button->text();
    for (const QLabel *label :
         control->parentWidget()->findChildren<QLabel *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (label->buddy() == control)
            text = label->text();
    }
    text.remove(QLatin1Char('&'));
    text = text.trimmed();
    if (text.endsWith(QLatin1Char(':')))
        text.chop(1);
    for (QWidget *w = control->parentWidget(); w; w = w->parentWidget()) {
        if (auto *group = qobject_cast<QGroupBox *>(w)) {
            QString title = group->title().remove(QLatin1Char('&')).trimmed();
            if (!title.isEmpty() && !text.startsWith(title))
                text = text.isEmpty() ? title : title + QLatin1Char(' ') + text;
            break;
        }
    }
    return text.isEmpty() ? control->objectName() : text;
}

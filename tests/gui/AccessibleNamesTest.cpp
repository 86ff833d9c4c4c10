// Every control of the window and its dialogs has a name a screen reader can say: the text
// of its label, never empty, never a value or a code name, and no two alike on one page.

#include "dialogs/AboutDialog.h"
#include "dialogs/TemplateChooser.h"
#include "dialogs/WebBrowserDialog.h"
#include "editor/HtmlWindow.h"
#include "editor/PublishReportWindow.h"
#include "platform/Help.h"
#include "tests/gui/GuiSupport.h"

#include <QAccessible>
#include <QMap>
#include <QStackedWidget>

namespace {
const QAccessible::Role Controls[] = {
    QAccessible::PushButton, QAccessible::CheckBox,     QAccessible::RadioButton,
    QAccessible::ComboBox,   QAccessible::EditableText, QAccessible::SpinBox,
    QAccessible::List,       QAccessible::Tree,         QAccessible::ProgressBar,
    QAccessible::Slider,     QAccessible::ButtonMenu,   QAccessible::Canvas};

// The controls below an accessible object that have no name, or a name no person would
// understand, and the names used twice among the controls of one page.
void walk(QAccessibleInterface *node, const QString &page, QMap<QString, QStringList> &names,
          QStringList &problems)
{
    if (!node || node->state().invisible)
        return;
    QString where = page;
    if (auto *widget = qobject_cast<QWidget *>(node->object());
        widget && widget->parentWidget() && qobject_cast<QStackedWidget *>(widget->parentWidget()))
        where = widget->objectName(); // a tab page
    const bool control =
        std::find(std::begin(Controls), std::end(Controls), node->role()) != std::end(Controls);
    if (control) {
        auto *widget = qobject_cast<QWidget *>(node->object());
        const QString id = widget ? widget->objectName() : QString();
        // On Unix a list's name is its value; its own name reaches a screen reader as the
        // name it is given or through the label it is labelled by.
        QString name = node->text(QAccessible::Name).trimmed();
        if (node->role() == QAccessible::ComboBox) {
            name = widget ? widget->accessibleName() : QString();
            for (const auto &[label, relation] : node->relations(QAccessible::Labelled)) {
                if (name.isEmpty())
                    name = label->text(QAccessible::Name).remove('&').remove(':').trimmed();
            }
        }
        const bool valueNamed = node->role() == QAccessible::ComboBox ||
                                node->role() == QAccessible::SpinBox ||
                                node->role() == QAccessible::EditableText;
        const QString value = valueNamed ? node->text(QAccessible::Value).trimmed() : QString();
        if (name.size() < 2 || (!value.isEmpty() && name == value) || name == id)
            problems << where + ": " + id + " is named \"" + name + "\"";
        else
            names[where] << name;
    }
    if (node->role() == QAccessible::ComboBox)
        return; // its edit line and list are parts of it, named with it
    for (int i = 0; i < node->childCount(); ++i)
        walk(node->child(i), where, names, problems);
}

QStringList problemsOf(QWidget *top)
{
    QMap<QString, QStringList> names;
    QStringList problems;
    walk(QAccessible::queryAccessibleInterface(top), top->objectName(), names, problems);
    for (auto page = names.cbegin(); page != names.cend(); ++page) {
        QStringList seen;
        for (const QString &name : page.value()) {
            if (seen.contains(name))
                problems << page.key() + ": two controls named \"" + name + "\"";
            seen << name;
        }
    }
    return problems;
}
} // namespace

TEST(AccessibleNames, EveryControlOfTheWindowAndItsDialogsHasItsOwnName)
{
    WindowFixture f;
    f.add(f.root(), "Home");
    QStringList problems;
    // Every tab of the applet's pages, then an item's.
    auto *appletTabs = part<QTabWidget>(f.w(), "PageControl2");
    auto *firstLevelTabs = part<QTabWidget>(f.w(), "PageControl3");
    for (int tab = 0; tab < appletTabs->count(); ++tab) {
        f.select(f.root());
        appletTabs->setCurrentIndex(tab);
        for (int inner = 0; inner < (tab == 2 ? firstLevelTabs->count() : 1); ++inner) {
            firstLevelTabs->setCurrentIndex(inner);
            problems << problemsOf(&f.w());
        }
    }
    f.select(f.child(f.root(), 0));
    for (int tab = 0; tab < 2; ++tab) {
        part<QTabWidget>(f.w(), "PageControl1")->setCurrentIndex(tab);
        problems << problemsOf(&f.w());
    }
    // The dialogs the window keeps, and those it makes when asked.
    TemplateChooser templates(f.dialogs, f.program(), {[](const QString &) {}, [] {}}, &f.w());
    const HelpService help(f.program() + "help/index.html");
    AboutDialog about(f.shell, help, &f.w());
    for (QDialog *dialog : f.w().findChildren<QDialog *>()) {
        dialog->show();
        problems << problemsOf(dialog);
        dialog->hide();
    }
    problems.removeDuplicates();
    EXPECT_TRUE(problems.isEmpty()) << problems.join('\n').toStdString();
}

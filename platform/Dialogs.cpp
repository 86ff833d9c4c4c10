#include "Dialogs.h"

#include "document/TextCodec.h"
#include "platform/FolderMemory.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>

QtDialogs::Answer QtDialogs::warning(QWidget *parent, const QString &text, Buttons buttons)
{
    QMessageBox::StandardButtons standard = QMessageBox::Ok;
    if (buttons == YesNo)
        standard = QMessageBox::Yes | QMessageBox::No;
    else if (buttons != OkOnly)
        standard = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    const auto box =
        messageBox(QMessageBox::Warning, parent, QStringLiteral("Warning"), text, standard);
    if (buttons == ReplaceSaveAsCancel) {
        box->button(QMessageBox::Yes)->setText(QObject::tr("Replace"));
        box->button(QMessageBox::No)->setText(QObject::tr("Save As..."));
    } else if (buttons == SaveDontSaveCancel || buttons == SaveCloseCancel) {
        box->button(QMessageBox::Yes)->setText(QObject::tr("&Save"));
        box->button(QMessageBox::No)
            ->setText(buttons == SaveCloseCancel ? QObject::tr("Close &Without Saving")
                                                 : QObject::tr("Do&n't Save"));
    } else if (buttons == RestoreDiscardLater) {
        box->button(QMessageBox::Yes)->setText(QObject::tr("&Restore"));
        box->button(QMessageBox::No)->setText(QObject::tr("&Discard"));
        box->button(QMessageBox::Cancel)->setText(QObject::tr("&Later"));
    }
    switch (box->exec()) {
    case QMessageBox::Yes:
        return Yes;
    case QMessageBox::No:
        return No;
    case QMessageBox::Ok:
        return Ok;
    default:
        return Cancel;
    }
}

void QtDialogs::error(QWidget *parent, const QString &text)
{
    messageBox(QMessageBox::Critical, parent, QApplication::applicationDisplayName(), text,
               QMessageBox::Ok)
        ->exec();
}

std::unique_ptr<QMessageBox> QtDialogs::messageBox(QMessageBox::Icon icon, QWidget *parent,
                                                   const QString &title, const QString &text,
                                                   QMessageBox::StandardButtons buttons)
{
    // A name holding control or direction characters is shown with them made visible: a
    // right-to-left override would make the rest of the message read backwards.
    const QString shown = QString::fromStdString(visibleText(text.toStdString()));
    auto box = std::make_unique<QMessageBox>(icon, title, shown, buttons, parent);
    box->setTextFormat(Qt::PlainText);
    return box;
}

QString QtDialogs::qtFilter(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        // Qt reads the patterns from the parentheses of the description.
        filters << (parts[i].contains(QLatin1Char('(')) ? parts[i].left(parts[i].indexOf('('))
                                                        : parts[i] + QLatin1Char(' '))
                           .trimmed() +
                       " (" + patterns + ")";
    }
    return filters.join(QStringLiteral(";;"));
}

QString QtDialogs::openFile(QWidget *parent, const QString &filter, bool picturePreview)
{
    // Qt's own dialog has no picture preview; the platform dialog may offer one.
    Q_UNUSED(picturePreview)
    const QString file = QFileDialog::getOpenFileName(
        parent, QString(), FolderMemory::folderFor(filter), qtFilter(filter));
    FolderMemory::remember(filter, file);
    return file;
}

QString QtDialogs::saveFile(QWidget *parent, const QString &filter, const QString &suggested)
{
    // The dialog asks before an existing file is replaced.
    const QString proposed =
        !suggested.isEmpty() ? suggested
        : FolderMemory::folderFor(filter).isEmpty()
            ? QStringLiteral("Untitled.tvl")
            : FolderMemory::folderFor(filter) + QStringLiteral("/Untitled.tvl");
    const QString file =
        QFileDialog::getSaveFileName(parent, QString(), proposed, qtFilter(filter));
    FolderMemory::remember(filter, file);
    return file;
}

QString QtDialogs::openFileOfKind(QWidget *parent, const QString &filter, int &kind)
{
    const QString filters = qtFilter(filter);
    QString chosen;
    const QString file = QFileDialog::getOpenFileName(
        parent, QString(), FolderMemory::folderFor(filter), filters, &chosen);
    FolderMemory::remember(filter, file);
    kind = int(filters.split(QStringLiteral(";;")).indexOf(chosen));
    return file;
}

QString QtDialogs::saveFileOfKind(QWidget *parent, const QString &filter, const QString &suggested,
                                  int &kind)
{
    const QString filters = qtFilter(filter);
    QString chosen;
    const QString file =
        QFileDialog::getSaveFileName(parent, QString(), suggested, filters, &chosen);
    FolderMemory::remember(filter, file);
    kind = int(filters.split(QStringLiteral(";;")).indexOf(chosen));
    return file;
}

QString QtDialogs::chooseFolder(QWidget *parent, const QString &title, const QString &start)
{
    return QFileDialog::getExistingDirectory(parent, title, start);
}

std::optional<QColor> QtDialogs::chooseColor(QWidget *parent, const QColor &initial)
{
    const QColor color = QColorDialog::getColor(initial, parent);
    if (!color.isValid())
        return std::nullopt;
    return color;
}

int QtDialogs::runModal(QDialog *dialog)
{
    return dialog->exec();
}

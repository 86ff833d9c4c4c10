// Menus in and out: File > Import makes a new, unsaved project of another program's menu,
// File > Export writes the project's menu for one.

#include "InterchangeController.h"

#include "document/FileSystem.h"
#include "document/ProjectFile.h"
#include "editor/CommandAction.h"
#include "editor/EditorDocument.h"
#include "interchange/Interchange.h"
#include "platform/Dialogs.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <utility>

namespace {
using interchange::ExportFormat;
using interchange::ImportFormat;

// The filters and the formats they stand for, in the same order.
const char *const ImportFilter =
    "HTML Pages (*.html *.htm)|*.html;*.htm|Sitemaps (*.xml)|*.xml|"
    "Hugo Site Configuration (*.yaml *.yml *.toml *.json)|*.yaml;*.yml;*.toml;*.json|"
    "Jekyll Navigation (*.yml *.yaml)|*.yml;*.yaml|Tarvelle JSON (*.json)|*.json";
const ImportFormat ImportFormats[] = {ImportFormat::Html, ImportFormat::Sitemap, ImportFormat::Hugo,
                                      ImportFormat::Jekyll, ImportFormat::Json};
const char *const ExportFilter =
    "Tarvelle JSON (*.json)|*.json|Hugo Menu in YAML (*.yaml)|*.yaml|"
    "Hugo Menu in TOML (*.toml)|*.toml|Jekyll Navigation (*.yml)|*.yml|"
    "HTML List (*.html)|*.html";
const ExportFormat ExportFormats[] = {ExportFormat::Json, ExportFormat::HugoYaml,
                                      ExportFormat::HugoToml, ExportFormat::Jekyll,
                                      ExportFormat::Html};
const char *const ExportExtensions[] = {".json", ".yaml", ".toml", ".yml", ".html"};

// At most a screenful of what was lost, then how many more.
QString listed(const std::vector<std::string> &lines)
{
    constexpr std::size_t Shown = 12;
    QStringList shown;
    for (std::size_t i = 0; i < lines.size() && i < Shown; ++i)
        shown << QString::fromStdString(lines[i]);
    if (lines.size() > Shown)
        shown << QObject::tr("and %1 more").arg(lines.size() - Shown);
    return shown.join(QLatin1Char('\n'));
}
} // namespace

InterchangeController::InterchangeController(EditorDocument &document, DialogService &dialogs,
                                             QWidget *window, WindowHooks hooks)
    : Controller(dialogs, window), document_(document), hooks_(std::move(hooks))
{
    importAction_ =
        addCommand("actionImport", tr("&Import..."), &InterchangeController::importMenu);
    importAction_->setToolTip(
        tr("Make a new project of the menu of a page, a sitemap or a site generator's settings"));
    exportAction_ =
        addCommand("actionExport", tr("Ex&port..."), &InterchangeController::exportMenu);
    exportAction_->setToolTip(tr("Write the menu for a site generator, as JSON or as a list"));
}

void InterchangeController::importMenu()
{
    if (!hooks_.askToSaveChanges())
        return;
    int kind = -1;
    const QString chosen = dialogs_.openFileOfKind(window_, QLatin1String(ImportFilter), kind);
    if (chosen.isEmpty())
        return;
    const std::string source = QDir::toNativeSeparators(chosen).toStdString();
    interchange::ImportOptions options;
    if (kind >= 0 && kind < int(std::size(ImportFormats)))
        options.format = ImportFormats[kind];
    interchange::ImportedMenu menu;
    try {
        interchange::importMenu(fsx::readFile(source), source, options, menu);
    } catch (const std::exception &error) {
        dialogs_.error(window_, tr("\"%1\" could not be imported: %2")
                                    .arg(QDir::toNativeSeparators(chosen),
                                         QString::fromStdString(error.what())));
        return;
    }
    // A new project, not yet saved: the source stays as it is.
    document_.adopt(ProjectWriter(menu.document, menu.tree).text(), source, QString());
    hooks_.showStatus(tr("Imported \"%1\".").arg(QFileInfo(chosen).fileName()));
    if (!menu.leftOut.empty())
        dialogs_.warning(window_,
                         tr("Not everything in \"%1\" could be imported:\n%2")
                             .arg(QFileInfo(chosen).fileName(), listed(menu.leftOut)),
                         DialogService::OkOnly);
}

void InterchangeController::exportMenu()
{
    const QString &fileName = document_.fileName();
    const QFileInfo project(fileName.isEmpty() ? QStringLiteral("Untitled.tvl") : fileName);
    const QString suggested =
        (fileName.isEmpty() ? QString() : project.absolutePath() + QLatin1Char('/')) +
        project.completeBaseName() + QLatin1String(ExportExtensions[0]);
    int kind = -1;
    const QString chosen =
        dialogs_.saveFileOfKind(window_, QLatin1String(ExportFilter), suggested, kind);
    if (chosen.isEmpty())
        return;
    if (!fileName.isEmpty() && QFileInfo(chosen) == QFileInfo(fileName)) {
        dialogs_.error(window_, tr("The export cannot take the place of the project."));
        return;
    }
    const ExportFormat format = kind >= 0 && kind < int(std::size(ExportFormats))
                                    ? ExportFormats[kind]
                                    : ExportFormat::Json;
    std::vector<std::string> leftOut;
    // Written as it is made; the file takes its place once complete.
    document_.writeOutput([&] {
        fsx::writeFileAtomically(QDir::toNativeSeparators(chosen).toStdString(), [&](TextOut &out) {
            interchange::exportMenu(format, document_.menu(), document_.tree(), out, leftOut);
        });
    });
    hooks_.showStatus(tr("Exported to \"%1\".").arg(QDir::toNativeSeparators(chosen)));
    if (!leftOut.empty())
        dialogs_.warning(window_,
                         tr("\"%1\" holds the menu, with these warnings:\n%2")
                             .arg(QFileInfo(chosen).fileName(), listed(leftOut)),
                         DialogService::OkOnly);
}

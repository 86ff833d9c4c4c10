#include "PreviewController.h"

#include "document/AccessibilityCheck.h"
#include "document/CurrentPage.h"
#include "document/MenuLayout.h"
#include "editor/EditorDocument.h"
#include "editor/MenuTreeModel.h"
#include "editor/preview/LivePreview.h"
#include "editor/preview/PreviewCanvas.h"

PreviewController::PreviewController(EditorDocument &document, LivePreview *preview,
                                     QObject *parent)
    : QObject(parent), document_(document), preview_(preview)
{
    const MenuTreeModel *model = &document_.model();
    connect(&document_, &EditorDocument::appletChanged, this, &PreviewController::documentChanged);
    connect(&document_, &EditorDocument::itemChanged, this, &PreviewController::documentChanged);
    connect(&document_, &EditorDocument::lookChanged, this, &PreviewController::documentChanged);
    connect(&document_, &EditorDocument::itemLookChanged, this,
            &PreviewController::documentChanged);
    connect(preview_, &LivePreview::darkSchemeChanged, this, &PreviewController::documentChanged);
    connect(&document_, &EditorDocument::reset, this, &PreviewController::documentChanged);
    connect(model, &QAbstractItemModel::rowsInserted, this, &PreviewController::documentChanged);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &PreviewController::documentChanged);
    connect(model, &QAbstractItemModel::rowsMoved, this, &PreviewController::documentChanged);
    connect(model, &QAbstractItemModel::modelReset, this, &PreviewController::documentChanged);
    connect(&document_, &EditorDocument::currentNodeChanged, this, &PreviewController::schedule);
    connect(preview_, &LivePreview::shownChanged, this, [this](bool shown) {
        if (shown)
            schedule();
    });
    PreviewCanvas *canvas = preview_->canvas();
    connect(canvas, &PreviewCanvas::narrowShown, this, &PreviewController::schedule);
    connect(canvas, &PreviewCanvas::currentPageAsked, this, &PreviewController::schedule);
    connect(canvas, &PreviewCanvas::itemChosen, this, [this](int itemIndex) {
        if (const ItemTree::Node node = document_.tree().nodeAt(itemIndex))
            document_.setCurrentNode(node);
    });
}

void PreviewController::documentChanged()
{
    stale_ = true;
    schedule();
}

void PreviewController::schedule()
{
    if (pending_ || !preview_->isVisible())
        return;
    pending_ = true;
    // Several notifications of one command make one drawing, before the next frame.
    QMetaObject::invokeMethod(
        this,
        [this] {
            pending_ = false;
            try {
                refresh();
            } catch (const std::exception &) {
                // The command that broke the document reports it; the preview shows nothing
                // rather than a menu it cannot read.
                preview_->canvas()->setScene(MenuScene());
                stale_ = true;
            }
        },
        Qt::QueuedConnection);
}

QStringList PreviewController::warningTexts(const MenuLayout &layout) const
{
    const MenuDocument &menu = document_.menu();
    const MenuRecords records{menu.items()};
    QStringList texts;
    // Links that run script come first: they matter more than a weak contrast.
    for (const AccessibilityWarning &warning :
         document_.linkWarnings().warnings(document_.tree(), records, menu.separator()))
        texts << QString::fromStdString(warning.where + ": " + warning.what);
    for (const AccessibilityWarning &warning : accessibilityWarnings(
             menu.appletData(), records, layout, LookValues::read(document_.look())))
        texts << QString::fromStdString(warning.where + ": " + warning.what);
    return texts;
}

void PreviewController::scheduleWarnings()
{
    if (warningsPending_)
        return;
    warningsPending_ = true;
    // After the drawing: the line under the menu reads every record, the drawing only what
    // it shows, so the menu is drawn first.
    QMetaObject::invokeMethod(
        this,
        [this] {
            warningsPending_ = false;
            if (!preview_->isVisible())
                return;
            try {
                preview_->setWarnings(warningTexts(preview_->canvas()->scene().layout()));
            } catch (const std::exception &) {
                preview_->setWarnings({}); // as the drawing: the failing command tells
            }
        },
        Qt::QueuedConnection);
}

void PreviewController::refresh()
{
    if (!preview_->isVisible())
        return;
    const MenuDocument &menu = document_.menu();
    const MenuTree &tree = document_.tree();
    PreviewCanvas *canvas = preview_->canvas();
    // Selecting another item changes nothing drawn: the menu is not laid out again.
    const bool narrow = canvas->narrowWidth() > 0;
    if (stale_ || (narrow && !canvas->scene().hasNarrow())) {
        const MenuRecords records{menu.items()};
        const LookValues look = LookValues::read(document_.look());
        const bool dark = look.showsDark(preview_->darkScheme());
        canvas->setScene(MenuScene(look.inScheme(menu.appletData(), dark), records,
                                   tree.parentIndices(), measure_,
                                   QString::fromStdString(document_.publisher().previewFolder()),
                                   narrow, look.inScheme(dark)));
        stale_ = false;
        scheduleWarnings();
    }
    // A newly current item is shown: the popups on its path open and it lights up.
    const ItemTree::Node current = document_.currentNode();
    if (current && tree.id(current) != shownItem_) {
        shownItem_ = tree.id(current);
        canvas->showItem(tree.itemIndex(current));
    }
    // The menu as the current item's page shows it; its link may have just been typed.
    if (canvas->showsCurrentPage()) {
        const MenuRecords records{menu.items()};
        const int item = current ? tree.itemIndex(current) : -1;
        canvas->setCurrentPage(
            item < 0 ? -1
                     : currentPageItem(records, tree.parentIndices(),
                                       records[std::size_t(item)][ItemField::ItemURL]));
    }
}

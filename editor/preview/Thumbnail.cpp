#include "Thumbnail.h"

#include "document/MemoryTree.h"
#include "document/MenuDocument.h"
#include "document/MenuStructure.h"
#include "document/ProjectFile.h"
#include "document/StoreRules.h"
#include "editor/preview/MenuScene.h"
#include "editor/preview/QtCaptionMeasure.h"

#include <exception>
#include <QFileInfo>
#include <QPainter>

namespace {
// The first first-level item's popup open, so the picture shows the popups' look too.
MenuView firstPopupOpen(const MenuScene &scene)
{
    MenuView view;
    const std::vector<int> &popups = scene.layout().itemPopup;
    for (std::size_t k = 0; k < popups.size(); ++k) {
        if (popups[k] >= 0) {
            scene.measurePopup(popups[k]);
            view.open = int(k);
            view.chain = {popups[k]};
            view.lit = {-1};
            break;
        }
    }
    return view;
}
} // namespace

QImage projectThumbnail(const QString &fileName, QSize size)
{
    try {
        MenuDocument doc;
        MemoryTree tree;
        ProjectReader(doc).load(fileName.toStdString(), tree);
        AppletRecord data = doc.appletData();
        applyAppletStoreRules(data, tree);
        NullProgress quiet;
        numberMenuStructure(tree, doc.items(), quiet);
        const QtCaptionMeasure measure;
        const MenuScene scene(data, MenuRecords{doc.items()}, itemParents(tree), measure,
                              QFileInfo(fileName).absolutePath(), false,
                              LookValues::read(doc.look()));
        const MenuView view = firstPopupOpen(scene);
        // The applet and the popup below it, on the page's white.
        int height = scene.height();
        if (!view.chain.empty()) {
            const LayoutRect &box = scene.layout().popups[std::size_t(view.chain.front())].box;
            height = std::max(height, box.y + box.h + 12);
        }
        const QSize drawn(std::clamp(scene.width(), 1, 1200), std::clamp(height, 1, 900));
        QImage image(drawn, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        scene.paint(painter, view, drawn);
        painter.end();
        return image.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    } catch (const std::exception &) {
        return QImage();
    }
}

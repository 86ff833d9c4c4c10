// Draws a project's menu with the live preview's painter, for comparing with the browser:
//   tarvelle_preview_render [--page URL] PROJECT OUT.png WIDTH HEIGHT [PATH]
// PATH opens popups as clicks do: "2" opens the popup of first-level item 2, "2.1.0" then
// the popups of its row 1 and of that popup's row 0; "narrow" draws the narrow form of a
// screen WIDTH wide instead. With --page, the menu is drawn as the page at URL shows it.
// Prints the layout record.

#include "document/CurrentPage.h"
#include "document/MenuDocument.h"
#include "document/MenuStructure.h"
#include "document/MenuTree.h"
#include "document/ProgressDisplay.h"
#include "document/ProjectFile.h"
#include "document/StoreRules.h"
#include "editor/preview/MenuScene.h"

#include <iostream>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QStringList>

namespace {
// The chain of popups a path opens, outermost first.
MenuView viewFor(const MenuLayout &layout, const QString &path)
{
    MenuView view;
    const QStringList steps = path.split(QLatin1Char('.'));
    const int item = steps.front().toInt();
    if (item < 0 || item >= int(layout.itemPopup.size()) || layout.itemPopup[std::size_t(item)] < 0)
        throw std::runtime_error("no popup at " + path.toStdString());
    view.open = item;
    int popup = layout.itemPopup[std::size_t(item)];
    view.chain.push_back(popup);
    view.lit.push_back(-1);
    for (int i = 1; i < steps.size(); ++i) {
        const auto &rows = layout.popups[std::size_t(popup)].rows;
        const int row = steps[i].toInt();
        if (row < 0 || row >= int(rows.size()) || rows[std::size_t(row)].popup < 0)
            throw std::runtime_error("no popup at " + path.toStdString());
        popup = rows[std::size_t(row)].popup;
        view.chain.push_back(popup);
        view.lit.push_back(-1);
    }
    return view;
}
} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    std::string pageUrl;
    if (argc > 2 && QLatin1String(argv[1]) == QLatin1String("--page")) {
        pageUrl = argv[2];
        argv += 2;
        argc -= 2;
    }
    if (argc < 5) {
        std::cerr << "usage: tarvelle_preview_render PROJECT OUT.png WIDTH HEIGHT [PATH]\n";
        return 2;
    }
    try {
        MenuDocument doc;
        MenuTree tree{doc.items()};
        doc.resetToDefaults();
        tree.addChild(nullptr, "Tarvelle");
        ProjectReader(doc).load(argv[1], tree);
        AppletRecord data = doc.appletData();
        applyAppletStoreRules(data, tree);
        NullProgress quiet;
        numberMenuStructure(tree, doc.items(), quiet);
        const QtCaptionMeasure measure;
        const MenuScene scene(data, MenuRecords{doc.items()}, itemParents(tree), measure, {}, true,
                              LookValues::read(doc.look()));
        const QSize viewport(QString(argv[3]).toInt(), QString(argv[4]).toInt());
        const bool narrow = argc > 5 && QLatin1String(argv[5]) == QLatin1String("narrow");
        MenuView view;
        if (argc > 5 && !narrow)
            view = viewFor(scene.layout(), QString::fromLocal8Bit(argv[5]));
        scene.showCurrentPage(currentPageItem(MenuRecords{doc.items()}, itemParents(tree), pageUrl),
                              view);
        QImage image(viewport, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        if (narrow)
            scene.paintNarrow(painter, viewport.width(), view);
        else
            scene.paint(painter, view, viewport);
        painter.end();
        if (!image.save(QString::fromLocal8Bit(argv[2])))
            throw std::runtime_error("cannot write the picture");
        // Every popup, shown or not, with its width, as the page lays them all out.
        for (std::size_t popup = 0; popup < scene.layout().popups.size(); ++popup)
            scene.measurePopup(int(popup));
        std::cout << (narrow
                          ? narrowLayoutJson(computeNarrowLayout(data, MenuRecords{doc.items()},
                                                                 scene.layout(), viewport.width()))
                          : menuLayoutJson(scene.layout()))
                  << "\n";
    } catch (const std::exception &error) {
        std::cerr << "tarvelle_preview_render: " << error.what() << "\n";
        return 1;
    }
    return 0;
}

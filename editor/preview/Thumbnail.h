#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// A project drawn as the live preview draws it, its first popup open, scaled to fit size: the
// template chooser's pictures. A file that cannot be read gives a null image.
QImage projectThumbnail(const QString &fileName, QSize size);

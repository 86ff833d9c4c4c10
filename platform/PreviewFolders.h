#pragma once

#include <QString>

// Each running editor keeps its preview in a private folder named after its process, so that
// the folders of editors that were killed (and could not remove theirs) are found and removed
// by the next editor that starts.
namespace PreviewFolders {
// The template for QTemporaryDir: base + "/tarvelle-preview-PID-".
QString templateIn(const QString &base);
// Removes the preview folders in base whose process is gone; returns how many.
int removeStale(const QString &base);
} // namespace PreviewFolders

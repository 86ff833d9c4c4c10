#pragma once

#include <QString>

// The folder each kind of file was last picked from, per user, so the next file dialog for
// that kind opens there. The kind is the first pattern of the dialog's filter ("*.tvl").
namespace FolderMemory {

// The remembered folder, or empty when there is none (or it is gone).
QString folderFor(const QString &filter);
// Remembers the folder of a picked file; a settings error only loses the memory.
void remember(const QString &filter, const QString &pickedFile);

} // namespace FolderMemory

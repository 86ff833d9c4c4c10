#pragma once

#include <chrono>
#include <QDateTime>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <QThreadPool>
#include <QTimer>
#include <vector>

class EditorDocument;

// Keeps a copy of the unsaved menu in the user's state folder, written a moment after the
// last edit, so that a crash loses at most that moment's work. Each running editor has a copy
// of its own, held under a lock while it runs; the copy of an editor that ended without
// closing is found by the next one, which offers it. The project's folder is never written.
class AutoRecovery : public QObject
{
    Q_OBJECT

public:
    // A copy left by an editor that is no longer running.
    struct Copy
    {
        QString path;     // the copy, a project file
        QString fileName; // the project it belonged to; empty while it was untitled
        QDateTime written;
    };

    AutoRecovery(EditorDocument &document, const QString &folder, QObject *parent = nullptr);
    ~AutoRecovery() override;

    // "tarvelle/recovery" in the user's state folder.
    static QString defaultFolder();

    // How long after the last edit the copy is written.
    void setDelay(std::chrono::milliseconds delay);
    // The copies of editors that ended without closing, newest first.
    std::vector<Copy> leftBehind() const;
    static void discard(const Copy &copy);

    // Writes the copy now if the document has unsaved changes, and waits until it is written.
    void writeNow();
    // The copy outlives this editor: it ends without the author having closed it (the session
    // ends), so the next start offers what was not saved.
    void keepOnExit();

private:
    void onDocumentChanged();
    void write();
    void remove();
    QString filePath(const QString &suffix) const;

    EditorDocument &document_;
    QString folder_;
    QString id_;
    QLockFile lock_;
    QTimer timer_;
    // One thread, so that writes and removals happen in the order they were asked for.
    QThreadPool writer_;
    bool enabled_ = false;
    bool copied_ = false; // a copy was asked to be written and is not removed yet
    bool keep_ = false;
};

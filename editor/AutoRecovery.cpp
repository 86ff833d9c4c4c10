#include "AutoRecovery.h"

#include "editor/EditorDocument.h"
#include "platform/ProgramFolder.h"

#include <algorithm>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUndoStack>
#include <QUuid>

namespace {
bool writeFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

QString describingFile(const QString &copy)
{
    const QFileInfo info(copy);
    return info.dir().filePath(info.completeBaseName() + QLatin1String(".json"));
}
} // namespace

AutoRecovery::AutoRecovery(EditorDocument &document, const QString &folder, QObject *parent)
    : QObject(parent), document_(document), folder_(folder),
      id_(QUuid::createUuid().toString(QUuid::WithoutBraces)),
      lock_(QDir(folder).filePath(id_ + QLatin1String(".lock")))
{
    setObjectName(QLatin1String("autoRecovery"));
    writer_.setMaxThreadCount(1);
    timer_.setSingleShot(true);
    timer_.setInterval(std::chrono::seconds(3));
    // The lock is this editor's while it runs, however long that is; once its process is gone
    // the next editor takes the copy over.
    lock_.setStaleLockTime(0);
    // Without a folder of its own the editor still works, only without a copy.
    enabled_ = makePrivateFolder(folder_) && lock_.tryLock(0);

    connect(&timer_, &QTimer::timeout, this, &AutoRecovery::write);
    connect(document_.undoStack(), &QUndoStack::indexChanged, this,
            &AutoRecovery::onDocumentChanged);
    connect(document_.undoStack(), &QUndoStack::cleanChanged, this,
            &AutoRecovery::onDocumentChanged);
    connect(&document_, &EditorDocument::appletChanged, this, &AutoRecovery::onDocumentChanged);
    connect(&document_, &EditorDocument::itemChanged, this, &AutoRecovery::onDocumentChanged);
    connect(&document_, &EditorDocument::lookChanged, this, &AutoRecovery::onDocumentChanged);
    connect(&document_, &EditorDocument::fileNameChanged, this, &AutoRecovery::onDocumentChanged);
}

AutoRecovery::~AutoRecovery()
{
    timer_.stop();
    writer_.waitForDone();
    if (!keep_) {
        QFile::remove(filePath(QLatin1String(".json")));
        QFile::remove(filePath(QLatin1String(".tvl")));
    }
}

QString AutoRecovery::defaultFolder()
{
#ifdef Q_OS_WIN
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QLatin1String("/Tarvelle/recovery");
#else
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (!QDir::isAbsolutePath(state))
        state = QDir::homePath() + QLatin1String("/.local/state");
    return state + QLatin1String("/tarvelle/recovery");
#endif
}

void AutoRecovery::setDelay(std::chrono::milliseconds delay)
{
    timer_.setInterval(delay);
}

std::vector<AutoRecovery::Copy> AutoRecovery::leftBehind() const
{
    std::vector<Copy> copies;
    const QDir dir(folder_);
    const QStringList describing = dir.entryList({QStringLiteral("*.json")}, QDir::Files);
    for (const QString &name : describing) {
        const QString id = QFileInfo(name).completeBaseName();
        const QString project = dir.filePath(id + QLatin1String(".tvl"));
        if (id == id_ || !QFileInfo::exists(project))
            continue;
        QLockFile owner(dir.filePath(id + QLatin1String(".lock")));
        owner.setStaleLockTime(0);
        if (!owner.tryLock(0))
            continue; // its editor still runs
        owner.unlock();
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QJsonObject about = QJsonDocument::fromJson(file.readAll()).object();
        copies.push_back({project, about.value(QLatin1String("file")).toString(),
                          QDateTime::fromString(about.value(QLatin1String("written")).toString(),
                                                Qt::ISODateWithMs)});
    }
    std::sort(copies.begin(), copies.end(),
              [](const Copy &a, const Copy &b) { return a.written > b.written; });
    return copies;
}

void AutoRecovery::discard(const Copy &copy)
{
    QFile::remove(describingFile(copy.path));
    QFile::remove(copy.path);
}

void AutoRecovery::writeNow()
{
    timer_.stop();
    write();
    writer_.waitForDone();
}

void AutoRecovery::keepOnExit()
{
    writeNow();
    keep_ = true;
}

void AutoRecovery::onDocumentChanged()
{
    if (!enabled_)
        return;
    if (document_.isModified()) {
        timer_.start(); // again from the start: the copy waits for a pause in the work
    } else {
        timer_.stop();
        remove();
    }
}

void AutoRecovery::write()
{
    if (!enabled_ || !document_.isModified())
        return;
    std::string text;
    try {
        text = document_.projectText();
    } catch (const std::exception &) {
        return; // tried again after the next edit
    }
    const QJsonObject about{
        {QLatin1String("file"), document_.fileName()},
        {QLatin1String("written"), QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs)},
    };
    // Made here, written on the writer's thread: the disk never holds the author up.
    const QByteArray project = QByteArray::fromStdString(text);
    const QByteArray description = QJsonDocument(about).toJson();
    const QString projectPath = filePath(QLatin1String(".tvl"));
    const QString describingPath = filePath(QLatin1String(".json"));
    copied_ = true;
    writer_.start([project, description, projectPath, describingPath] {
        // The description last: a copy is only ever found complete.
        if (writeFile(projectPath, project))
            writeFile(describingPath, description);
    });
}

void AutoRecovery::remove()
{
    if (!copied_)
        return;
    copied_ = false;
    const QString projectPath = filePath(QLatin1String(".tvl"));
    const QString describingPath = filePath(QLatin1String(".json"));
    writer_.start([projectPath, describingPath] {
        QFile::remove(describingPath);
        QFile::remove(projectPath);
    });
}

QString AutoRecovery::filePath(const QString &suffix) const
{
    return QDir(folder_).filePath(id_ + suffix);
}

#include "app/recovery_session.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLockFile>

namespace ombrelis {

namespace {

const QString kLockSuffix = QStringLiteral(".lock");

// A lock counts as left behind only when the process that took it is gone,
// however old it is.
std::unique_ptr<QLockFile> tryLock(const QString &fileName)
{
    auto lock = std::make_unique<QLockFile>(fileName);
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return nullptr;
    return lock;
}

}  // namespace

QString recoveryRoot()
{
    // A relative path there is invalid and ignored, as the desktop's rules say.
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || QDir::isRelativePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/ombrelis/recovery");
}

RecoverySession::RecoverySession(const QString &root)
    : root_(root),
      folder_(QDir(root).filePath(
          QStringLiteral("%1-%2").arg(QString::number(QCoreApplication::applicationPid()),
                                      QString::number(QDateTime::currentMSecsSinceEpoch()))))
{ }

RecoverySession::~RecoverySession()
{
    if (!lock_)
        return;
    QDir(folder_).removeRecursively();
    lock_->unlock();
}

FileWriteResult RecoverySession::write(int window, std::string_view record, QString *error)
{
    if (!ensureFolder(error))
        return FileWriteResult::CannotOpen;
    return writeFileAtomically(filePath(window), record, error);
}

void RecoverySession::remove(int window)
{
    if (lock_)
        QFile::remove(filePath(window));
}

bool RecoverySession::adopt(const QString &file, int window)
{
    return ensureFolder() && QFile::rename(file, filePath(window));
}

// The lock comes first: an editor starting meanwhile finds the folder only
// once it is marked in use.
bool RecoverySession::ensureFolder(QString *error)
{
    const auto refuse = [error](const QString &what, const QString &path) {
        if (error)
            *error = QStringLiteral("%1 « %2 » impossible à créer").arg(what, path);
        return false;
    };
    if (!lock_) {
        if (!QDir().mkpath(root_))
            return refuse(QStringLiteral("dossier"), root_);
        lock_ = tryLock(folder_ + kLockSuffix);
        if (!lock_)
            return refuse(QStringLiteral("verrou"), folder_ + kLockSuffix);
    }
    return QDir().mkpath(folder_) || refuse(QStringLiteral("dossier"), folder_);
}

QString RecoverySession::filePath(int window) const
{
    return QDir(folder_).filePath(QStringLiteral("window-%1.rec").arg(window));
}

AbandonedCopies::AbandonedCopies(const QString &root)
{
    const QDir dir(root);
    // A session may have left its lock without its folder, or the reverse.
    QStringList names = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &lock : dir.entryList({QLatin1Char('*') + kLockSuffix}, QDir::Files)) {
        if (!names.contains(lock.chopped(kLockSuffix.size())))
            names << lock.chopped(kLockSuffix.size());
    }
    for (const QString &name : names) {
        auto lock = tryLock(dir.filePath(name + kLockSuffix));
        if (!lock)
            continue;  // a running editor's
        const QDir folder(dir.filePath(name));
        const auto copies =
            folder.entryList({QStringLiteral("window-*.rec")}, QDir::Files, QDir::Name);
        for (const QString &file : copies)
            files_ << folder.filePath(file);
        sessions_.push_back({folder.path(), std::move(lock)});
    }
}

AbandonedCopies::~AbandonedCopies() = default;

void AbandonedCopies::discard()
{
    for (Session &session : sessions_) {
        QDir(session.folder).removeRecursively();
        session.lock->unlock();
    }
    sessions_.clear();
    files_.clear();
}

}  // namespace ombrelis

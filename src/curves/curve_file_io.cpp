#include "curves/curve_file_io.h"

#include "curves/crv_format.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <unistd.h>

namespace ombrelis {

namespace {

constexpr QFileDevice::Permissions kAnyWrite =
    QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;

// A file or folder counts as write-protected when its permission bits let
// nobody write it, as a read-only attribute would, even for root.
bool isWriteProtected(const QFileInfo &info)
{
    return info.exists() && (!info.isWritable() || !(info.permissions() & kAnyWrite));
}

// Far above the few megabytes of the largest file the writer produces.
constexpr qint64 kMaxReadBytes = qint64{64} << 20;

QString quoted(const QString &fileName)
{
    return QStringLiteral("« %1 »").arg(fileName);
}

QString openFailureReason(const QFileInfo &info)
{
    if (!info.exists())
        return QStringLiteral("fichier introuvable");
    if (info.isDir())
        return QStringLiteral("c'est un dossier");
    if (!info.isReadable())
        return QStringLiteral("accès refusé");
    return QStringLiteral("ouverture impossible");
}

QString tooLarge()
{
    return QStringLiteral("fichier trop volumineux (plus de 64 Mio)");
}

QString notRegularFile()
{
    return QStringLiteral("ce n'est pas un fichier ordinaire");
}

// Whether a file may be read at all, or *reason why not: only regular files
// of bounded size are, so that a FIFO never blocks the open and a device never
// fills the memory.
bool mayBeRead(const QFileInfo &info, QString *reason)
{
    if (!info.exists() || info.isDir())
        *reason = openFailureReason(info);
    else if (!info.isFile())
        *reason = notRegularFile();
    else if (info.size() > kMaxReadBytes)
        *reason = tooLarge();
    else
        return true;
    return false;
}

QString cannotOpen(const QString &fileName, const QString &reason)
{
    return QStringLiteral("Impossible d'ouvrir le fichier %1 : %2.").arg(quoted(fileName), reason);
}

// Why the file may not be replaced, in the words the system uses for the
// same refusal; empty when it may. The rename would replace a FIFO or a
// device node by a plain file; a symbolic link to a regular file is followed
// by QSaveFile.
QString replaceRefusal(const QFileInfo &info)
{
    if (info.isDir())
        return qt_error_string(EISDIR);
    if (info.exists() && !info.isFile())
        return notRegularFile();
    if (isWriteProtected(info) || isWriteProtected(QFileInfo(info.absolutePath())))
        return qt_error_string(EACCES);
    return {};
}

FileWriteResult refuse(FileWriteResult result, const QString &reason, QString *error)
{
    if (error)
        *error = reason;
    return result;
}

}  // namespace

// QSaveFile::commit() puts the file in place even when flushing its write
// buffer fails (Qt 6.4), so every write, the flush and the sync are checked
// here. A short write is followed by another, which meets the refusal itself
// and gives the system's reason. With delayed allocation a full disk shows
// only at the sync.
bool writeToDisk(QFileDevice &file, std::string_view bytes, QString *error)
{
    while (!bytes.empty()) {
        const qint64 written = file.write(bytes.data(), static_cast<qint64>(bytes.size()));
        if (written <= 0) {
            *error = file.errorString();
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    if (!file.flush()) {
        *error = file.errorString();
        return false;
    }
    if (::fsync(file.handle()) != 0 && errno != EINVAL) {  // EINVAL: nothing to sync
        *error = qt_error_string(errno);
        return false;
    }
    return true;
}

FileWriteResult writeFileAtomically(const QString &fileName, std::string_view bytes, QString *error)
{
    if (const QString refusal = replaceRefusal(QFileInfo(fileName)); !refusal.isEmpty())
        return refuse(FileWriteResult::CannotOpen, refusal, error);
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return refuse(FileWriteResult::CannotOpen, file.errorString(), error);
    QString failure;
    if (writeToDisk(file, bytes, &failure)) {
        if (file.commit())
            return FileWriteResult::Written;
        failure = file.errorString();
    }
    // The temporary goes with `file`; the old file was never touched.
    return refuse(FileWriteResult::WriteFailed, failure, error);
}

FileWriteResult writeCurveFile(const QString &fileName, const CurveSlot &slot, QString *error)
{
    return writeFileAtomically(fileName, formatCurveFile(slot), error);
}

bool isWritableFile(const QString &fileName)
{
    const QFileInfo info(fileName);
    return info.exists() && !info.isDir() && !isWriteProtected(info);
}

bool readWholeFile(const QString &fileName, std::string *content, QString *error)
{
    QString refusal;
    if (!mayBeRead(QFileInfo(fileName), &refusal)) {
        if (error)
            *error = cannotOpen(fileName, refusal);
        return false;
    }
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = cannotOpen(fileName, openFailureReason(QFileInfo(fileName)));
        return false;
    }
    // Bounded again: the file may have grown since it was looked at.
    const QByteArray bytes = file.read(kMaxReadBytes + 1);
    if (bytes.size() > kMaxReadBytes) {
        if (error)
            *error = cannotOpen(fileName, tooLarge());
        return false;
    }
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = QStringLiteral("Impossible de lire le fichier %1 : erreur de lecture.")
                         .arg(quoted(fileName));
        return false;
    }
    *content = bytes.toStdString();
    return true;
}

bool readCurveFile(CurveStore &store, int slot, const QString &path, const CurveFileNames &names,
                   QString *error, QString *fault)
{
    std::string bytes;
    if (!readWholeFile(path, &bytes, error))
        return false;
    const std::string folder = QFileInfo(path).absolutePath().toStdString();
    std::string faultText;
    if (const Status read = store.loadCurve(slot, bytes, names, folder, &faultText); !read.ok()) {
        if (error)
            *error = QString::fromStdString(read.message());
        return false;
    }
    if (fault)
        *fault = QString::fromStdString(faultText);
    return true;
}

}  // namespace ombrelis

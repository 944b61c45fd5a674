#include "curves/curve_file_io.h"

#include "curves/crv_format.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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

// Why a file is not read at all: only regular files of bounded size are, so
// that a FIFO never blocks the open and a device never fills the memory.
QString refusalReason(const QFileInfo &info)
{
    if (!info.exists() || info.isDir())
        return openFailureReason(info);
    if (!info.isFile())
        return QStringLiteral("ce n'est pas un fichier ordinaire");
    if (info.size() > kMaxReadBytes)
        return tooLarge();
    return {};
}

QString cannotOpen(const QString &fileName, const QString &reason)
{
    return QStringLiteral("Impossible d'ouvrir le fichier %1 : %2.").arg(quoted(fileName), reason);
}

}  // namespace

FileWriteResult writeFileAtomically(const QString &fileName, std::string_view bytes, QString *reason)
{
    // The rename would replace a FIFO or a device node by a plain file; a
    // symbolic link to a regular file is followed by QSaveFile.
    const QFileInfo info(fileName);
    if ((info.exists() && !info.isFile()) || isWriteProtected(info) ||
        isWriteProtected(QFileInfo(info.absolutePath())))
        return FileWriteResult::CannotOpen;
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return FileWriteResult::CannotOpen;
    const auto size = static_cast<qint64>(bytes.size());
    if (file.write(bytes.data(), size) == size && file.commit())
        return FileWriteResult::Written;
    if (reason)
        *reason = file.errorString();
    file.cancelWriting();
    return FileWriteResult::WriteFailed;
}

FileWriteResult writeCurveFile(const QString &fileName, const CurveSlot &slot, QString *reason)
{
    return writeFileAtomically(fileName, formatCurveFile(slot), reason);
}

bool isWritableFile(const QString &fileName)
{
    const QFileInfo info(fileName);
    return info.exists() && !info.isDir() && !isWriteProtected(info);
}

std::optional<std::string> readWholeFile(const QString &fileName, QString *error)
{
    const QString refusal = refusalReason(QFileInfo(fileName));
    if (!refusal.isEmpty()) {
        if (error)
            *error = cannotOpen(fileName, refusal);
        return std::nullopt;
    }
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = cannotOpen(fileName, openFailureReason(QFileInfo(fileName)));
        return std::nullopt;
    }
    // Bounded again: the file may have grown since it was looked at.
    const QByteArray bytes = file.read(kMaxReadBytes + 1);
    if (bytes.size() > kMaxReadBytes) {
        if (error)
            *error = cannotOpen(fileName, tooLarge());
        return std::nullopt;
    }
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = QStringLiteral("Impossible de lire le fichier %1 : erreur de lecture.")
                         .arg(quoted(fileName));
        return std::nullopt;
    }
    return bytes.toStdString();
}

std::optional<QString> readCurveFile(CurveStore &store, const QString &baseName, int slot)
{
    QString error;
    const auto bytes = readWholeFile(baseName + QStringLiteral(".crv"), &error);
    if (!bytes)
        return error;
    if (auto refusal = store.readCurveFile(baseName.toStdString(), slot, *bytes))
        return QString::fromStdString(*refusal);
    return std::nullopt;
}

#pragma once

#include "curves/curve_file_io.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <string_view>
#include <vector>

class QLockFile;

namespace ombrelis {

// Where every editor keeps its recovery copies:
// $XDG_STATE_HOME/ombrelis/recovery, by default ~/.local/state/ombrelis/recovery.
QString recoveryRoot();

// The recovery copies of this process: one file per window with changes, in
// a folder of the process's own, marked in use by a lock file beside it.
// Nothing is made on disk before the first copy is written, and everything
// goes when the session ends with a normal exit. Another editor never
// touches a folder whose lock a running process holds.
class RecoverySession {
public:
    explicit RecoverySession(const QString &root);
    ~RecoverySession();
    RecoverySession(const RecoverySession &) = delete;
    RecoverySession &operator=(const RecoverySession &) = delete;

    const QString &root() const { return root_; }
    // A number for a new window's copy, unique in this session.
    int newWindow() { return nextWindow_++; }
    // Replaces the window's copy with `record`, as a save replaces a file.
    FileWriteResult write(int window, std::string_view record, QString *error);
    void remove(int window);
    // Moves an abandoned copy in as the copy of `window`.
    bool adopt(const QString &file, int window);

private:
    // Takes the lock, then makes the folder; false, with the reason in
    // *error if given, while either fails.
    bool ensureFolder(QString *error = nullptr);
    QString filePath(int window) const;

    QString root_;
    QString folder_;
    std::unique_ptr<QLockFile> lock_;
    int nextWindow_ = 1;
};

// The copies left by editors that stopped without a normal exit: crashed,
// killed, or ended with the desktop session. Holding this keeps their
// sessions locked, so that an editor starting meanwhile does not offer them
// too; letting go of it without discard() leaves what remains for the next
// start.
class AbandonedCopies {
public:
    explicit AbandonedCopies(const QString &root);
    ~AbandonedCopies();
    AbandonedCopies(const AbandonedCopies &) = delete;
    AbandonedCopies &operator=(const AbandonedCopies &) = delete;

    const QStringList &files() const { return files_; }
    // Deletes the abandoned sessions with everything left in them.
    void discard();

private:
    struct Session {
        QString folder;
        std::unique_ptr<QLockFile> lock;
    };
    std::vector<Session> sessions_;
    QStringList files_;
};

}  // namespace ombrelis

#pragma once

#include <QSettings>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <memory>

namespace ombrelis {

// The most recently opened files, newest first, kept in the per-user
// settings (settings_file.h) under "Recent File List" as File1, File2, ...
//
// Changes go to a settings object kept open, which other settings objects of
// the process see at once; the file is written shortly after the last change
// and when the list is destroyed, so opening a file never waits for the disk.
class RecentFileList {
public:
    explicit RecentFileList(int capacity);

    // Puts the absolute form of `path` first, dropping an older copy of it and
    // the entries beyond the capacity, and stores the list.
    void add(const QString &path);
    void remove(int index);

    const QStringList &entries() const { return entries_; }
    int capacity() const { return capacity_; }

    // How long after a change the settings file is written.
    static constexpr int kWriteDelayMs = 1000;

    // The text of entry `index` in the menu, mnemonic included ("&1 a.crv"):
    // a file of the current directory shows only its name.
    QString menuText(int index) const;

private:
    void store();

    std::unique_ptr<QSettings> settings_;
    QTimer writeTimer_;
    int capacity_;
    QStringList entries_;
};

}  // namespace ombrelis

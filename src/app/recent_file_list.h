#pragma once

#include <QString>
#include <QStringList>

// The most recently opened files, newest first, kept in the per-user
// settings under "Recent File List" as File1, File2, ...
class RecentFileList {
public:
    RecentFileList(QString organisation, QString application, int capacity);

    // Puts the absolute form of `path` first, dropping an older copy of it and
    // the entries beyond the capacity, and stores the list.
    void add(const QString &path);
    void remove(int index);

    const QStringList &entries() const { return entries_; }
    int capacity() const { return capacity_; }

    // The text of entry `index` in the menu, mnemonic included ("&1 a.crv"):
    // a file of the current directory shows only its name.
    QString menuText(int index) const;

private:
    void store() const;

    QString organisation_;
    QString application_;
    int capacity_;
    QStringList entries_;
};

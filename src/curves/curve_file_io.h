#pragma once

#include "curves/curve_store.h"

#include <QFileDevice>
#include <QString>

#include <string>
#include <string_view>

namespace ombrelis {

enum class FileWriteResult {
    Written,
    CannotOpen,   // write-protected file, missing or write-protected folder
    WriteFailed,  // disk full or I/O error: the old file is left as it was
};

// Writes `bytes` into an open file and makes sure they reached the disk: the
// failure-checked writer of every file the program keeps. False, with the
// system's reason in *error, when the disk refuses them.
bool writeToDisk(QFileDevice &file, std::string_view bytes, QString *error);

// Replaces the file with `bytes` atomically: a temporary is written, then
// renamed over the target. An existing file without write permission, and
// anything that is not a regular file once symbolic links are followed (a
// FIFO, a device), is refused as CannotOpen and left as it was.
// When the file cannot be opened or the write fails, *error (if given) says
// why, in the system's words.
FileWriteResult writeFileAtomically(const QString &fileName, std::string_view bytes,
                                    QString *error = nullptr);

// Writes the slot as a .crv file to `fileName` (extension included).
FileWriteResult writeCurveFile(const QString &fileName, const CurveSlot &slot,
                               QString *error = nullptr);

// True for an existing file that a save could replace: not a folder and not
// write-protected.
bool isWritableFile(const QString &fileName);

// Puts the whole content of a regular file of at most 64 MiB into *content.
// False, with a French message naming the file and the reason in *error (if
// given), when it cannot be read; *content is then unchanged.
bool readWholeFile(const QString &fileName, std::string *content, QString *error);

// The one way from a .crv file on disk into a slot, for the editor and the
// batch tool alike: reads `path` and loads it into `slot`
// (CurveStore::loadCurve) with `names` and the file's folder; *fault (if
// given) then tells what the lenient reading passed over, empty for a whole,
// well-formed file. False, with the French message to show in *error (if
// given), when the file cannot be read or is refused; the store is then
// unchanged.
bool readCurveFile(CurveStore &store, int slot, const QString &path, const CurveFileNames &names,
                   QString *error, QString *fault = nullptr);

}  // namespace ombrelis

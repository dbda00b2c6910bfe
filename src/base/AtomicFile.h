#pragma once

#include <QFile>
#include <QIODevice>
#include <QSaveFile>
#include <QString>

// A file replaced whole or not at all: the new content goes to a temporary
// file beside it (QSaveFile), which takes the old one's place only at
// Commit. A failed write, a full disk or an end before Commit leaves the old
// file as it was and no temporary file behind.
//
// Every write is carried through to the end or fails: a short write (the
// disk filled up in the middle of a block) is not taken for success.
//
// Two cases cannot be atomic and are written in place, as a plain file
// would be: a device or pipe (/dev/full, /dev/stdout: renaming over it would
// replace the node), and a writable file in a folder where no new file can
// be made.
class TAtomicFile : public QIODevice {
public:
    explicit TAtomicFile(const QString& path);
    ~TAtomicFile() override;

    // Write only and unbuffered.
    bool Open();
    // Puts the new content in place. False (errorString() says why) when a
    // write or the swap failed; the old file then stays where that can be had.
    bool Commit();
    // Drops what was written; also what happens to a file never committed.
    void Cancel();

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 size) override;

private:
    QFileDevice& Target();

    QSaveFile FSave;
    QFile FPlain;
    bool FInPlace = false;
    bool FFailed = false;
};

#include "AtomicFile.h"

#include <QFileInfo>

TAtomicFile::TAtomicFile(const QString& path) : FSave(path), FPlain(path) {
    const QFileInfo info(path);
    FInPlace = info.exists() && !info.isFile() && !info.isDir();
}

TAtomicFile::~TAtomicFile() {
    Cancel();
}

QFileDevice& TAtomicFile::Target() {
    if (FInPlace)
        return FPlain;
    return FSave;
}

bool TAtomicFile::Open() {
    constexpr QIODevice::OpenMode kMode = QIODevice::WriteOnly | QIODevice::Unbuffered;
    bool opened = false;
    if (!FInPlace) {
        opened = FSave.open(kMode);
        // QSaveFile's own fallback deletes the file when it is not committed:
        // this one only takes a file that is there and writable.
        const QFileInfo info(FPlain.fileName());
        if (!opened && info.isFile() && info.isWritable() &&
            !QFileInfo(info.absolutePath()).isWritable())
            FInPlace = true;
    }
    if (FInPlace)
        opened = FPlain.open(kMode | QIODevice::Truncate);
    if (!opened) {
        setErrorString(Target().errorString());
        return false;
    }
    FFailed = false;
    return QIODevice::open(kMode);
}

qint64 TAtomicFile::readData(char*, qint64) {
    return -1;
}

qint64 TAtomicFile::writeData(const char* data, qint64 size) {
    if (FFailed)
        return -1;
    qint64 done = 0;
    // A short write is no error to Qt; the next one tells why it stopped.
    while (done < size) {
        const qint64 n = Target().write(data + done, size - done);
        if (n <= 0) {
            FFailed = true;
            setErrorString(Target().errorString());
            return -1;
        }
        done += n;
    }
    return done;
}

bool TAtomicFile::Commit() {
    if (!isOpen())
        return false;
    QIODevice::close();
    if (FFailed) {
        Cancel();
        return false;
    }
    if (FInPlace) {
        // Unbuffered: what could fail to be written has failed already.
        FPlain.close();
        if (FPlain.error() != QFileDevice::NoError) {
            setErrorString(FPlain.errorString());
            return false;
        }
        return true;
    }
    if (!FSave.commit()) {
        setErrorString(FSave.errorString());
        return false;
    }
    return true;
}

void TAtomicFile::Cancel() {
    if (isOpen())
        QIODevice::close();
    if (FInPlace) {
        FPlain.close();
    } else if (FSave.isOpen()) {
        FSave.cancelWriting();
        // Discards the temporary file.
        FSave.commit();
    }
}

// Reading the map's files (chizu/ and the record files it joins) safely: by
// full path, never through the data root; a regular file only, opened so
// that a FIFO or a device in its place cannot hang or be read; never more
// than a stated number of bytes; never created or written.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace mapfile {

// What a reader says of one file it was given: whether it was there at all,
// and what it left out. A reader keeps everything valid and skips the rest.
struct Report {
    bool missing = false;  // absent, not a regular file, unreadable, too large, not the format
    QString problem;       // why the whole file was refused (empty when it was read)
    int skipped = 0;       // entries left out of a file that was read
    QStringList details;   // the first kMaxDetails of them, "line 12: what" or the like

    static constexpr int kMaxDetails = 20;
    void skip(const QString& what);
    void refuse(const QString& why);
};

// Reads the whole of `path` into `out` when it is a regular file of at most
// `maxBytes` bytes. Otherwise (missing, a directory, a FIFO or a device,
// refused, larger, a read error) false, with the file refused in `report`.
bool readRegular(const QString& path, qint64 maxBytes, QByteArray& out, Report& report);

// A file opened for reading fixed-size pieces at offsets: a regular file
// only, as readRegular. Closed by the destructor.
class RandomAccess {
public:
    explicit RandomAccess(const QString& path);
    ~RandomAccess();
    RandomAccess(const RandomAccess&) = delete;
    RandomAccess& operator=(const RandomAccess&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    // `length` bytes at `offset` into `out`; false when the file ends before
    // them or a read fails.
    bool readAt(qint64 offset, qint64 length, char* out) const;

private:
    int fd_ = -1;
    qint64 size_ = 0;
};

}  // namespace mapfile

// Reading a record file: a plain run of fixed-length records, record n at
// byte (n - 1) * length, no header, a short tail ignored.
#pragma once

#include "data/records.h"

#include <QString>
#include <cstddef>
#include <cstring>
#include <vector>

// Reads one file front to back. Owns the descriptor; closes it in close() or
// the destructor. Never more than one buffer of records is held in memory.
class RecordReader {
public:
    RecordReader() = default;
    ~RecordReader();
    RecordReader(const RecordReader&) = delete;
    RecordReader& operator=(const RecordReader&) = delete;

    // Opens `path` (as given; Gazetteer::path() resolves a gazetteer's) for
    // records of `length` bytes. With `createIfMissing`, a missing file in an
    // existing directory is created empty (and yields no record). Returns
    // false when the file cannot be opened as a regular file (missing, no
    // directory, refused, a directory or device in its place); the reader
    // then yields no record.
    bool open(const QString& path, std::size_t length, bool createIfMissing);

    // The next whole record, or nullptr at the end of the file or on a read
    // error. The pointer is valid until the next call.
    const char* next();

    // True once a read has failed (not merely reached the end).
    bool failed() const { return failed_; }

    void close();

private:
    bool refill();

    int fd_ = -1;
    std::size_t length_ = 0;
    std::vector<char> buf_;
    std::size_t pos_ = 0;   // offset of the next record in buf_
    std::size_t fill_ = 0;  // bytes valid in buf_
    bool failed_ = false;
};

// Reads record `number` (1-based) of `path` into `out` (`length` bytes) by
// seeking straight to it. False, with `out` untouched, when the file is
// missing (it is not created), is no regular file, cannot be read, or ends
// before the whole record.
bool readRecordAt(const QString& path, std::size_t length, int number, char* out);

// Reading a record file: a plain run of fixed-length records, record n at
// byte (n - 1) * length, no header, a short tail ignored.
#pragma once

#include "data/record_place.h"
#include "data/records.h"

#include <QString>
#include <cstddef>
#include <cstring>
#include <optional>
#include <vector>

// Reads one file front to back. Owns the descriptor; closes it in close() or
// the destructor. Never more than one buffer of records is held in memory.
class RecordReader {
public:
    RecordReader() = default;
    ~RecordReader();
    RecordReader(const RecordReader&) = delete;
    RecordReader& operator=(const RecordReader&) = delete;

    // Opens `path` (relative to the data root, see format.h) for records of
    // `length` bytes. A missing file in an existing directory is created
    // empty. Returns false when the file cannot be opened as a regular file
    // (no directory, refused, a directory or device in its place); the reader
    // then yields no record.
    bool open(const QString& path, std::size_t length);

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

// Calls `onRecord(const Rec&)` for every whole record of `path`, in file
// order, until it returns false. Returns false when the file could not be
// opened or a read failed part-way (the records before it were delivered).
template <class Rec, class F>
bool scanRecords(const QString& path, F&& onRecord) {
    RecordReader reader;
    if (!reader.open(path, sizeof(Rec)))
        return false;
    while (const char* p = reader.next()) {
        Rec rec;
        std::memcpy(&rec, p, sizeof(Rec));
        if (!onRecord(static_cast<const Rec&>(rec)))
            return true;
    }
    return !reader.failed();
}

// Reads record `number` (1-based) of `path` into `out` (`length` bytes) by
// seeking straight to it. False, with `out` untouched, when the file is
// missing (it is not created), is no regular file, cannot be read, or ends
// before the whole record.
bool readRecordAt(const QString& path, std::size_t length, int number, char* out);

// The record at `place`, or nullopt as readRecordAt fails or for no place.
template <class Rec>
std::optional<Rec> recordAt(const RecordPlace& place) {
    Rec rec{};
    if (!place.known() || !readRecordAt(place.file, sizeof(Rec), place.record, reinterpret_cast<char*>(&rec)))
        return std::nullopt;
    return rec;
}

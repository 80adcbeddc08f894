#include "data/record_file.h"

#include "data/regular_file.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {
constexpr std::size_t kBufferBytes = 1 << 16;
}

RecordReader::~RecordReader() { close(); }

bool RecordReader::open(const QString& path, std::size_t length, bool createIfMissing) {
    close();
    if (length == 0)
        return false;
    regularfile::Failure failure{};
    const int fd = regularfile::open(path, failure);
    if (failure == regularfile::Failure::missing && createIfMissing) {
        // A missing record file is brought into being empty; it has no records.
        const int created = ::open(QFile::encodeName(path).constData(),
                                   O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (created >= 0)
            ::close(created);
        return false;
    }
    if (fd < 0)
        return false;
    fd_ = fd;
    length_ = length;
    buf_.resize(std::max<std::size_t>(1, kBufferBytes / length) * length);
    pos_ = fill_ = 0;
    failed_ = false;
    return true;
}

bool RecordReader::refill() {
    // Keep a partial record from the previous read at the front.
    const std::size_t rest = fill_ - pos_;
    if (rest > 0 && pos_ > 0)
        std::copy(buf_.begin() + static_cast<std::ptrdiff_t>(pos_),
                  buf_.begin() + static_cast<std::ptrdiff_t>(fill_), buf_.begin());
    fill_ = rest;
    pos_ = 0;
    while (fill_ < length_) {
        ssize_t n = ::read(fd_, buf_.data() + fill_, buf_.size() - fill_);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            failed_ = n < 0;
            return false;  // end of file or an error: a short tail is dropped
        }
        fill_ += static_cast<std::size_t>(n);
    }
    return true;
}

const char* RecordReader::next() {
    if (fd_ < 0)
        return nullptr;
    if (fill_ - pos_ < length_ && !refill())
        return nullptr;
    const char* p = buf_.data() + pos_;
    pos_ += length_;
    return p;
}

void RecordReader::close() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    buf_.clear();
    buf_.shrink_to_fit();
    pos_ = fill_ = 0;
}

bool readRecordAt(const QString& path, std::size_t length, int number, char* out) {
    if (length == 0 || number < 1)
        return false;
    regularfile::Failure failure{};
    qint64 size = 0;
    const int fd = regularfile::open(path, failure, &size);
    if (fd < 0)
        return false;
    const off_t offset = static_cast<off_t>(number - 1) * static_cast<off_t>(length);
    bool ok = size - offset >= static_cast<off_t>(length);
    std::vector<char> buf(ok ? length : 0);
    std::size_t got = 0;
    while (ok && got < length) {
        const ssize_t n = ::pread(fd, buf.data() + got, length - got, offset + static_cast<off_t>(got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            ok = false;  // shrank since the open, or a read error
        else
            got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    if (ok)
        std::copy(buf.begin(), buf.end(), out);
    return ok;
}

#include "data/map_file.h"

#include "data/regular_file.h"

#include <algorithm>
#include <cerrno>
#include <unistd.h>

namespace mapfile {

void Report::skip(const QString& what) {
    ++skipped;
    if (details.size() < kMaxDetails)
        details << what;
}

void Report::refuse(const QString& why) {
    missing = true;
    problem = why;
}

namespace {

int openRegular(const QString& path, qint64& size, QString& why) {
    regularfile::Failure failure{};
    const int fd = regularfile::open(path, failure, &size);
    switch (failure) {
    case regularfile::Failure::none: break;
    case regularfile::Failure::noName: why = QStringLiteral("no file name"); break;
    case regularfile::Failure::missing: why = QStringLiteral("missing"); break;
    case regularfile::Failure::unopenable: why = QStringLiteral("cannot be opened"); break;
    case regularfile::Failure::notRegular: why = QStringLiteral("not a regular file"); break;
    }
    return fd;
}

bool readWhole(const QString& path, qint64 maxBytes, QByteArray& out, QString& why) {
    out.clear();
    qint64 size = 0;
    const int fd = openRegular(path, size, why);
    if (fd < 0)
        return false;
    if (size > maxBytes) {
        ::close(fd);
        why = QStringLiteral("larger than %1 bytes").arg(maxBytes);
        return false;
    }
    // Read to the end, not to the size seen: the file may grow or shrink
    // meanwhile, and only maxBytes are ever held.
    out.resize(static_cast<qsizetype>(size) + 1);
    qint64 got = 0;
    bool ok = true;
    for (;;) {
        if (got == out.size()) {
            if (got > maxBytes) {
                why = QStringLiteral("larger than %1 bytes").arg(maxBytes);
                ok = false;
                break;
            }
            out.resize(static_cast<qsizetype>(std::min(maxBytes + 1, got * 2 + 4096)));
        }
        const ssize_t n = ::read(fd, out.data() + got, static_cast<std::size_t>(out.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            why = QStringLiteral("read error");
            ok = false;
            break;
        }
        if (n == 0)
            break;
        got += n;
    }
    ::close(fd);
    if (!ok || got > maxBytes) {
        if (ok)
            why = QStringLiteral("larger than %1 bytes").arg(maxBytes);
        out.clear();
        return false;
    }
    out.resize(static_cast<qsizetype>(got));
    return true;
}

}  // namespace

bool readRegular(const QString& path, qint64 maxBytes, QByteArray& out, Report& report) {
    QString why;
    if (readWhole(path, maxBytes, out, why))
        return true;
    report.refuse(why);
    return false;
}

RandomAccess::RandomAccess(const QString& path) {
    QString why;
    fd_ = openRegular(path, size_, why);
}

RandomAccess::~RandomAccess() {
    if (fd_ >= 0)
        ::close(fd_);
}

bool RandomAccess::readAt(qint64 offset, qint64 length, char* out) const {
    if (fd_ < 0 || offset < 0 || length < 0 || size_ - offset < length)
        return false;
    qint64 got = 0;
    while (got < length) {
        const ssize_t n = ::pread(fd_, out + got, static_cast<std::size_t>(length - got),
                                  static_cast<off_t>(offset + got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;  // shrank since it was opened, or a read error
        got += n;
    }
    return true;
}

}  // namespace mapfile

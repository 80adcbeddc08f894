#include "data/regular_file.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace regularfile {

int open(const QString& path, Failure& failure, qint64* size) {
    if (path.isEmpty() || path.contains(QChar(u'\0'))) {
        failure = Failure::noName;
        return -1;
    }
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        failure = errno == ENOENT ? Failure::missing : Failure::unopenable;
        return -1;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        failure = Failure::notRegular;
        return -1;
    }
    if (size)
        *size = static_cast<qint64>(st.st_size);
    failure = Failure::none;
    return fd;
}

}  // namespace regularfile

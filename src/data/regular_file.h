// Opening a file for reading only when it is a regular file: a FIFO in its
// place must not hang the open, and a directory or a device is refused. The
// mode is checked on the open descriptor, so a swap after a check cannot
// fool it.
#pragma once

#include <QString>

namespace regularfile {

enum class Failure { none, noName, missing, unopenable, notRegular };

// A read-only descriptor for `path`, or -1 with `failure` saying why. An empty
// name or one holding a NUL (which would open some other file) is refused.
// `size`, when given, receives the file's size at the open. The caller closes
// the descriptor.
int open(const QString& path, Failure& failure, qint64* size = nullptr);

}  // namespace regularfile

// Shared by the fuzz targets: a scratch working directory made once per
// process, and a check that aborts with a message libFuzzer reports.
#pragma once

#include <QDir>
#include <QString>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

namespace fuzzing {

// A temporary directory with syu/ and ji/ like the program's own, made on
// first use. With `enter` it becomes the working directory, so libFuzzer
// must be given absolute corpus paths (it reads seeds after the first run).
inline const QString& scratchDir(bool enter = false) {
    static QTemporaryDir dir;
    static const QString path = [] {
        if (!dir.isValid())
            std::abort();
        QDir(dir.path()).mkpath(QStringLiteral("syu"));
        QDir(dir.path()).mkpath(QStringLiteral("ji"));
        return dir.path();
    }();
    if (enter && QDir::currentPath() != path)
        QDir::setCurrent(path);
    return path;
}

[[noreturn]] inline void fail(const char* what, const QString& detail = {}) {
    std::fprintf(stderr, "invariant broken: %s %s\n", what, detail.toUtf8().constData());
    std::abort();
}

#define QM_CHECK(cond, detail) \
    do { if (!(cond)) ::fuzzing::fail(#cond, (detail)); } while (0)

}  // namespace fuzzing

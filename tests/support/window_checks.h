// Checks that hold after any user action on any data: the program never
// writes a file it finds, never keeps a record file open, and shows a glyph
// picture exactly where a placeholder is shown. Shared by the hostile-input
// catalogue and the long random run.
#pragma once

#include "data/gazetteer.h"
#include "data/paths.h"
#include "support/harness.h"
#include "window/glyph_overlay.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <map>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace checks {

// Built with AddressSanitizer (GCC says so with a macro, Clang with a feature):
// every action costs several times as much, so long runs are scaled down.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

// One file as found on disk, compared by value.
struct FileEntry {
    qint64 size = -1;
    qint64 blocks = 0;        // allocated blocks: a write into a sparse file shows here
    qint64 mtimeNs = 0;
    QByteArray digest;        // of the contents; empty for very large files
    bool operator==(const FileEntry&) const = default;
};

// Files larger than this are compared by size, blocks and mtime only:
// reading a 2 GiB sparse file twice per case would dominate the suite.
constexpr qint64 kDigestLimit = 64 << 20;

inline FileEntry entryFor(const QString& path, bool withDigest) {
    FileEntry e;
    struct stat st {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return e;
    e.size = st.st_size;
    e.blocks = st.st_blocks;
    e.mtimeNs = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    if (withDigest && S_ISREG(st.st_mode) && st.st_size <= kDigestLimit) {
        QFile f(path);
        if (f.open(QIODevice::ReadOnly)) {
            QCryptographicHash hash(QCryptographicHash::Sha1);
            hash.addData(&f);
            e.digest = hash.result();
        } else {
            e.digest = "unreadable";
        }
    }
    return e;
}

// Every regular file and symlink under syu/, ji/ and betsu/ of a gazetteer,
// keyed by the path relative to its root. Directories are not entries: creating a
// missing record file legitimately touches its directory.
struct FileState {
    std::map<QString, FileEntry> files;

    static FileState take(const Gazetteer& g, bool withDigest = true) {
        FileState s;
        const QDir dataRoot(g.root());
        for (const QString& sub : {paths::kRecordDir, paths::kGlyphDir, paths::kIndexDir}) {
            QDirIterator it(g.path(sub),
                            QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                            QDirIterator::Subdirectories);
            while (it.hasNext()) {
                const QString path = it.next();
                const QFileInfo info(path);
                if (info.isDir() && !info.isSymLink())
                    continue;
                s.files[QDir::cleanPath(dataRoot.relativeFilePath(path))] = entryFor(path, withDigest);
            }
        }
        return s;
    }
};

// What changed from `before` to `after`, beyond the one change allowed: a
// missing record file created empty. Empty when nothing else changed.
// (Checks answer in std::string so that a failure prints as text.)
inline std::string changes(const FileState& before, const FileState& after) {
    QStringList out;
    for (const auto& [path, e] : before.files) {
        const auto it = after.files.find(path);
        if (it == after.files.end())
            out << path + QStringLiteral(" removed");
        else if (!(it->second == e))
            out << path + QStringLiteral(" changed (size %1 -> %2)").arg(e.size).arg(it->second.size);
    }
    for (const auto& [path, e] : after.files)
        if (!before.files.count(path) && !(path.startsWith(QStringLiteral("syu/")) && e.size == 0))
            out << path + QStringLiteral(" created with %1 bytes").arg(e.size);
    return out.join(QStringLiteral("; ")).toStdString();
}

// Descriptors of this process that point into `dir`, joined by spaces.
inline std::string openFilesUnder(const QString& dir) {
    QStringList out;
    const QString prefix = QFileInfo(dir).canonicalFilePath() + u'/';
    const QDir fds(QStringLiteral("/proc/self/fd"));
    for (const QString& fd : fds.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System)) {
        const QString target = QFile::symLinkTarget(fds.filePath(fd));
        if (target.startsWith(prefix))
            out << target;
    }
    return out.join(u' ').toStdString();
}

// Starts the peak resident set afresh from the current one, so that an
// earlier test's peak cannot hide a later one's. False where the kernel
// refuses; the peak then counts from the process's start.
inline bool resetPeakRss() {
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    return f.open(QIODevice::WriteOnly) && f.write("5") == 1;
}

// A figure in KiB from /proc/self/status ("VmHWM:", "VmRSS:"), or -1.
inline long statusKiB(const char* key) {
    QFile f(QStringLiteral("/proc/self/status"));
    if (f.open(QIODevice::ReadOnly))
        for (const QByteArray& line : f.readAll().split('\n'))
            if (line.startsWith(key))
                return line.mid(static_cast<qsizetype>(qstrlen(key))).trimmed().split(' ').front().toLong();
    return -1;
}

// The process's peak resident set since the last reset, in KiB.
inline long peakRssKiB() {
    if (const long kib = statusKiB("VmHWM:"); kib >= 0)
        return kib;
    rusage ru {};
    ::getrusage(RUSAGE_SELF, &ru);
    return ru.ru_maxrss;
}

// The current resident set, in KiB.
inline long rssKiB() { return std::max(0L, statusKiB("VmRSS:")); }

// Which glyph pictures the texts shown call for, e.g. "1 4 5": Picture1
// over "■州", Picture2/3 over a "■" first/second in the commandery name,
// Picture4 over a "■" first and Picture5 over a "■" or "□" second in the
// county name.
inline QString picturesCalledFor(Harness& h) {
    const QString t1 = h.text(1), t2 = h.text(2), t3 = h.text(3);
    const auto at = [](const QString& s, int i) { return s.size() > i ? s.at(i) : QChar(); };
    QStringList on;
    if (t1 == QStringLiteral("■州")) on << QStringLiteral("1");
    if (at(t2, 0) == glyphs::kBlack) on << QStringLiteral("2");
    if (at(t2, 1) == glyphs::kBlack) on << QStringLiteral("3");
    if (at(t3, 0) == glyphs::kBlack) on << QStringLiteral("4");
    if (at(t3, 1) == glyphs::kBlack || at(t3, 1) == glyphs::kWhite) on << QStringLiteral("5");
    return on.join(u' ');
}

// Empty when the visible pictures are exactly those the texts call for.
inline std::string glyphRuleBroken(Harness& h) {
    const QString want = picturesCalledFor(h), have = h.visiblePictures();
    if (want == have)
        return {};
    return QStringLiteral("pictures [%1] shown, texts [%2|%3|%4] call for [%5]")
        .arg(have, h.text(1), h.text(2), h.text(3), want)
        .toStdString();
}

}  // namespace checks

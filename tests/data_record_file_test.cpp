// Reading record files: whole records only, in order, never a stop or a hang
// on a file that cannot be read.
#include "data/provinces.h"
#include "data/record_file.h"
#include "data/text_model.h"
#include "support/sample_data.h"
#include "support/unprivileged.h"

#include <QFileInfo>
#include <algorithm>
#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int openDescriptors() {
    int n = 0;
    if (DIR* d = opendir("/proc/self/fd")) {
        while (readdir(d))
            ++n;
        closedir(d);
    }
    return n;
}

QStringList names(const WorkDir& wd, const QString& path) {
    QStringList out;
    wd.gazetteer().scan<gunrec>(path, [&](const gunrec& r) {
        out << text::value(r.gunmei);
        return true;
    });
    return out;
}

// A path under the gazetteer for the C library's calls.
QByteArray native(const WorkDir& wd, const char* path) {
    return QFile::encodeName(wd.file(QString::fromUtf8(path)));
}

TEST(RecordFile, ReadsWholeRecordsInOrderAndIgnoresAShortTail) {
    WorkDir wd;
    std::vector<gunrec> recs;
    for (int i = 0; i < 1000; ++i)  // spans several read buffers
        recs.push_back(gun({"豫州", QStringLiteral("郡%1").arg(i), "", "", "", "", "", "", ""}));
    wd.writeCommanderies(recs);
    QFile f(wd.file(QStringLiteral("syu/州郡.txt")));
    ASSERT_TRUE(f.open(QIODevice::Append));
    f.write(QByteArray(159, 'x'));
    f.close();

    const QStringList got = names(wd, QStringLiteral("syu/州郡.txt"));
    ASSERT_EQ(got.size(), 1000);
    EXPECT_EQ(got.front(), QStringLiteral("郡0"));
    EXPECT_EQ(got.back(), QStringLiteral("郡999"));
}

TEST(RecordFile, SmallFilesHoldWholeRecordsOnly) {
    WorkDir wd;
    const gunrec r = gun({"豫州", "潁川郡", "", "", "", "", "", "", ""});
    for (std::size_t size : {0u, 1u, 159u, 160u, 161u, 319u}) {
        QByteArray bytes(reinterpret_cast<const char*>(&r), 160);
        bytes = bytes.repeated(2).left(static_cast<qsizetype>(size));
        ASSERT_TRUE(recwrite::writeBytes(wd.file(QStringLiteral("syu/州郡.txt")), bytes.data(), size));
        EXPECT_EQ(names(wd, QStringLiteral("syu/州郡.txt")).size(), static_cast<qsizetype>(size / 160))
            << size << " bytes";
    }
}

TEST(RecordFile, StopsWhenTheCallerHasFoundWhatItWants) {
    WorkDir wd;
    wd.writeCommanderies({gun({"", "a", "", "", "", "", "", "", ""}), gun({"", "b", "", "", "", "", "", "", ""})});
    int seen = 0;
    wd.gazetteer().scan<gunrec>(QStringLiteral("syu/州郡.txt"), [&](const gunrec&) { return ++seen < 1; });
    EXPECT_EQ(seen, 1);
}

// Only a gazetteer opened to create missing files (the window's) creates one.
TEST(RecordFile, AMissingFileIsCreatedEmptyOnlyWhenAskedAndHasNoRecords) {
    const QString path = provinces::byIndex(3)->countyFile;  // syu/エン州.txt
    for (const bool create : {true, false}) {
        WorkDir wd({.create_if_missing = create});
        EXPECT_TRUE(names(wd, path).isEmpty());
        EXPECT_EQ(QFileInfo::exists(wd.file(path)), create);
        EXPECT_EQ(QFileInfo(wd.file(path)).size(), 0);
    }
}

TEST(RecordFile, UnopenableFilesYieldNoRecordsAndLeaveNothingOpen) {
    if (ranUnprivileged())
        return;
    WorkDir wd;
    const int before = openDescriptors();

    // No syu directory at all: nothing is created, nothing is read.
    QDir(wd.file(QStringLiteral("syu"))).removeRecursively();
    EXPECT_FALSE(wd.gazetteer().scan<gunrec>(QStringLiteral("syu/州郡.txt"), [](const gunrec&) { return true; }));
    EXPECT_FALSE(QFileInfo::exists(wd.file(QStringLiteral("syu"))));

    // A directory in the file's place.
    QDir().mkpath(wd.file(QStringLiteral("syu/州郡.txt")));
    EXPECT_TRUE(names(wd, QStringLiteral("syu/州郡.txt")).isEmpty());
    QDir().rmdir(wd.file(QStringLiteral("syu/州郡.txt")));

    // A FIFO in the file's place must not block the open.
    ASSERT_EQ(mkfifo(native(wd, "syu/州郡.txt").constData(), 0600), 0);
    EXPECT_TRUE(names(wd, QStringLiteral("syu/州郡.txt")).isEmpty());
    ::unlink(native(wd, "syu/州郡.txt").constData());

    // A device: accepted, /dev/zero would yield records for ever.
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), wd.file(QStringLiteral("syu/州郡.txt"))));
    int seen = 0;
    EXPECT_FALSE(wd.gazetteer().scan<gunrec>(QStringLiteral("syu/州郡.txt"), [&](const gunrec&) { return ++seen < 0; }));
    EXPECT_EQ(seen, 0);
    ::unlink(native(wd, "syu/州郡.txt").constData());

    // Refused access (as the unprivileged user when the suite runs as root).
    wd.writeCommanderies({gun({"", "a", "", "", "", "", "", "", ""})});
    ::chmod(native(wd, "syu/州郡.txt").constData(), 0);
    EXPECT_TRUE(names(wd, QStringLiteral("syu/州郡.txt")).isEmpty());
    ::chmod(native(wd, "syu/州郡.txt").constData(), 0600);
    // A read-only directory: the missing file cannot be created.
    ::chmod(native(wd, "syu").constData(), 0500);
    EXPECT_TRUE(names(wd, QStringLiteral("syu/司隸.txt")).isEmpty());
    EXPECT_FALSE(QFileInfo::exists(wd.file(QStringLiteral("syu/司隸.txt"))));
    ::chmod(native(wd, "syu").constData(), 0700);
    EXPECT_EQ(openDescriptors(), before);
}

// A record read straight at its number: the bytes of that record, or
// nothing for any number the file does not hold whole and for anything but
// a regular file; nothing is created, nothing left open, nothing hangs.
TEST(RecordFile, ReadsOneRecordAtItsNumber) {
    WorkDir wd;
    const QString path = QStringLiteral("syu/州郡.txt");
    // Two and a half records, each byte telling its record: 'a', 'b', 'c'.
    QByteArray bytes = QByteArray(160, 'a') + QByteArray(160, 'b') + QByteArray(80, 'c');
    ASSERT_TRUE(recwrite::writeBytes(wd.file(path), bytes.data(), static_cast<std::size_t>(bytes.size())));
    const int before = openDescriptors();
    const struct { const char* what; int number; char want; } cases[] = {
        {"first", 1, 'a'}, {"second", 2, 'b'}, {"cut short", 3, 0}, {"past the end", 4, 0},
        {"zero", 0, 0}, {"negative", -1, 0}, {"far past the end", 2147483647, 0},
    };
    for (const auto& c : cases) {
        char out[160];
        std::fill(std::begin(out), std::end(out), 'z');
        const bool ok = readRecordAt(wd.file(path), 160, c.number, out);
        EXPECT_EQ(ok, c.want != 0) << c.what;
        const char expected = c.want ? c.want : 'z';  // untouched on failure
        EXPECT_EQ(std::count(std::begin(out), std::end(out), expected), 160) << c.what;
    }
    EXPECT_EQ(wd.gazetteer().recordAt<gunrec>(RecordPlace{path, 2}).has_value(), true);
    EXPECT_EQ(wd.gazetteer().recordAt<gunrec>(RecordPlace{QString(), 1}).has_value(), false);

    char out[160];
    const QString missing = QStringLiteral("syu/司隸.txt");
    EXPECT_FALSE(readRecordAt(wd.file(missing), 160, 1, out));
    EXPECT_FALSE(QFileInfo::exists(wd.file(missing)));
    QDir().mkpath(wd.file(missing));
    EXPECT_FALSE(readRecordAt(wd.file(missing), 160, 1, out));
    QDir().rmdir(wd.file(missing));
    ASSERT_EQ(mkfifo(native(wd, "syu/司隸.txt").constData(), 0600), 0);
    EXPECT_FALSE(readRecordAt(wd.file(missing), 160, 1, out));
    ::unlink(native(wd, "syu/司隸.txt").constData());
    EXPECT_EQ(openDescriptors(), before);
}

}  // namespace

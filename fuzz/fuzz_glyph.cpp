// A glyph name from a record field and a bitmap file's contents, both
// arbitrary: the name goes through GlyphName::path and the bytes are read as a
// bitmap. Nothing outside ji/ may ever be read, whatever the name.
//
// Input: the first 12 bytes are the glyph field (CP932, as in gunji/kenji),
// the rest is the file written under that name when the name is a plain one.
#include "common.h"

#include "data/text_model.h"
#include "data/bitmap_file.h"
#include "data/gazetteer.h"
#include "data/glyph_name.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <cstddef>
#include <cstdint>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A valid bitmap of a size no glyph here has, outside ji/: reading it
// through any name would be an escape.
constexpr int kSecretWidth = 7, kSecretHeight = 3;

void setUp() {
    static bool done = false;
    if (done)
        return;
    done = true;
    fuzzing::scratchDir(true);
    QImage secret(kSecretWidth, kSecretHeight, QImage::Format_RGB32);
    secret.fill(Qt::red);
    if (!secret.save(QStringLiteral("secret.bmp"), "BMP") ||
        !secret.save(QStringLiteral("syu/secret.bmp"), "BMP"))
        std::abort();
    // Ways out of ji/ that a name alone cannot spell: a symlink to the
    // secret and one to the directory above.
    if (::symlink("../secret.bmp", "ji/link.bmp") != 0 || ::symlink("..", "ji/up") != 0)
        std::abort();
    QDir().mkpath(QStringLiteral("ji/dir.bmp"));
    // A sound bitmap whose @2x variant an input can write as "w@2x".
    QImage base(4, 4, QImage::Format_RGB32);
    base.fill(Qt::green);
    if (!base.save(QStringLiteral("ji/w.bmp"), "BMP"))
        std::abort();
    // Opening a FIFO for reading would block until a writer comes.
    if (::mkfifo("ji/fifo.bmp", 0600) != 0)
        std::abort();
}

bool isSecret(const QImage& img) {
    return img.width() == kSecretWidth && img.height() == kSecretHeight;
}

// `written` is the file this input wrote: its contents may be anything,
// the secret's likeness included, so only other reads can give it away.
// The scratch directory as the program opens its gazetteer.
const Gazetteer& gazetteer() {
    static const Gazetteer g = Gazetteer::open({}, QStringLiteral("."));
    return g;
}

void checkRead(const QString& path, const QString& written) {
    const QImage img = glyphs::readBitmap(gazetteer(), path);
    if (!img.isNull()) {
        const QString canonical = QFileInfo(path).canonicalFilePath();
        const QString ji = QFileInfo(QStringLiteral("ji")).canonicalFilePath();
        QM_CHECK(canonical.startsWith(ji + u'/'), path);
        QM_CHECK(canonical == QFileInfo(written).canonicalFilePath() || !isSecret(img), path);
        QM_CHECK(img.width() <= 512 && img.height() <= 512, path);
    }
    // On a high-density screen: the bitmap itself, or its variant at
    // exactly twice the size, and nothing when the bitmap does not read.
    const QImage sharp = glyphs::readGlyph(gazetteer(), path, 2);
    QM_CHECK(img.isNull() == sharp.isNull(), path);
    QM_CHECK(sharp.isNull() || sharp.size() == img.size() || sharp.size() == img.size() * 2, path);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    setUp();
    constexpr std::size_t kField = 12;
    char field[kField];
    std::fill(field, field + kField, ' ');
    std::copy(data, data + std::min(size, kField), field);
    const QString name = text::value(field, kField);
    const QByteArray contents(reinterpret_cast<const char*>(data) + std::min(size, kField),
                              static_cast<qsizetype>(size - std::min(size, kField)));

    const QString path = GlyphName(name).path();
    if (!path.isEmpty()) {
        QM_CHECK(path.startsWith(QStringLiteral("ji/")) && path.endsWith(QStringLiteral(".bmp")), path);
        const QString inner = path.mid(3, path.size() - 7);
        QM_CHECK(!inner.contains(u'/') && !inner.contains(u'\\') && inner != QStringLiteral(".."), path);
    }

    // The contents under the glyph's own name when it can hold a file
    // (not one of the planted ways out), else under a fixed one.
    const bool planted = name == QStringLiteral("link") || name == QStringLiteral("dir") ||
                         name == QStringLiteral("fifo");
    const QString target =
        !path.isEmpty() && !planted ? path : QStringLiteral("ji/fuzz.bmp");
    bool written = false;
    {
        QFile f(target);
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            written = f.write(contents) == contents.size();
    }

    checkRead(path, target);
    checkRead(target, target);
    // The name taken as a path of its own, as a careless caller might.
    checkRead(name, target);
    checkRead(QStringLiteral("ji/") + name, target);
    checkRead(QStringLiteral("ji/w.bmp"), target);
    QM_CHECK(glyphs::readBitmap(gazetteer(), QStringLiteral("ji/up/secret.bmp")).isNull(), QString());
    QM_CHECK(glyphs::readBitmap(gazetteer(), QStringLiteral("ji/link.bmp")).isNull(), QString());
    QM_CHECK(glyphs::readBitmap(gazetteer(), QStringLiteral("ji/fifo.bmp")).isNull(), QString());

    if (written || QFileInfo(target).isFile())
        QFile::remove(target);
    return 0;
}

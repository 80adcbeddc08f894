#include "window/glyph_overlay.h"

#include "window/controls.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QtEndian>
#include <cstdlib>

namespace glyphs {
namespace {

constexpr qint64 kMaxFileBytes = 1 << 20;
constexpr int kMaxSide = 512;

bool insideGlyphDir(const QFileInfo& file) {
    const QString dir = QFileInfo(QStringLiteral("ji")).canonicalFilePath();
    const QString target = file.canonicalFilePath();
    return !dir.isEmpty() && !target.isEmpty() && target.startsWith(dir + u'/');
}

// Qt's reader stops quietly at the end of a short file and hands back the
// image with the missing rows uninitialised, so a bitmap must hold every
// pixel its header declares.
bool holdsAllPixels(QFile& file) {
    const QByteArray head = file.read(54);
    if (head.size() < 26 || !head.startsWith("BM"))
        return false;
    const auto u16 = [&](int at) { return qint64(qFromLittleEndian<quint16>(head.constData() + at)); };
    const auto u32 = [&](int at) { return qFromLittleEndian<quint32>(head.constData() + at); };
    const auto i32 = [&](int at) { return qint64(qFromLittleEndian<qint32>(head.constData() + at)); };
    const qint64 pixelsAt = u32(10);
    qint64 width = 0, height = 0, bits = 0;
    quint32 compression = 0, imageBytes = 0;
    if (u32(14) == 12) {  // OS/2 core header
        width = u16(18), height = u16(20), bits = u16(24);
    } else {
        if (head.size() < 54)
            return false;
        width = i32(18), height = i32(22), bits = u16(28);
        compression = u32(30), imageBytes = u32(34);
    }
    if (width <= 0 || height == 0 || bits == 0 || bits > 32)
        return false;
    // Larger bitmaps are refused anyway; checking first also keeps the row
    // arithmetic below from overflowing on a forged header.
    if (width > kMaxSide || std::abs(height) > kMaxSide)
        return false;
    if (compression == 1 || compression == 2)  // run-length: only the stored size is known
        return imageBytes > 0 && pixelsAt + imageBytes <= file.size();
    if (compression != 0 && compression != 3)
        return false;
    const qint64 rowBytes = (width * bits + 31) / 32 * 4;
    return pixelsAt + rowBytes * std::abs(height) <= file.size();
}

}  // namespace

QString pathFor(const QString& name) {
    if (name.contains(u'/') || name.contains(u'\\') || name.contains(QStringLiteral("..")) ||
        name.contains(QChar(u'\0')))
        return QString();
    return QStringLiteral("ji/") + name + QStringLiteral(".bmp");
}

QImage readBitmap(const QString& path) {
    if (path.isEmpty())
        return QImage();
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > kMaxFileBytes || !insideGlyphDir(info))
        return QImage();
    QFile file(info.canonicalFilePath());
    if (!file.open(QIODevice::ReadOnly) || !holdsAllPixels(file) || !file.seek(0))
        return QImage();
    QImageReader reader(&file, "bmp");
    reader.setDecideFormatFromContent(false);
    // Qt states a top-down bitmap's height as negative, as its header does.
    const QSize size = reader.size();
    const int height = std::abs(size.height());
    if (size.width() <= 0 || height == 0 || size.width() > kMaxSide || height > kMaxSide)
        return QImage();
    QImage image;
    if (!reader.read(&image))
        return QImage();
    return image;
}

void showWithBitmap(PictureBox& box, const QString& path) {
    box.show();
    box.load(path);
}

void coverCommanderyName(const QString& name, const QString& gunji, PictureBox& first,
                         PictureBox& second) {
    const QString path = pathFor(gunji);
    if (name.size() > 0 && name.at(0) == kBlack)
        showWithBitmap(first, path);
    else
        first.hide();
    if (name.size() > 1 && name.at(1) == kBlack)
        showWithBitmap(second, path);
    else
        second.hide();
}

void coverCountyName(const QString& name, const QString& kenji, const QString& kenji2,
                     PictureBox& first, PictureBox& second) {
    if (name.size() > 0 && name.at(0) == kBlack)
        showWithBitmap(first, pathFor(kenji));
    else
        first.hide();
    if (name.size() > 1 && name.at(1) == kBlack)
        showWithBitmap(second, pathFor(kenji));
    else if (name.size() > 1 && name.at(1) == kWhite)
        showWithBitmap(second, pathFor(kenji2));
    else
        second.hide();
}

QString glyphNameOf(const QString& path) {
    QString name = path.section(u'/', -1);
    if (name.endsWith(QLatin1String(".bmp"), Qt::CaseInsensitive))
        name.chop(4);
    // A scale suffix names the same glyph drawn larger.
    const qsizetype at = name.lastIndexOf(u'@');
    if (at > 0 && name.size() - at >= 3 && name.endsWith(u'x')) {
        bool digits = true;
        for (qsizetype i = at + 1; i < name.size() - 1; ++i)
            digits = digits && name.at(i) >= u'0' && name.at(i) <= u'9';
        if (digits)
            name.truncate(at);
    }
    return name;
}

QString spokenName(const QString& text, const PictureBox* first, const PictureBox* second) {
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const PictureBox* over = i == 0 ? first : i == 1 ? second : nullptr;
        QString character;
        if ((c == kBlack || c == kWhite) && over && over->isShown())
            character = characterFor(glyphNameOf(over->bitmap()));
        out += character.isEmpty() ? QString(c) : character;
    }
    return out;
}

}  // namespace glyphs

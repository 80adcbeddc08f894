#include "window/glyph_overlay.h"

#include "window/controls.h"

namespace glyphs {

QString pathFor(const QString& name) {
    if (name.contains(u'/') || name.contains(u'\\') || name.contains(QStringLiteral("..")) ||
        name.contains(QChar(u'\0')))
        return QString();
    return QStringLiteral("ji/") + name + QStringLiteral(".bmp");
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

}  // namespace glyphs

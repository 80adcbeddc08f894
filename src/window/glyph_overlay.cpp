#include "window/glyph_overlay.h"

#include "data/format.h"
#include "window/controls.h"

namespace glyphs {

void showWithBitmap(PictureBox& box, const QString& path) {
    box.show();
    box.load(path);
}

void coverCommanderyName(const QString& name, const QString& gunji, PictureBox& first,
                         PictureBox& second) {
    const QString path = format::glyphPath(gunji);
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
        showWithBitmap(first, format::glyphPath(kenji));
    else
        first.hide();
    if (name.size() > 1 && name.at(1) == kBlack)
        showWithBitmap(second, format::glyphPath(kenji));
    else if (name.size() > 1 && name.at(1) == kWhite)
        showWithBitmap(second, format::glyphPath(kenji2));
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

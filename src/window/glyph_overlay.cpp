#include "window/glyph_overlay.h"

#include "data/glyph_name.h"
#include "window/controls.h"

namespace glyphs {

void showWithBitmap(PictureBox& box, const QString& path) {
    box.show();
    box.load(path);
}

void coverCommanderyName(const QString& name, const QString& gunji, PictureBox& first,
                         PictureBox& second) {
    const QString path = GlyphName(gunji).path();
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
        showWithBitmap(first, GlyphName(kenji).path());
    else
        first.hide();
    if (name.size() > 1 && name.at(1) == kBlack)
        showWithBitmap(second, GlyphName(kenji).path());
    else if (name.size() > 1 && name.at(1) == kWhite)
        showWithBitmap(second, GlyphName(kenji2).path());
    else
        second.hide();
}

QString spokenName(const QString& text, const PictureBox* first, const PictureBox* second) {
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const PictureBox* over = i == 0 ? first : i == 1 ? second : nullptr;
        QString character;
        if ((c == kBlack || c == kWhite) && over && over->isShown())
            character = GlyphName::ofPath(over->bitmap()).character();
        out += character.isEmpty() ? QString(c) : character;
    }
    return out;
}

}  // namespace glyphs

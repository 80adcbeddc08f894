#include "data/placeholders.h"

#include "data/glyph_name.h"
#include "data/text_model.h"

namespace glyphs {

QString readableName(const QString& name, const QString& black, const QString& white) {
    const QString blackChar = GlyphName(black).character();
    const QString whiteChar = GlyphName(white).character();
    QString out;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name.at(i);
        if (i < 2 && c == kBlack && !blackChar.isEmpty())
            out += blackChar;
        else if (i == 1 && c == kWhite && !whiteChar.isEmpty())
            out += whiteChar;
        else
            out += c;
    }
    return out;
}

QString readableName(const gunrec& r) {
    const QString name = text::value(r.gunmei);
    return hasPlaceholder(name) ? readableName(name, text::value(r.gunji)) : name;
}

QString readableName(const kenrec& r) {
    const QString name = text::value(r.kenmei);
    return hasPlaceholder(name) ? readableName(name, text::value(r.kenji), text::value(r.kenji2))
                                : name;
}

bool hasPlaceholder(const QString& name) {
    return name.contains(kBlack) || name.contains(kWhite);
}

}  // namespace glyphs

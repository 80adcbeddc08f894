#include "data/glyph_names.h"

#include "data/text_model.h"

namespace glyphs {

QString characterFor(const QString& glyphName) {
    if (glyphName == QLatin1String("en4"))
        return QStringLiteral("兗");
    // "u" + 4 to 6 lower-case hex digits, optionally "_" + a width in digits.
    if (glyphName.size() < 5 || glyphName.at(0) != u'u')
        return {};
    qsizetype end = 1;
    char32_t code = 0;
    while (end < glyphName.size() && end <= 6) {
        const char16_t c = glyphName.at(end).unicode();
        int digit = -1;
        if (c >= u'0' && c <= u'9')
            digit = c - u'0';
        else if (c >= u'a' && c <= u'f')
            digit = c - u'a' + 10;
        if (digit < 0)
            break;
        code = code * 16 + static_cast<char32_t>(digit);
        ++end;
    }
    const qsizetype digits = end - 1;
    if (digits < 4 || digits > 6)
        return {};
    if (end < glyphName.size()) {
        if (glyphName.at(end) != u'_' || end + 1 == glyphName.size())
            return {};
        for (qsizetype i = end + 1; i < glyphName.size(); ++i)
            if (!glyphName.at(i).isDigit() || glyphName.at(i).unicode() > u'9')
                return {};
    }
    // Letters and ideographs only: a name that decodes to a control, a space,
    // a surrogate or a placeholder would mislead rather than help.
    if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return {};
    const QString ch = QString::fromUcs4(&code, 1);
    const QChar::Category cat = QChar::category(code);
    if (cat != QChar::Letter_Other && cat != QChar::Letter_Lowercase &&
        cat != QChar::Letter_Uppercase)
        return {};
    return ch;
}

QString readableName(const QString& name, const QString& black, const QString& white) {
    const QString blackChar = characterFor(black);
    const QString whiteChar = characterFor(white);
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

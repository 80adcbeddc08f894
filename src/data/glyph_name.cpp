#include "data/glyph_name.h"

#include "data/paths.h"

namespace {
const QString kProvinceGlyph = QStringLiteral("en4");
const QString kBmp = QStringLiteral(".bmp");
const QString kDouble = QStringLiteral("@2x.bmp");
}  // namespace

GlyphName GlyphName::ofCode(char32_t code, int boxWidth) {
    QString base = QStringLiteral("u") + QString::number(static_cast<uint>(code), 16);
    if (boxWidth > 0)
        base += u'_' + QString::number(boxWidth);
    return GlyphName(base);
}

GlyphName GlyphName::ofPath(const QString& path) {
    QString name = path.section(u'/', -1);
    if (name.endsWith(kBmp, Qt::CaseInsensitive))
        name.chop(kBmp.size());
    // A scale suffix ("@2x") names the same glyph drawn larger.
    const qsizetype at = name.lastIndexOf(u'@');
    if (at > 0 && name.size() - at >= 3 && name.endsWith(u'x')) {
        bool digits = true;
        for (qsizetype i = at + 1; i < name.size() - 1; ++i)
            digits = digits && name.at(i) >= u'0' && name.at(i) <= u'9';
        if (digits)
            name.truncate(at);
    }
    return GlyphName(name);
}

QString GlyphName::doubleSizePath(const QString& path) {
    if (!path.endsWith(kBmp))
        return {};
    return path.left(path.size() - kBmp.size()) + kDouble;
}

QString GlyphName::path(int scale) const {
    if (base_.isEmpty() || base_.contains(u'/') || base_.contains(u'\\') ||
        base_.contains(QStringLiteral("..")) || base_.contains(QChar(u'\0')))
        return {};
    return paths::kGlyphDir + u'/' + base_ + (scale == 2 ? kDouble : kBmp);
}

QString GlyphName::character() const {
    if (base_ == kProvinceGlyph)
        return QStringLiteral("兗");
    // "u" + 4 to 6 lower-case hex digits, optionally "_" + a width in digits.
    if (base_.size() < 5 || base_.at(0) != u'u')
        return {};
    qsizetype end = 1;
    char32_t code = 0;
    while (end < base_.size() && end <= 6) {
        const char16_t c = base_.at(end).unicode();
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
    if (end < base_.size()) {
        if (base_.at(end) != u'_' || end + 1 == base_.size())
            return {};
        for (qsizetype i = end + 1; i < base_.size(); ++i)
            if (!base_.at(i).isDigit() || base_.at(i).unicode() > u'9')
                return {};
    }
    if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return {};
    const QChar::Category cat = QChar::category(code);
    if (cat != QChar::Letter_Other && cat != QChar::Letter_Lowercase &&
        cat != QChar::Letter_Uppercase)
        return {};
    return QString::fromUcs4(&code, 1);
}

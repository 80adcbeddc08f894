#include "remarks.h"

#include "data/record_writer.h"

namespace remarks {

QString cutAtClause(const QString& text, std::size_t width) {
    const QString fitted = recwrite::fitToBytes(text, width);
    if (fitted.size() == text.size())
        return text;
    for (const QChar stop : {QChar(u'。'), QChar(u'，')}) {
        const qsizetype at = fitted.lastIndexOf(stop);
        if (at > 0)
            return fitted.left(at + 1);
    }
    return fitted;
}

}  // namespace remarks

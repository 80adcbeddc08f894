#include "chinese_forms.h"

#include <opencc.h>

namespace gazetteer {

namespace {

void* openConfig(const char* name) {
    const opencc_t od = opencc_open(name);
    return od == reinterpret_cast<opencc_t>(-1) ? nullptr : od;
}

QString convert(void* od, const QString& s) {
    if (!od || s.isEmpty())
        return {};
    const QByteArray in = s.toUtf8();
    char* out = opencc_convert_utf8(static_cast<opencc_t>(od), in.constData(),
                                    static_cast<size_t>(in.size()));
    if (!out)
        return {};
    const QString result = QString::fromUtf8(out);
    opencc_convert_utf8_free(out);
    return result;
}

}  // namespace

ChineseForms::ChineseForms()
    : toSimplified_(openConfig("t2s.json")), toTraditional_(openConfig("jp2t.json")) {}

ChineseForms::~ChineseForms() {
    if (toSimplified_)
        opencc_close(static_cast<opencc_t>(toSimplified_));
    if (toTraditional_)
        opencc_close(static_cast<opencc_t>(toTraditional_));
}

QString ChineseForms::simplified(const QString& traditional) const {
    return convert(toSimplified_, traditional);
}

QString ChineseForms::traditional(const QString& japanese) const {
    return convert(toTraditional_, japanese);
}

}  // namespace gazetteer

// The Chinese forms of a name a reader may type: the simplified form of the
// treatise's traditional characters, and the traditional form of a name
// written in Japanese forms. Conversions by OpenCC, at build time only.
#pragma once

#include <QString>

namespace gazetteer {

class ChineseForms {
public:
    ChineseForms();
    ~ChineseForms();
    ChineseForms(const ChineseForms&) = delete;
    ChineseForms& operator=(const ChineseForms&) = delete;

    // False when OpenCC's conversions could not be loaded; the conversions
    // then give empty texts.
    bool ok() const { return toSimplified_ != nullptr && toTraditional_ != nullptr; }

    // OpenCC t2s: 廣漢 -> 广汉.
    QString simplified(const QString& traditional) const;
    // OpenCC jp2t: 広陵 -> 廣陵.
    QString traditional(const QString& japanese) const;

private:
    void* toSimplified_ = nullptr;
    void* toTraditional_ = nullptr;
};

}  // namespace gazetteer

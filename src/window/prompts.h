// The prompt shown in Label1 for each search mode.
#pragma once

#include <QString>
#include <cstdint>

namespace prompts {

inline const QString kKanji = QStringLiteral("漢字を入力して下さい");
inline const QString kKana = QStringLiteral("かなを入力して下さい");

// Modes 1 and 3 search names and 5 remarks (kanji), 2 and 4 readings (kana).
inline QString forMode(std::int16_t mode) { return mode % 2 == 0 ? kKana : kKanji; }

}  // namespace prompts

// The prompt shown in Label1 for each search mode.
#pragma once

#include "window/search_mode.h"

#include <QString>

namespace prompts {

inline const QString kKanji = QStringLiteral("漢字を入力して下さい");
inline const QString kKana = QStringLiteral("かなを入力して下さい");

// Readings are typed in kana; names and remarks in kanji.
inline QString forMode(SearchMode mode) { return searchesReadings(mode) ? kKana : kKanji; }

}  // namespace prompts

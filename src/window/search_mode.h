// The search mode kop: which field the search button compares, chosen under
// 検索オプション. The values are the ones the program has always stored.
#pragma once

#include <cstdint>

enum SearchMode : std::int16_t {
    kNoMode = 0,               // before Load
    kCommanderyNames = 1,      // 郡漢字
    kCommanderyReadings = 2,   // 郡読み
    kCountyNames = 3,          // 県漢字
    kCountyReadings = 4,       // 県読み
    kCountyRemarks = 5,        // 県備考: remarks and products
};

// The county modes: a county listed by such a search may lie in any province,
// so choosing it first finds and shows its commandery.
constexpr bool searchesCounties(SearchMode mode) {
    return mode == kCountyNames || mode == kCountyReadings || mode == kCountyRemarks;
}
// The modes whose text is a reading, typed in kana.
constexpr bool searchesReadings(SearchMode mode) {
    return mode == kCommanderyReadings || mode == kCountyReadings;
}

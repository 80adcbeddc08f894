// The menus as a user sees them, typed here once for every test: each bar
// entry and item by object name with its caption, left to right and top to
// bottom, and which search option each of the five items under
// 検索オプション chooses.
#pragma once

#include <QString>

namespace menus {

struct Title {
    const char* menu;
    const char* item;  // empty for the bar entry itself
    const char* caption;
};

inline constexpr Title kTitles[] = {
    {"mnuken", "", "検索オプション"}, {"mnuken", "mnukan", "郡漢字"}, {"mnuken", "mnuyomi", "郡読み"},
    {"mnuken", "mnukan2", "県漢字"}, {"mnuken", "mnuyomi2", "県読み"}, {"mnuken", "mnubiko2", "県備考"},
    {"mnuchizu", "", "地図"}, {"mnuchizu", "mnuchizu1", "地図を表示"}, {"mnugokan", "", "ＨＰ"}, {"mnuex", "", "その他歴史ソフト"}, {"mnuex", "mnuex1", "三国志人物事典"},
    {"mnuex", "mnuex2", "前漢地理志"}, {"mnuex", "mnuex3", "秦漢官職表"}, {"mnuex", "mnuex4", "中国歴代年表"},
    {"mnuex", "mnuex5", "晋書地理志"}, {"mnuex", "mnuex6", "漢字異体字表"},
};

// The item that sets search option `mode` (1 郡漢字 … 5 県備考); empty outside 1..5.
inline QString optionItem(int mode) {
    return mode >= 1 && mode <= 5 ? QString::fromLatin1(kTitles[mode].item) : QString();
}

// "ＨＰ" (0) or other-software item `n` (1..6).
inline QString otherSoftwareItem(int n) {
    return n == 0 ? QStringLiteral("mnugokan") : QStringLiteral("mnuex%1").arg(n);
}

}  // namespace menus

#include "menu/other_software.h"

#include "window/form.h"

namespace menu {

const std::array<Entry, 7>& entries() {
    static const std::array<Entry, 7> table{{
        {QStringLiteral("ホームページはこちらから。"), QStringLiteral("ＨＰ"),
         QStringLiteral("https://quillmere.example/")},
        {QStringLiteral("三国時代の人物を字・出身地・官職から引ける事典です。"),
         QStringLiteral("三国志人物事典"), QStringLiteral("https://soft.history-library.example/sangoku-jinbutsu/")},
        {QStringLiteral("前漢の郡国と県を漢書地理志に沿って引ける地誌です。"),
         QStringLiteral("前漢地理志"), QStringLiteral("https://soft.history-library.example/zenkan-chirishi/")},
        {QStringLiteral("秦漢の官職を秩石と職掌で一覧できる表です。"),
         QStringLiteral("秦漢官職表"), QStringLiteral("https://soft.history-library.example/shinkan-kanshoku/")},
        {QStringLiteral("殷から清までの王朝と元号を西暦と対照できる年表です。"),
         QStringLiteral("中国歴代年表"), QStringLiteral("https://soft.history-library.example/rekidai-nenpyo/")},
        {QStringLiteral("西晋の州郡県を晋書地理志から引ける地誌です。"),
         QStringLiteral("晋書地理志"), QStringLiteral("https://soft.history-library.example/shinjo-chirishi/")},
        {QStringLiteral("史書に現れる異体字と通用字を対照できる字表です。"),
         QStringLiteral("漢字異体字表"), QStringLiteral("https://soft.history-library.example/itaiji/")},
    }};
    return table;
}

}  // namespace menu

void Form::mnugokan_Click() { mnuex_Click(0); }

void Form::mnuex_Click(int n) {
    if (n < 0 || n >= static_cast<int>(menu::entries().size()))
        return;
    const menu::Entry& e = menu::entries()[static_cast<std::size_t>(n)];
    // The answer is dropped: the dialog only offers the address for copying.
    const QString answer = c_.dialogs->input(e.prompt, e.title, e.address);
    (void)answer;
}

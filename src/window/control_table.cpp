#include "window/control_table.h"

#include <QStringList>
#include <array>

namespace ui {
namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kDarkGreen = 0xFF006000;
constexpr QRgb kOlive = 0xFFC0C000;
constexpr QRgb kButtonFace = 0xFFC0C0C0;
constexpr QRgb kPictureGrey = 0xFFE0E0E0;
constexpr std::optional<QRgb> kDefault = std::nullopt;

using format::kCommanderySecondGlyph;
using format::kNameGlyph;
using format::kProvinceGlyph;
using K = Kind;
using F = FontSize;
using R = Role;

// clang-format off
constexpr std::array kControls = {
// name, kind, role and number in the handlers' Controls, {left, top, width,
// height} in twips, font, text colour, background, flags, caption, accessible name
    ControlRow{u"Text12",   K::TextBox,    R::Text,    12, {960, 1920, 4815, 690},  F::Small,  kWhite,   kDarkGreen,   kMultiLine,           {},                     u"郡備考"},
    ControlRow{u"Command1", K::Button,     R::None,    0,  {3120, 5400, 735, 495},  F::List,   kDefault, kButtonFace,  0,                    u"検索",                u"検索"},
    ControlRow{u"Text11",   K::TextBox,    R::Text,    11, {960, 5400, 1935, 450},  F::Medium, kWhite,   kDarkGreen,   0,                    {},                     u"検索語"},
    ControlRow{u"Picture5", K::PictureBox, R::Picture, 5,  {1300, 3260, kNameGlyph.width, kNameGlyph.height},  F::None,   kDefault, kPictureGrey, kHidden,              {},                     u"県名の2字目"},
    ControlRow{u"Picture4", K::PictureBox, R::Picture, 4,  {960, 3260, kNameGlyph.width, kNameGlyph.height},   F::None,   kDefault, kPictureGrey, kHidden,              {},                     u"県名の1字目"},
    ControlRow{u"Picture3", K::PictureBox, R::Picture, 3,  {1300, 1340, kCommanderySecondGlyph.width, kCommanderySecondGlyph.height},  F::None,   kDefault, kPictureGrey, kHidden,              {},                     u"郡名の2字目"},
    ControlRow{u"Picture2", K::PictureBox, R::Picture, 2,  {960, 1340, kNameGlyph.width, kNameGlyph.height},   F::None,   kDefault, kPictureGrey, kHidden,              {},                     u"郡名の1字目"},
    ControlRow{u"Picture1", K::PictureBox, R::Picture, 1,  {960, 250, kProvinceGlyph.width, kProvinceGlyph.height},    F::None,   kDefault, kPictureGrey, kHidden,              {},                     u"州名の1字目"},
    ControlRow{u"key",      K::TextBox,    R::None,    0,  {5880, 4320, 1335, 330}, F::Medium, kDefault, kDefault,     kHidden,              {},                     u"作業欄"},
    ControlRow{u"List3",    K::List,       R::List,    3,  {7320, 360, 1455, 1140}, F::List,   kDefault, kOlive,       0,                    {},                     u"州一覧"},
    ControlRow{u"List2",    K::List,       R::List,    2,  {7320, 3120, 2055, 2400}, F::List,  kDefault, kOlive,       0,                    {},                     u"県一覧"},
    ControlRow{u"List1",    K::List,       R::List,    1,  {7320, 1560, 2055, 1500}, F::List,  kDefault, kOlive,       0,                    {},                     u"郡一覧"},
    ControlRow{u"Text10",   K::TextBox,    R::Text,    10, {960, 4800, 4815, 330},  F::Medium, kWhite,   kDarkGreen,   0,                    {},                     u"産物"},
    ControlRow{u"Text9",    K::TextBox,    R::Text,    9,  {960, 3840, 4815, 810},  F::Small,  kWhite,   kDarkGreen,   kMultiLine,           {},                     u"県備考"},
    ControlRow{u"Text8",    K::TextBox,    R::Text,    8,  {6360, 840, 375, 330},   F::Medium, kWhite,   kDarkGreen,   0,                    {},                     u"城"},
    ControlRow{u"Text7",    K::TextBox,    R::Text,    7,  {4440, 1320, 1335, 330}, F::Medium, kWhite,   kDarkGreen,   0,                    {},                     u"口数"},
    ControlRow{u"Text6",    K::TextBox,    R::Text,    6,  {4440, 840, 1335, 330},  F::Medium, kWhite,   kDarkGreen,   0,                    {},                     u"戸数"},
    ControlRow{u"Text5",    K::TextBox,    R::Text,    5,  {960, 2760, 2535, 330},  F::Small,  kWhite,   kDarkGreen,   0,                    {},                     u"県読み"},
    ControlRow{u"Text4",    K::TextBox,    R::Text,    4,  {960, 840, 2535, 330},   F::Small,  kWhite,   kDarkGreen,   0,                    {},                     u"郡読み"},
    ControlRow{u"Text3",    K::TextBox,    R::Text,    3,  {960, 3240, 2535, 495},  F::Large,  kWhite,   kDarkGreen,   0,                    {},                     u"県名"},
    ControlRow{u"Text2",    K::TextBox,    R::Text,    2,  {960, 1320, 2535, 495},  F::Large,  kWhite,   kDarkGreen,   0,                    {},                     u"郡名"},
    ControlRow{u"Text1",    K::TextBox,    R::Text,    1,  {960, 240, 1815, 495},   F::Large,  kWhite,   kDarkGreen,   0,                    {},                     u"州名"},
    ControlRow{u"Label8",   K::Label,      R::None,    0,  {6000, 915, 375, 375},   F::Medium, kWhite,   kDefault,     kTransparent,         u"城",                  u"城"},
    ControlRow{u"Label7",   K::Label,      R::None,    0,  {3720, 1395, 615, 375},  F::Medium, kWhite,   kDefault,     kTransparent,         u"口数",                u"口数"},
    ControlRow{u"Label6",   K::Label,      R::None,    0,  {3720, 915, 615, 495},   F::Medium, kWhite,   kDefault,     kTransparent,         u"戸数",                u"戸数"},
    ControlRow{u"Label5",   K::Label,      R::None,    0,  {240, 4800, 615, 375},   F::Medium, kWhite,   kDefault,     kTransparent,         u"産物",                u"産物"},
    ControlRow{u"Label4",   K::Label,      R::None,    0,  {240, 3360, 615, 375},   F::Medium, kWhite,   kDefault,     kTransparent,         u"県名",                u"県名"},
    ControlRow{u"Label3",   K::Label,      R::None,    0,  {240, 1440, 615, 375},   F::Medium, kWhite,   kDefault,     kTransparent,         u"郡名",                u"郡名"},
    ControlRow{u"Label2",   K::Label,      R::None,    0,  {240, 360, 615, 375},    F::Medium, kWhite,   kDefault,     kTransparent,         u"州名",                u"州名"},
    ControlRow{u"Label1",   K::Label,      R::Prompt,  0,  {3960, 5520, 2535, 375}, F::Medium, kWhite,   kDefault,     kTransparent,         u"漢字を入力して下さい", u"漢字を入力して下さい"},
    ControlRow{u"Image1",   K::Image,      R::None,    0,  {1080, 240, 495, 495},   F::None,   kDefault, kDefault,     kTransparent,         {},                     u"画像"},
    ControlRow{u"Shape1",   K::Shape,      R::None,    0,  {0, -240, 9735, 6255},   F::None,   kOlive,   kDefault,     kTransparent,         {},                     u"背景の模様"},
};
// clang-format on

// Each role's slots 1..count are filled once each and the prompt exactly once.
constexpr bool fillsOnce(Role role, int count) {
    for (int n = role == Role::Prompt ? 0 : 1; n <= count; ++n) {
        int rows = 0;
        for (const ControlRow& row : kControls)
            rows += row.role == role && row.number == n;
        if (rows != 1)
            return false;
    }
    int total = 0;
    for (const ControlRow& row : kControls)
        total += row.role == role;
    return total == (role == Role::Prompt ? 1 : count);
}
static_assert(fillsOnce(Role::Text, kTextBoxes));
static_assert(fillsOnce(Role::List, kLists));
static_assert(fillsOnce(Role::Picture, kPictures));
static_assert(fillsOnce(Role::Prompt, 0));

constexpr std::array<QStringView, 16> kTabOrder = {
    u"Text1", u"Text2", u"Text3", u"Text4", u"Text5", u"Text6", u"Text7", u"Text8",
    u"Text9", u"Text10", u"List1", u"List2", u"List3", u"Text11", u"Command1", u"Text12",
};

}  // namespace

std::span<const ControlRow> controlTable() { return kControls; }

const ControlRow* controlFor(Role role, int number) {
    for (const ControlRow& row : kControls)
        if (row.role == role && row.number == number)
            return &row;
    return nullptr;
}

std::span<const QStringView> tabOrder() { return kTabOrder; }

const std::vector<MenuRow>& menuTable() {
    // The other-software items' dialog texts live with their handler in
    // menu/; their captions are here, so window/ does not include menu/.
    static const std::vector<MenuRow> rows = {
        {QStringLiteral("mnuken"), {}, QStringLiteral("検索オプション")},
        {QStringLiteral("mnuken"), QStringLiteral("mnukan"), QStringLiteral("郡漢字")},
        {QStringLiteral("mnuken"), QStringLiteral("mnuyomi"), QStringLiteral("郡読み")},
        {QStringLiteral("mnuken"), QStringLiteral("mnukan2"), QStringLiteral("県漢字")},
        {QStringLiteral("mnuken"), QStringLiteral("mnuyomi2"), QStringLiteral("県読み")},
        {QStringLiteral("mnuken"), QStringLiteral("mnubiko2"), QStringLiteral("県備考")},
        {QStringLiteral("mnuchizu"), {}, QStringLiteral("地図")},
        {QStringLiteral("mnuchizu"), QStringLiteral("mnuchizu1"), QStringLiteral("地図を表示")},
        {QStringLiteral("mnugokan"), {}, QStringLiteral("ＨＰ")},
        {QStringLiteral("mnuex"), {}, QStringLiteral("その他歴史ソフト")},
        {QStringLiteral("mnuex"), QStringLiteral("mnuex1"), QStringLiteral("三国志人物事典")},
        {QStringLiteral("mnuex"), QStringLiteral("mnuex2"), QStringLiteral("前漢地理志")},
        {QStringLiteral("mnuex"), QStringLiteral("mnuex3"), QStringLiteral("秦漢官職表")},
        {QStringLiteral("mnuex"), QStringLiteral("mnuex4"), QStringLiteral("中国歴代年表")},
        {QStringLiteral("mnuex"), QStringLiteral("mnuex5"), QStringLiteral("晋書地理志")},
        {QStringLiteral("mnuex"), QStringLiteral("mnuex6"), QStringLiteral("漢字異体字表")},
    };
    return rows;
}

QStringList fontFamilies() {
    return {QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
            QStringLiteral("IPAPGothic"),     QStringLiteral("IPAGothic"),
            QStringLiteral("Noto Sans CJK JP"), QStringLiteral("VL PGothic")};
}

}  // namespace ui

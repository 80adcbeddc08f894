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

using twips::kCommanderySecondGlyph;
using twips::kNameGlyph;
using twips::kProvinceGlyph;
using K = Kind;
using F = FontSize;
using R = Role;

// clang-format off
constexpr std::array kControls = {
// name, kind, role in the handlers' Controls, {left, top, width,
// height} in twips, font, text colour, background, flags, caption, accessible name
    ControlRow{u"Text12",   K::TextBox,     R::CommanderyRemarks,     {960, 1920, 4815, 690},  F::Small,  kWhite,   kDarkGreen,   kMultiLine,           {},                     u"郡備考"},
    ControlRow{u"Command1", K::Button,      R::None,                  {3120, 5400, 735, 495},  F::List,   kDefault, kButtonFace,  0,                    u"検索",                u"検索"},
    ControlRow{u"Text11",   K::TextBox,     R::SearchText,            {960, 5400, 1935, 450},  F::Medium, kWhite,   kDarkGreen,   0,                    {},                     u"検索語"},
    ControlRow{u"Picture5", K::PictureBox,  R::CountySecondGlyph,     {1300, 3260, kNameGlyph.width, kNameGlyph.height},  F::None,   kDefault, kPictureGrey, kHidden,              {},                     u"県名の2字目"},
    ControlRow{u"Picture4", K::PictureBox,  R::CountyFirstGlyph,      {960, 3260, kNameGlyph.width, kNameGlyph.height},   F::None,   kDefault, kPictureGrey, kHidden,              {},                     u"県名の1字目"},
    ControlRow{u"Picture3", K::PictureBox,  R::CommanderySecondGlyph, {1300, 1340, kCommanderySecondGlyph.width, kCommanderySecondGlyph.height},  F::None,   kDefault, kPictureGrey, kHidden,              {},                     u"郡名の2字目"},
    ControlRow{u"Picture2", K::PictureBox,  R::CommanderyFirstGlyph,  {960, 1340, kNameGlyph.width, kNameGlyph.height},   F::None,   kDefault, kPictureGrey, kHidden,              {},                     u"郡名の1字目"},
    ControlRow{u"Picture1", K::PictureBox,  R::ProvinceGlyph,         {960, 250, kProvinceGlyph.width, kProvinceGlyph.height},    F::None,   kDefault, kPictureGrey, kHidden,              {},                     u"州名の1字目"},
    ControlRow{u"key",      K::TextBox,     R::None,                  {5880, 4320, 1335, 330}, F::Medium, kDefault, kDefault,     kHidden,              {},                     u"作業欄"},
    ControlRow{u"List3",    K::List,        R::ProvinceList,          {7320, 360, 1455, 1140}, F::List,   kDefault, kOlive,       0,                    {},                     u"州一覧"},
    ControlRow{u"List2",    K::List,        R::CountyList,            {7320, 3120, 2055, 2400}, F::List,  kDefault, kOlive,       0,                    {},                     u"県一覧"},
    ControlRow{u"List1",    K::List,        R::CommanderyList,        {7320, 1560, 2055, 1500}, F::List,  kDefault, kOlive,       0,                    {},                     u"郡一覧"},
    ControlRow{u"Text10",   K::TextBox,     R::CountyProducts,        {960, 4800, 4815, 330},  F::Medium, kWhite,   kDarkGreen,   0,                    {},                     u"産物"},
    ControlRow{u"Text9",    K::TextBox,     R::CountyRemarks,         {960, 3840, 4815, 810},  F::Small,  kWhite,   kDarkGreen,   kMultiLine,           {},                     u"県備考"},
    ControlRow{u"Text8",    K::TextBox,     R::Cities,                {6360, 840, 375, 330},   F::Medium, kWhite,   kDarkGreen,   0,                    {},                     u"城"},
    ControlRow{u"Text7",    K::TextBox,     R::Population,            {4440, 1320, 1335, 330}, F::Medium, kWhite,   kDarkGreen,   0,                    {},                     u"口数"},
    ControlRow{u"Text6",    K::TextBox,     R::Households,            {4440, 840, 1335, 330},  F::Medium, kWhite,   kDarkGreen,   0,                    {},                     u"戸数"},
    ControlRow{u"Text5",    K::TextBox,     R::CountyReading,         {960, 2760, 2535, 330},  F::Small,  kWhite,   kDarkGreen,   0,                    {},                     u"県読み"},
    ControlRow{u"Text4",    K::TextBox,     R::CommanderyReading,     {960, 840, 2535, 330},   F::Small,  kWhite,   kDarkGreen,   0,                    {},                     u"郡読み"},
    ControlRow{u"Text3",    K::TextBox,     R::CountyName,            {960, 3240, 2535, 495},  F::Large,  kWhite,   kDarkGreen,   0,                    {},                     u"県名"},
    ControlRow{u"Text2",    K::TextBox,     R::CommanderyName,        {960, 1320, 2535, 495},  F::Large,  kWhite,   kDarkGreen,   0,                    {},                     u"郡名"},
    ControlRow{u"Text1",    K::TextBox,     R::ProvinceName,          {960, 240, 1815, 495},   F::Large,  kWhite,   kDarkGreen,   0,                    {},                     u"州名"},
    ControlRow{u"Label8",   K::Label,       R::None,                  {6000, 915, 375, 375},   F::Medium, kWhite,   kDefault,     kTransparent,         u"城",                  u"城"},
    ControlRow{u"Label7",   K::Label,       R::None,                  {3720, 1395, 615, 375},  F::Medium, kWhite,   kDefault,     kTransparent,         u"口数",                u"口数"},
    ControlRow{u"Label6",   K::Label,       R::None,                  {3720, 915, 615, 495},   F::Medium, kWhite,   kDefault,     kTransparent,         u"戸数",                u"戸数"},
    ControlRow{u"Label5",   K::Label,       R::None,                  {240, 4800, 615, 375},   F::Medium, kWhite,   kDefault,     kTransparent,         u"産物",                u"産物"},
    ControlRow{u"Label4",   K::Label,       R::None,                  {240, 3360, 615, 375},   F::Medium, kWhite,   kDefault,     kTransparent,         u"県名",                u"県名"},
    ControlRow{u"Label3",   K::Label,       R::None,                  {240, 1440, 615, 375},   F::Medium, kWhite,   kDefault,     kTransparent,         u"郡名",                u"郡名"},
    ControlRow{u"Label2",   K::Label,       R::None,                  {240, 360, 615, 375},    F::Medium, kWhite,   kDefault,     kTransparent,         u"州名",                u"州名"},
    ControlRow{u"Label1",   K::Label,       R::Prompt,                {3960, 5520, 2535, 375}, F::Medium, kWhite,   kDefault,     kTransparent,         u"漢字を入力して下さい", u"漢字を入力して下さい"},
    ControlRow{u"Image1",   K::Image,       R::None,                  {1080, 240, 495, 495},   F::None,   kDefault, kDefault,     kTransparent,         {},                     u"画像"},
    ControlRow{u"Shape1",   K::Shape,       R::None,                  {0, -240, 9735, 6255},   F::None,   kOlive,   kDefault,     kTransparent,         {},                     u"背景の模様"},
};
// clang-format on

// Every role is filled exactly once, and each kind has as many rows as the
// design numbers (Text1..Text12 and so on).
constexpr bool fillsOnce() {
    for (int r = static_cast<int>(Role::ProvinceName); r <= static_cast<int>(Role::Prompt); ++r) {
        int rows = 0;
        for (const ControlRow& row : kControls)
            rows += row.role == static_cast<Role>(r);
        if (rows != 1)
            return false;
    }
    return true;
}
constexpr int rowsOf(Kind kind, Role first, Role last) {
    int n = 0;
    for (const ControlRow& row : kControls)
        n += row.kind == kind && row.role >= first && row.role <= last;
    return n;
}
static_assert(fillsOnce());
static_assert(rowsOf(K::TextBox, Role::ProvinceName, Role::CommanderyRemarks) == kTextBoxes);
static_assert(rowsOf(K::List, Role::CommanderyList, Role::ProvinceList) == kLists);
static_assert(rowsOf(K::PictureBox, Role::ProvinceGlyph, Role::CountySecondGlyph) == kPictures);

constexpr std::array<QStringView, 16> kTabOrder = {
    u"Text1", u"Text2", u"Text3", u"Text4", u"Text5", u"Text6", u"Text7", u"Text8",
    u"Text9", u"Text10", u"List1", u"List2", u"List3", u"Text11", u"Command1", u"Text12",
};

}  // namespace

std::span<const ControlRow> controlTable() { return kControls; }

const ControlRow* controlFor(Role role) {
    if (role == Role::None)
        return nullptr;
    for (const ControlRow& row : kControls)
        if (row.role == role)
            return &row;
    return nullptr;
}

const ControlRow* controlNamed(QStringView name) {
    for (const ControlRow& row : kControls)
        if (row.name == name)
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

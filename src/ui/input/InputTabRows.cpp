#include "ui/input/InputTabRows.h"

#include "resource.h"

namespace {

constexpr std::array<InputTabRow, BindableActionCount> kRows = {{
    {IDC_EDIT_MOVEFORWARD, IDC_LABEL_MOVEFORWARD, u"MoveForward", 15},
    {IDC_EDIT_MOVEBACKWARD, IDC_LABEL_MOVEBACKWARD, u"MoveBackward", 16},
    {IDC_EDIT_MOVELEFT, IDC_LABEL_MOVELEFT, u"MoveLeft", 23},
    {IDC_EDIT_MOVERIGHT, IDC_LABEL_MOVERIGHT, u"MoveRight", 14},
    {IDC_EDIT_WALKFLAG, IDC_LABEL_WALKFLAG, u"WalkFlag", 9},
    {IDC_EDIT_WALKSWITCH, IDC_LABEL_WALKSWITCH, u"WalkSwitch", 18},
    {IDC_EDIT_ATTACKFAST, IDC_LABEL_ATTACKFAST, u"AttackFast", 0},
    {IDC_EDIT_ATTACKSTRONG, IDC_LABEL_ATTACKSTRONG, u"AttackStrong", 1},
    {IDC_EDIT_ACCEPTEVADE, IDC_LABEL_ACCEPTEVADE, u"AcceptEvade", 22},
    {IDC_EDIT_BLOCK, IDC_LABEL_BLOCK, u"Block", 8},
    {IDC_EDIT_LOCKTARGET, IDC_LABEL_LOCKTARGET, u"LockTarget", 7},
    {IDC_EDIT_USEITEM, IDC_LABEL_USEITEM, u"UseItem", 21},
    {IDC_EDIT_USEABILITY, IDC_LABEL_USEABILITY, u"UseAbility", 20},
    {IDC_EDIT_ADRENALINE, IDC_LABEL_ADRENALINE, u"Adrenaline", 24},
    {IDC_EDIT_MEDALLION, IDC_LABEL_MEDALLION, u"Medallion", 25},
    {IDC_EDIT_HOLSTER, IDC_LABEL_HOLSTER, u"Holster", 2},
    {IDC_EDIT_STEEL, IDC_LABEL_STEEL, u"Steel", 3},
    {IDC_EDIT_SILVER, IDC_LABEL_SILVER, u"Silver", 4},
    {IDC_EDIT_NEXTSIGN, IDC_LABEL_NEXTSIGN, u"NextSign", 5},
    {IDC_EDIT_NEXTITEM, IDC_LABEL_NEXTITEM, u"NextItem", 6},
    {IDC_EDIT_CASTBREL, IDC_LABEL_CASTBREL, u"CastBrel", 10},
    {IDC_EDIT_CASTKOVAS, IDC_LABEL_CASTKOVAS, u"CastKovas", 11},
    {IDC_EDIT_CASTSORRA, IDC_LABEL_CASTSORRA, u"CastSorra", 12},
    {IDC_EDIT_CASTDULT, IDC_LABEL_CASTDULT, u"CastDult", 26},
    {IDC_EDIT_CASTMURO, IDC_LABEL_CASTMURO, u"CastMuro", 19},
    {IDC_EDIT_FASTMENU, IDC_LABEL_FASTMENU, u"FastMenu", 17},
    {IDC_EDIT_CIRCLEOFPOWER, IDC_LABEL_CIRCLEOFPOWER, u"CircleOfPower", 13},
}};

// Every entry of the page has exactly one row.
constexpr bool EachEntryOnce() {
    std::array<int, BindableActionCount> seen{};
    for (const InputTabRow& row : kRows) {
        if (row.entry < 0 || row.entry >= static_cast<int>(BindableActionCount))
            return false;
        ++seen[static_cast<size_t>(row.entry)];
    }
    for (int count : seen) {
        if (count != 1)
            return false;
    }
    return true;
}
static_assert(EachEntryOnce());

constexpr std::array<InputTabText, 4> kTexts = {{
    {IDC_GROUP_MOVEMENT, u"Movement"},
    {IDC_GROUP_COMBAT, u"Combat"},
    {IDC_GROUP_GAMEPLAY, u"Gameplay"},
    {IDC_RESET_DEFAULT, u"ResetDefault"},
}};

} // namespace

const std::array<InputTabRow, BindableActionCount>& InputTabRows() {
    return kRows;
}

const std::array<InputTabText, 4>& InputTabTexts() {
    return kTexts;
}

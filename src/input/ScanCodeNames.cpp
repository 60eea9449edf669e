#include "ScanCodeNames.h"

#include <iterator>

namespace {

struct ScanCodeName {
    std::u16string_view name;
    uint8_t scanCode;
};

// The 100 names, with DirectInput's alternate names for Backspace and the Alt keys.
constexpr ScanCodeName Names[] = {
    {u"DIK_ESCAPE", 0x01},     {u"DIK_1", 0x02},         {u"DIK_2", 0x03},
    {u"DIK_3", 0x04},          {u"DIK_4", 0x05},         {u"DIK_5", 0x06},
    {u"DIK_6", 0x07},          {u"DIK_7", 0x08},         {u"DIK_8", 0x09},
    {u"DIK_9", 0x0A},          {u"DIK_0", 0x0B},         {u"DIK_MINUS", 0x0C},
    {u"DIK_EQUALS", 0x0D},     {u"DIK_BACKSPACE", 0x0E}, {u"DIK_TAB", 0x0F},
    {u"DIK_Q", 0x10},          {u"DIK_W", 0x11},         {u"DIK_E", 0x12},
    {u"DIK_R", 0x13},          {u"DIK_T", 0x14},         {u"DIK_Y", 0x15},
    {u"DIK_U", 0x16},          {u"DIK_I", 0x17},         {u"DIK_O", 0x18},
    {u"DIK_P", 0x19},          {u"DIK_LBRACKET", 0x1A},  {u"DIK_RBRACKET", 0x1B},
    {u"DIK_RETURN", 0x1C},     {u"DIK_LCONTROL", 0x1D},  {u"DIK_A", 0x1E},
    {u"DIK_S", 0x1F},          {u"DIK_D", 0x20},         {u"DIK_F", 0x21},
    {u"DIK_G", 0x22},          {u"DIK_H", 0x23},         {u"DIK_J", 0x24},
    {u"DIK_K", 0x25},          {u"DIK_L", 0x26},         {u"DIK_SEMICOLON", 0x27},
    {u"DIK_APOSTROPHE", 0x28}, {u"DIK_GRAVE", 0x29},     {u"DIK_LSHIFT", 0x2A},
    {u"DIK_BACKSLASH", 0x2B},  {u"DIK_Z", 0x2C},         {u"DIK_X", 0x2D},
    {u"DIK_C", 0x2E},          {u"DIK_V", 0x2F},         {u"DIK_B", 0x30},
    {u"DIK_N", 0x31},          {u"DIK_M", 0x32},         {u"DIK_COMMA", 0x33},
    {u"DIK_PERIOD", 0x34},     {u"DIK_SLASH", 0x35},     {u"DIK_RSHIFT", 0x36},
    {u"DIK_MULTIPLY", 0x37},   {u"DIK_LALT", 0x38},      {u"DIK_SPACE", 0x39},
    {u"DIK_CAPITAL", 0x3A},    {u"DIK_F1", 0x3B},        {u"DIK_F2", 0x3C},
    {u"DIK_F3", 0x3D},         {u"DIK_F4", 0x3E},        {u"DIK_F5", 0x3F},
    {u"DIK_F6", 0x40},         {u"DIK_F7", 0x41},        {u"DIK_F8", 0x42},
    {u"DIK_F9", 0x43},         {u"DIK_F10", 0x44},       {u"DIK_NUMLOCK", 0x45},
    {u"DIK_SCROLL", 0x46},     {u"DIK_NUMPAD7", 0x47},   {u"DIK_NUMPAD8", 0x48},
    {u"DIK_NUMPAD9", 0x49},    {u"DIK_SUBTRACT", 0x4A},  {u"DIK_NUMPAD4", 0x4B},
    {u"DIK_NUMPAD5", 0x4C},    {u"DIK_NUMPAD6", 0x4D},   {u"DIK_ADD", 0x4E},
    {u"DIK_NUMPAD1", 0x4F},    {u"DIK_NUMPAD2", 0x50},   {u"DIK_NUMPAD3", 0x51},
    {u"DIK_NUMPAD0", 0x52},    {u"DIK_DECIMAL", 0x53},   {u"DIK_F11", 0x57},
    {u"DIK_F12", 0x58},        {u"DIK_RCONTROL", 0x9D},  {u"DIK_DIVIDE", 0xB5},
    {u"DIK_SYSRQ", 0xB7},      {u"DIK_RALT", 0xB8},      {u"DIK_PAUSE", 0xC5},
    {u"DIK_HOME", 0xC7},       {u"DIK_UP", 0xC8},        {u"DIK_PRIOR", 0xC9},
    {u"DIK_LEFT", 0xCB},       {u"DIK_RIGHT", 0xCD},     {u"DIK_END", 0xCF},
    {u"DIK_DOWN", 0xD0},       {u"DIK_NEXT", 0xD1},      {u"DIK_INSERT", 0xD2},
    {u"DIK_DELETE", 0xD3},
};
static_assert(std::size(Names) == 100);

} // namespace

std::optional<uint8_t> FindScanCode(std::u16string_view name) {
    for (const ScanCodeName& entry : Names) {
        if (entry.name == name)
            return entry.scanCode;
    }
    return std::nullopt;
}

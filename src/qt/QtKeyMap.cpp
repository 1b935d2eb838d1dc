// Qt keys to virtual-key codes.
#include "qt/QtKeyMap.h"

#include <array>
#include <utility>

namespace varnel::qt {

namespace {

constexpr std::array<std::pair<int, std::uint16_t>, 46> kKeys{{
    {Qt::Key_Backspace, 0x08},    {Qt::Key_Tab, 0x09},         {Qt::Key_Backtab, 0x09},
    {Qt::Key_Clear, 0x0C},        {Qt::Key_Return, 0x0D},      {Qt::Key_Enter, 0x0D},
    {Qt::Key_Shift, 0x10},        {Qt::Key_Control, 0x11},     {Qt::Key_Alt, 0x12},
    {Qt::Key_Pause, 0x13},        {Qt::Key_CapsLock, 0x14},    {Qt::Key_Escape, 0x1B},
    {Qt::Key_Space, 0x20},        {Qt::Key_PageUp, 0x21},      {Qt::Key_PageDown, 0x22},
    {Qt::Key_End, 0x23},          {Qt::Key_Home, 0x24},        {Qt::Key_Left, 0x25},
    {Qt::Key_Up, 0x26},           {Qt::Key_Right, 0x27},       {Qt::Key_Down, 0x28},
    {Qt::Key_Print, 0x2C},        {Qt::Key_Insert, 0x2D},      {Qt::Key_Delete, 0x2E},
    {Qt::Key_Help, 0x2F},         {Qt::Key_Menu, 0x5D},        {Qt::Key_NumLock, 0x90},
    {Qt::Key_ScrollLock, 0x91},   {Qt::Key_Semicolon, 0xBA},   {Qt::Key_Colon, 0xBA},
    {Qt::Key_Plus, 0xBB},         {Qt::Key_Equal, 0xBB},       {Qt::Key_Comma, 0xBC},
    {Qt::Key_Less, 0xBC},         {Qt::Key_Minus, 0xBD},       {Qt::Key_Period, 0xBE},
    {Qt::Key_Greater, 0xBE},      {Qt::Key_Slash, 0xBF},       {Qt::Key_Question, 0xBF},
    {Qt::Key_QuoteLeft, 0xC0},    {Qt::Key_BracketLeft, 0xDB}, {Qt::Key_Backslash, 0xDC},
    {Qt::Key_BracketRight, 0xDD}, {Qt::Key_Apostrophe, 0xDE},  {Qt::Key_Zenkaku_Hankaku, 0xF3},
    {Qt::Key_Henkan, 0x1C},
}};

}  // namespace

std::uint16_t VirtualKeyOf(int qtKey) {
    if ((qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) || (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z))
        return static_cast<std::uint16_t>(qtKey);  // same codes as the virtual keys
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return static_cast<std::uint16_t>(0x70 + (qtKey - Qt::Key_F1));
    for (const auto& [key, vk] : kKeys) {
        if (key == qtKey)
            return vk;
    }
    return 0;
}

std::uint8_t ShiftByteOf(Qt::KeyboardModifiers modifiers) {
    std::uint8_t shift = 0;
    if (modifiers & Qt::ShiftModifier)
        shift |= 1;
    if (modifiers & Qt::ControlModifier)
        shift |= 2;
    if (modifiers & Qt::AltModifier)
        shift |= 4;
    return shift;
}

int QtKeyCombinationOf(int keyCode) {
    const int vk = keyCode & 0xFF;
    int key = 0;
    if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z'))
        key = vk;
    else if (vk >= 0x70 && vk <= 0x87)
        key = Qt::Key_F1 + (vk - 0x70);
    for (const auto& [qtKey, code] : kKeys) {
        if (key == 0 && code == vk)
            key = qtKey;  // the first Qt key of the code is its usual one
    }
    if (key == 0)
        return 0;
    const int mods = keyCode >> 8;
    return key | ((mods & 1) ? static_cast<int>(Qt::ShiftModifier) : 0) |
           ((mods & 2) ? static_cast<int>(Qt::ControlModifier) : 0) |
           ((mods & 4) ? static_cast<int>(Qt::AltModifier) : 0);
}

}  // namespace varnel::qt

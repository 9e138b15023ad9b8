#pragma once

namespace platform {

// Button ids as the game uses them: the keyboard's Windows scan codes, then the mouse and the
// gamepad. The platform maps SDL's keys, mouse and game controllers onto them.
namespace button {
constexpr int kEscape = 1;
constexpr int kMinus = 12;
constexpr int kEquals = 13;  // "+" with Shift
constexpr int kBackspace = 14;
constexpr int kR = 19;
constexpr int kM = 50;
constexpr int kSpace = 57;
constexpr int kKeypadMinus = 74;
constexpr int kKeypadPlus = 78;
constexpr int kF11 = 87;
constexpr int kF12 = 88;
constexpr int kUp = 200;
constexpr int kPageUp = 201;
constexpr int kLeft = 203;
constexpr int kRight = 205;
constexpr int kDown = 208;
constexpr int kPageDown = 209;
constexpr int kMouseLeft = 256;
constexpr int kMouseRight = 257;
constexpr int kMouseMiddle = 258;
constexpr int kWheelUp = 259;
constexpr int kWheelDown = 260;
constexpr int kGamepadLeft = 262;
constexpr int kGamepadRight = 263;
constexpr int kGamepadUp = 264;
constexpr int kGamepadDown = 265;
constexpr int kGamepadButton0 = 266;
constexpr int kCount = 300;
}  // namespace button

}  // namespace platform

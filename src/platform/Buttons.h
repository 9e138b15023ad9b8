#pragma once

namespace platform {

// Button ids as the game uses them: the keyboard's Windows scan codes, then the mouse and the
// gamepad. The platform maps SDL's keys, mouse and game controllers onto them.
namespace button {
constexpr int kEscape = 1;
constexpr int kMinus = 12;
constexpr int kEquals = 13;  // the "=" / "+" key
constexpr int kBackspace = 14;
constexpr int kTab = 15;
constexpr int kR = 19;
constexpr int kY = 21;
constexpr int kO = 24;
constexpr int kEnter = 28;
constexpr int kControl = 29;  // the left Control key
constexpr int kS = 31;
constexpr int kShift = 42;  // the left Shift key
constexpr int kZ = 44;
constexpr int kN = 49;
constexpr int kM = 50;
constexpr int kRightShift = 54;
constexpr int kSpace = 57;
constexpr int kKeypadMinus = 74;
constexpr int kKeypadPlus = 78;
constexpr int kF11 = 87;
constexpr int kF12 = 88;
constexpr int kKeypadEnter = 156;
constexpr int kRightControl = 157;
constexpr int kHome = 199;
constexpr int kUp = 200;
constexpr int kPageUp = 201;
constexpr int kLeft = 203;
constexpr int kRight = 205;
constexpr int kEnd = 207;
constexpr int kDown = 208;
constexpr int kPageDown = 209;
constexpr int kDelete = 211;
// The last keyboard id; everything from 1 to here that has a name is a key.
constexpr int kLastKey = 255;
constexpr int kMouseLeft = 256;
constexpr int kMouseRight = 257;
constexpr int kMouseMiddle = 258;
constexpr int kWheelUp = 259;
constexpr int kWheelDown = 260;
constexpr int kGamepadLeft = 262;
constexpr int kGamepadRight = 263;
constexpr int kGamepadUp = 264;
constexpr int kGamepadDown = 265;
// The pad's buttons in SDL's game controller order: A, B, X, Y, Back, Guide, Start, left and
// right stick, left and right shoulder; then the left and right trigger pulled past half way.
constexpr int kGamepadButton0 = 266;
constexpr int kGamepadButtonCount = 13;
constexpr int kGamepadLeftTrigger = kGamepadButton0 + 11;
constexpr int kGamepadRightTrigger = kGamepadButton0 + 12;
constexpr int kCount = 300;

// Whether an id is a key of the keyboard, or a direction or button of a gamepad.
constexpr bool isKey(int id) {
  return id > 0 && id <= kLastKey;
}
constexpr bool isGamepad(int id) {
  return id >= kGamepadLeft && id < kGamepadButton0 + kGamepadButtonCount;
}
}  // namespace button

}  // namespace platform

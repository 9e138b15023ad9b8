#include "platform/ButtonNames.h"

#include <SDL.h>

#include <array>

#include "platform/Buttons.h"
#include "platform/SdlBackend.h"

namespace platform {
namespace {

struct NamedButton {
  int id;
  const char* name;
  SDL_Scancode scancode;  // SDL_SCANCODE_UNKNOWN for the gamepad
};

// Keyboard ids are the keys' Windows scan codes (extended keys + 128), as the game always used.
constexpr std::array kButtons = {
    NamedButton{button::kEscape, "Escape", SDL_SCANCODE_ESCAPE},
    NamedButton{2, "1", SDL_SCANCODE_1},
    NamedButton{3, "2", SDL_SCANCODE_2},
    NamedButton{4, "3", SDL_SCANCODE_3},
    NamedButton{5, "4", SDL_SCANCODE_4},
    NamedButton{6, "5", SDL_SCANCODE_5},
    NamedButton{7, "6", SDL_SCANCODE_6},
    NamedButton{8, "7", SDL_SCANCODE_7},
    NamedButton{9, "8", SDL_SCANCODE_8},
    NamedButton{10, "9", SDL_SCANCODE_9},
    NamedButton{11, "0", SDL_SCANCODE_0},
    NamedButton{12, "-", SDL_SCANCODE_MINUS},
    NamedButton{13, "=", SDL_SCANCODE_EQUALS},
    NamedButton{button::kBackspace, "Backspace", SDL_SCANCODE_BACKSPACE},
    NamedButton{button::kTab, "Tab", SDL_SCANCODE_TAB},
    NamedButton{16, "Q", SDL_SCANCODE_Q},
    NamedButton{17, "W", SDL_SCANCODE_W},
    NamedButton{18, "E", SDL_SCANCODE_E},
    NamedButton{19, "R", SDL_SCANCODE_R},
    NamedButton{20, "T", SDL_SCANCODE_T},
    NamedButton{21, "Y", SDL_SCANCODE_Y},
    NamedButton{22, "U", SDL_SCANCODE_U},
    NamedButton{23, "I", SDL_SCANCODE_I},
    NamedButton{24, "O", SDL_SCANCODE_O},
    NamedButton{25, "P", SDL_SCANCODE_P},
    NamedButton{26, "[", SDL_SCANCODE_LEFTBRACKET},
    NamedButton{27, "]", SDL_SCANCODE_RIGHTBRACKET},
    NamedButton{button::kEnter, "Enter", SDL_SCANCODE_RETURN},
    NamedButton{29, "Left Ctrl", SDL_SCANCODE_LCTRL},
    NamedButton{30, "A", SDL_SCANCODE_A},
    NamedButton{31, "S", SDL_SCANCODE_S},
    NamedButton{32, "D", SDL_SCANCODE_D},
    NamedButton{33, "F", SDL_SCANCODE_F},
    NamedButton{34, "G", SDL_SCANCODE_G},
    NamedButton{35, "H", SDL_SCANCODE_H},
    NamedButton{36, "J", SDL_SCANCODE_J},
    NamedButton{37, "K", SDL_SCANCODE_K},
    NamedButton{38, "L", SDL_SCANCODE_L},
    NamedButton{39, ";", SDL_SCANCODE_SEMICOLON},
    NamedButton{40, "'", SDL_SCANCODE_APOSTROPHE},
    NamedButton{41, "`", SDL_SCANCODE_GRAVE},
    NamedButton{42, "Left Shift", SDL_SCANCODE_LSHIFT},
    NamedButton{43, "\\", SDL_SCANCODE_BACKSLASH},
    NamedButton{44, "Z", SDL_SCANCODE_Z},
    NamedButton{45, "X", SDL_SCANCODE_X},
    NamedButton{46, "C", SDL_SCANCODE_C},
    NamedButton{47, "V", SDL_SCANCODE_V},
    NamedButton{48, "B", SDL_SCANCODE_B},
    NamedButton{49, "N", SDL_SCANCODE_N},
    NamedButton{50, "M", SDL_SCANCODE_M},
    NamedButton{51, ",", SDL_SCANCODE_COMMA},
    NamedButton{52, ".", SDL_SCANCODE_PERIOD},
    NamedButton{53, "/", SDL_SCANCODE_SLASH},
    NamedButton{54, "Right Shift", SDL_SCANCODE_RSHIFT},
    NamedButton{55, "Keypad *", SDL_SCANCODE_KP_MULTIPLY},
    NamedButton{56, "Left Alt", SDL_SCANCODE_LALT},
    NamedButton{button::kSpace, "Space", SDL_SCANCODE_SPACE},
    NamedButton{58, "Caps Lock", SDL_SCANCODE_CAPSLOCK},
    NamedButton{59, "F1", SDL_SCANCODE_F1},
    NamedButton{60, "F2", SDL_SCANCODE_F2},
    NamedButton{61, "F3", SDL_SCANCODE_F3},
    NamedButton{62, "F4", SDL_SCANCODE_F4},
    NamedButton{63, "F5", SDL_SCANCODE_F5},
    NamedButton{64, "F6", SDL_SCANCODE_F6},
    NamedButton{65, "F7", SDL_SCANCODE_F7},
    NamedButton{66, "F8", SDL_SCANCODE_F8},
    NamedButton{67, "F9", SDL_SCANCODE_F9},
    NamedButton{68, "F10", SDL_SCANCODE_F10},
    NamedButton{71, "Keypad 7", SDL_SCANCODE_KP_7},
    NamedButton{72, "Keypad 8", SDL_SCANCODE_KP_8},
    NamedButton{73, "Keypad 9", SDL_SCANCODE_KP_9},
    NamedButton{74, "Keypad -", SDL_SCANCODE_KP_MINUS},
    NamedButton{75, "Keypad 4", SDL_SCANCODE_KP_4},
    NamedButton{76, "Keypad 5", SDL_SCANCODE_KP_5},
    NamedButton{77, "Keypad 6", SDL_SCANCODE_KP_6},
    NamedButton{78, "Keypad +", SDL_SCANCODE_KP_PLUS},
    NamedButton{79, "Keypad 1", SDL_SCANCODE_KP_1},
    NamedButton{80, "Keypad 2", SDL_SCANCODE_KP_2},
    NamedButton{81, "Keypad 3", SDL_SCANCODE_KP_3},
    NamedButton{82, "Keypad 0", SDL_SCANCODE_KP_0},
    NamedButton{83, "Keypad .", SDL_SCANCODE_KP_PERIOD},
    NamedButton{button::kF11, "F11", SDL_SCANCODE_F11},
    NamedButton{button::kF12, "F12", SDL_SCANCODE_F12},
    NamedButton{button::kKeypadEnter, "Keypad Enter", SDL_SCANCODE_KP_ENTER},
    NamedButton{157, "Right Ctrl", SDL_SCANCODE_RCTRL},
    NamedButton{181, "Keypad /", SDL_SCANCODE_KP_DIVIDE},
    NamedButton{184, "Right Alt", SDL_SCANCODE_RALT},
    NamedButton{button::kHome, "Home", SDL_SCANCODE_HOME},
    NamedButton{button::kUp, "Up", SDL_SCANCODE_UP},
    NamedButton{button::kPageUp, "Page Up", SDL_SCANCODE_PAGEUP},
    NamedButton{button::kLeft, "Left", SDL_SCANCODE_LEFT},
    NamedButton{button::kRight, "Right", SDL_SCANCODE_RIGHT},
    NamedButton{button::kEnd, "End", SDL_SCANCODE_END},
    NamedButton{button::kDown, "Down", SDL_SCANCODE_DOWN},
    NamedButton{button::kPageDown, "Page Down", SDL_SCANCODE_PAGEDOWN},
    NamedButton{210, "Insert", SDL_SCANCODE_INSERT},
    NamedButton{button::kDelete, "Delete", SDL_SCANCODE_DELETE},
    NamedButton{button::kGamepadLeft, "Pad Left", SDL_SCANCODE_UNKNOWN},
    NamedButton{button::kGamepadRight, "Pad Right", SDL_SCANCODE_UNKNOWN},
    NamedButton{button::kGamepadUp, "Pad Up", SDL_SCANCODE_UNKNOWN},
    NamedButton{button::kGamepadDown, "Pad Down", SDL_SCANCODE_UNKNOWN},
    NamedButton{button::kGamepadButton0, "Pad A", SDL_SCANCODE_UNKNOWN},
    NamedButton{button::kGamepadButton0 + 1, "Pad B", SDL_SCANCODE_UNKNOWN},
    NamedButton{button::kGamepadButton0 + 2, "Pad X", SDL_SCANCODE_UNKNOWN},
    NamedButton{button::kGamepadButton0 + 3, "Pad Y", SDL_SCANCODE_UNKNOWN},
    NamedButton{button::kGamepadButton0 + 4, "Pad Back", SDL_SCANCODE_UNKNOWN},
    NamedButton{button::kGamepadButton0 + 5, "Pad Guide", SDL_SCANCODE_UNKNOWN},
    NamedButton{button::kGamepadButton0 + 6, "Pad Start", SDL_SCANCODE_UNKNOWN},
    NamedButton{button::kGamepadButton0 + 7, "Pad Left Stick", SDL_SCANCODE_UNKNOWN},
    NamedButton{button::kGamepadButton0 + 8, "Pad Right Stick", SDL_SCANCODE_UNKNOWN},
    NamedButton{button::kGamepadButton0 + 9, "Pad LB", SDL_SCANCODE_UNKNOWN},
    NamedButton{button::kGamepadButton0 + 10, "Pad RB", SDL_SCANCODE_UNKNOWN},
    NamedButton{button::kGamepadLeftTrigger, "Pad LT", SDL_SCANCODE_UNKNOWN},
    NamedButton{button::kGamepadRightTrigger, "Pad RT", SDL_SCANCODE_UNKNOWN},
};

}  // namespace

std::string buttonName(int id) {
  for (const NamedButton& b : kButtons) {
    if (b.id == id) return b.name;
  }
  return {};
}

int buttonForScancode(SDL_Scancode code) {
  if (code == SDL_SCANCODE_UNKNOWN) return -1;
  for (const NamedButton& b : kButtons) {
    if (b.scancode == code) return b.id;
  }
  return -1;
}

}  // namespace platform

#pragma once
#include "gui/UiFont.h"
#include "platform/Color.h"

// The editor's colours and fonts: the game's skin (dark slate panels, racing orange) over a
// track drawn in the colours the background painter uses.
namespace editor::style {

inline constexpr const char* kFont = gui::kFontFamily;

inline constexpr platform::Color kGrass = 0xff4d7a35;
inline constexpr platform::Color kOutsidePicture = 0xff2f4a24;
inline constexpr platform::Color kRoad = 0xff5d6167;
// Over a painted picture the road shows as a tint, so the picture's own road stays visible.
inline constexpr platform::Color kRoadOverPicture = 0x55252b33;
inline constexpr platform::Color kRoadEdge = 0xc8e8e8e8;
inline constexpr platform::Color kCentreLine = 0x78ffffff;
inline constexpr platform::Color kHalfwayLine = 0xffffd23f;
inline constexpr platform::Color kOrange = 0xffff7a1a;
inline constexpr platform::Color kSlate = 0xff1b2028;
inline constexpr platform::Color kHandle = 0xfff2f2f2;
inline constexpr platform::Color kHover = 0xb0ffffff;
inline constexpr platform::Color kPlace = 0xe0ff7a1a;
inline constexpr platform::Color kPlaceOutline = 0xff3a1a05;
inline constexpr platform::Color kRefusal = 0xffe8382c;
inline constexpr platform::Color kWarning = 0xffffc21a;
inline constexpr platform::Color kText = 0xffffffff;
inline constexpr platform::Color kTextShadow = 0xc0000000;
inline constexpr platform::Color kDimText = 0xffb9c2cc;

}  // namespace editor::style

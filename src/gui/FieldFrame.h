#pragma once
#include <array>

#include "common/Rect.h"
#include "gui/Sprite.h"

namespace gui {

// Room around a frame's content, in pixels.
struct Insets {
  int top = 0;
  int left = 0;
  int right = 0;
  int bottom = 0;
};

// The looks of a nine-piece frame. Main: menu bars and panels ("main_field_*"); sub: drop-down
// menus ("sub_field_*"); list: list boxes ("list_field_*"); plain background: "bg.png" for all
// nine pieces (screen backgrounds).
enum class FieldFrameKind { Main, Sub, List, PlainBackground };

// A nine-piece frame whose corners keep their size and whose edges and fill stretch to any
// rectangle.
class FieldFrame {
 public:
  // A frame without pieces: lays out but draws nothing.
  FieldFrame() = default;
  // Loads the kind's nine pictures through the ImageCache.
  explicit FieldFrame(FieldFrameKind kind);

  // a, b: candidate left edges; c, d: candidate top edges (the anchor mode picks one of each);
  // (x2, y2): where the content ends. The right and bottom spacing extend the frame beyond it.
  void layout(int z, int a, int b, int c, int d, int x2, int y2);
  void draw() const;

  FieldFrameKind kind() const { return kind_; }
  const Insets& margin() const { return margin_; }
  const Insets& spacing() const { return spacing_; }
  // 0: left b, top c; 1: left b, top d; 2: left a, top d; 3: left a, top c.
  int anchorMode() const { return anchorMode_; }
  // Drop-down frames stack their menu entries vertically.
  bool vertical() const { return vertical_; }
  int z() const { return z_; }
  int left() const { return left_; }
  int top() const { return top_; }
  int right() const { return right_; }
  int bottom() const { return bottom_; }
  // Strictly inside the outer bounds.
  bool contains(int x, int y) const {
    return common::Rect{left_, top_, right_, bottom_}.strictlyContains(x, y);
  }

  enum Slot { Top, Right, Bottom, Left, TopLeft, TopRight, BottomRight, BottomLeft, Fill };
  const Sprite& piece(Slot slot) const { return pieces_[slot]; }

 private:
  std::array<Sprite, 9> pieces_;
  FieldFrameKind kind_ = FieldFrameKind::Main;
  bool hasPieces_ = false;
  Insets margin_;
  Insets spacing_;
  int anchorMode_ = 0;
  bool vertical_ = false;
  int z_ = 1;
  int left_ = 0;
  int top_ = 0;
  int right_ = 0;
  int bottom_ = 0;
};

}  // namespace gui

#include "gui/FieldFrame.h"

#include <string>

namespace gui {

namespace {

struct KindStyle {
  const char* prefix;  // nullptr: "bg.png" for every piece
  Insets spacing;
  int anchorMode;
  bool vertical;
};

KindStyle styleOf(FieldFrameKind kind) {
  switch (kind) {
    case FieldFrameKind::Main:
      // The huge right spacing lets a menu bar run past the right edge of any window.
      return {"main_field_", {2, 3, 3000, 0}, 0, false};
    case FieldFrameKind::Sub:
      return {"sub_field_", {4, 6, 0, 4}, 2, true};
    case FieldFrameKind::List:
      return {"list_field_", {2, 2, 2, 2}, 2, true};
    case FieldFrameKind::PlainBackground:
      break;
  }
  return {nullptr, {0, 0, 0, 0}, 3, false};
}

}  // namespace

FieldFrame::FieldFrame(FieldFrameKind kind) : kind_(kind), hasPieces_(true) {
  const KindStyle style = styleOf(kind);
  spacing_ = style.spacing;
  anchorMode_ = style.anchorMode;
  vertical_ = style.vertical;

  static constexpr std::array<const char*, 9> kSuffixes = {
      "top", "right", "bottom", "left", "topleft", "topright", "bottomright", "bottomleft", "fill"};
  for (std::size_t slot = 0; slot < pieces_.size(); ++slot) {
    const std::string name =
        style.prefix ? std::string(style.prefix) + kSuffixes[slot] + ".png" : "bg.png";
    pieces_[slot] = Sprite(guiImagePath(name));
  }
}

void FieldFrame::layout(int z, int a, int b, int c, int d, int x2, int y2) {
  z_ = z;
  left_ = (anchorMode_ == 0 || anchorMode_ == 1) ? b : a;
  top_ = (anchorMode_ == 0 || anchorMode_ == 3) ? c : d;

  Sprite& tl = pieces_[TopLeft];
  Sprite& t = pieces_[Top];
  Sprite& tr = pieces_[TopRight];
  Sprite& l = pieces_[Left];
  Sprite& fill = pieces_[Fill];
  Sprite& r = pieces_[Right];
  Sprite& bl = pieces_[BottomLeft];
  Sprite& bottom = pieces_[Bottom];
  Sprite& br = pieces_[BottomRight];

  const int fillWidth = spacing_.right + x2 - left_ - tl.width() - tr.width();
  const int fillHeight = spacing_.bottom + y2 - top_ - tl.height() - bl.height();

  tl.x = left_ + margin_.left;
  tl.y = top_ + margin_.top;
  t.x = tl.x + tl.width();
  t.y = tl.y;
  t.stretchWidth(fillWidth);
  tr.x = t.x + fillWidth;
  tr.y = tl.y;
  l.x = tl.x;
  l.y = tl.y + tl.height();
  l.stretchHeight(fillHeight);
  fill.x = t.x;
  fill.y = l.y;
  fill.stretchTo(fillWidth, fillHeight);
  r.x = tr.x;
  r.y = l.y;
  r.stretchHeight(fillHeight);
  bl.x = tl.x;
  bl.y = l.y + fillHeight;
  bottom.x = t.x;
  bottom.y = bl.y;
  bottom.stretchWidth(fillWidth);
  br.x = tr.x;
  br.y = bl.y;

  for (Sprite& piece : pieces_) piece.z = z;
  right_ = br.x + br.width() + margin_.right;
  bottom_ = br.y + br.height() + margin_.bottom;
}

void FieldFrame::draw() const {
  if (!hasPieces_) return;
  for (const Sprite& piece : pieces_) piece.draw();
}

}  // namespace gui

#pragma once
#include "gui/Sprite.h"

namespace gui {

// The bar beside a list that holds more rows than it shows: a track as tall as the shown rows
// and a thumb whose size and place say which part of the list is in view. The arithmetic works
// without pictures; draw() needs the skin pictures loaded.
class ScrollBar {
 public:
  // Pixels.
  static constexpr int kWidth = 12;
  static constexpr int kMinThumb = 16;
  // The skin's own pictures, stretched: the field's fill (greyed) for the track, the pressed
  // button's orange for the thumb.
  static constexpr const char* kTrackPicture = "list_field_fill.png";
  static constexpr const char* kThumbPicture = "main_btn_fill_down.png";

  struct Span {
    int top = 0;
    int height = 0;
  };

  // The track's left edge at x, from `top` down `height` pixels, drawn on layer z.
  void layout(int z, int x, int top, int height);

  // The thumb for rows `first` … `first + visible − 1` of `total`: at least kMinThumb pixels,
  // the whole track when everything is shown.
  Span thumb(int first, int visible, int total) const;
  // The first row that puts the thumb's middle at `y` (pixels), limited to 0 … total − visible.
  int firstRowAt(double y, int visible, int total) const;
  bool contains(double x, double y) const;

  void draw(int first, int visible, int total) const;

  int left() const { return x_; }
  int top() const { return top_; }
  int height() const { return height_; }

 private:
  int z_ = 0;
  int x_ = 0;
  int top_ = 0;
  int height_ = 0;
};

}  // namespace gui

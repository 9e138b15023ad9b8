#pragma once
#include <string>
#include <vector>

#include "Canvas.h"

namespace skin {

// Capital letters (and a few signs) drawn as strokes: each glyph is a set of polylines in a
// unit box (x right 0..1, y down 0..1), for titles painted into pictures.
struct TextStyle {
  float letterWidth = 20;   // pixels
  float letterHeight = 28;  // pixels
  float gap = 8;            // pixels between letters; a space is one letter wide
  float slant = 0.0f;       // horizontal shift of the top per pixel of height (italic)
};

// The strokes of `text` with its top-left corner at (x, y).
std::vector<Segment> layoutText(const std::string& text, float x, float y, const TextStyle& style);
// Width of `text` without the slant.
float textWidth(const std::string& text, const TextStyle& style);

}  // namespace skin

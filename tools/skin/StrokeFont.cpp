#include "StrokeFont.h"

#include <map>

namespace skin {

namespace {

using Polyline = std::vector<Point>;
using Glyph = std::vector<Polyline>;

// Angular shapes with cut corners: the look of number plates and race liveries.
const std::map<char, Glyph>& glyphs() {
  static const Polyline ring = {{0.25f, 0}, {0.75f, 0}, {1, 0.25f}, {1, 0.75f}, {0.75f, 1},
                                {0.25f, 1}, {0, 0.75f}, {0, 0.25f}, {0.25f, 0}};  // O and Q
  static const std::map<char, Glyph> table = {
      {'A',
       {{{0, 1}, {0, 0.3f}, {0.3f, 0}, {0.7f, 0}, {1, 0.3f}, {1, 1}}, {{0, 0.58f}, {1, 0.58f}}}},
      {'B',
       {{{0, 0}, {0.7f, 0}, {0.9f, 0.2f}, {0.7f, 0.45f}, {0, 0.45f}},
        {{0.7f, 0.45f}, {1, 0.7f}, {0.7f, 1}, {0, 1}, {0, 0}}}},
      {'C', {{{1, 0}, {0.25f, 0}, {0, 0.25f}, {0, 0.75f}, {0.25f, 1}, {1, 1}}}},
      {'D', {{{0, 0}, {0.7f, 0}, {1, 0.3f}, {1, 0.7f}, {0.7f, 1}, {0, 1}, {0, 0}}}},
      {'E', {{{1, 0}, {0, 0}, {0, 1}, {1, 1}}, {{0, 0.5f}, {0.75f, 0.5f}}}},
      {'F', {{{1, 0}, {0, 0}, {0, 1}}, {{0, 0.5f}, {0.75f, 0.5f}}}},
      {'G',
       {{{1, 0},
         {0.25f, 0},
         {0, 0.25f},
         {0, 0.75f},
         {0.25f, 1},
         {1, 1},
         {1, 0.55f},
         {0.55f, 0.55f}}}},
      {'H', {{{0, 0}, {0, 1}}, {{1, 0}, {1, 1}}, {{0, 0.5f}, {1, 0.5f}}}},
      {'I', {{{0.2f, 0}, {0.2f, 1}}}},  // narrow: see advance()
      {'J', {{{1, 0}, {1, 0.75f}, {0.75f, 1}, {0.2f, 1}, {0, 0.8f}}}},
      {'K', {{{0, 0}, {0, 1}}, {{1, 0}, {0.1f, 0.55f}}, {{0.38f, 0.4f}, {1, 1}}}},
      {'L', {{{0, 0}, {0, 1}, {1, 1}}}},
      {'M', {{{0, 1}, {0, 0}, {0.5f, 0.55f}, {1, 0}, {1, 1}}}},
      {'N', {{{0, 1}, {0, 0}, {1, 1}, {1, 0}}}},
      {'O', {ring}},
      {'P', {{{0, 1}, {0, 0}, {0.75f, 0}, {1, 0.25f}, {0.75f, 0.5f}, {0, 0.5f}}}},
      {'Q', {ring, {{0.6f, 0.65f}, {1, 1.05f}}}},
      {'R',
       {{{0, 1}, {0, 0}, {0.75f, 0}, {1, 0.25f}, {0.75f, 0.5f}, {0, 0.5f}},
        {{0.45f, 0.5f}, {1, 1}}}},
      {'S',
       {{{1, 0},
         {0.2f, 0},
         {0, 0.2f},
         {0, 0.35f},
         {0.15f, 0.5f},
         {0.85f, 0.5f},
         {1, 0.65f},
         {1, 0.8f},
         {0.8f, 1},
         {0, 1}}}},
      {'T', {{{0, 0}, {1, 0}}, {{0.5f, 0}, {0.5f, 1}}}},
      {'U', {{{0, 0}, {0, 0.75f}, {0.25f, 1}, {0.75f, 1}, {1, 0.75f}, {1, 0}}}},
      {'V', {{{0, 0}, {0.5f, 1}, {1, 0}}}},
      {'W', {{{0, 0}, {0.2f, 1}, {0.5f, 0.45f}, {0.8f, 1}, {1, 0}}}},
      {'Y', {{{0, 0}, {0.5f, 0.5f}, {1, 0}}, {{0.5f, 0.5f}, {0.5f, 1}}}},
      {'.', {{{0.5f, 0.95f}, {0.5f, 1}}}},
  };
  return table;
}

}  // namespace

// Letters open on the facing sides (an L before a V) would leave a hole in the word.
static float advance(const std::string& text, std::size_t i, const TextStyle& style) {
  float step = style.letterWidth + style.gap;
  if (i + 1 < text.size() && text[i] == 'L' && (text[i + 1] == 'V' || text[i + 1] == 'T')) {
    step -= style.letterWidth * 0.3f;
  }
  if (text[i] == 'I') step -= style.letterWidth * 0.6f;
  return step;
}

float textWidth(const std::string& text, const TextStyle& style) {
  float width = 0;
  for (std::size_t i = 0; i + 1 < text.size(); ++i) width += advance(text, i, style);
  return text.empty() ? 0 : width + style.letterWidth;
}

std::vector<Segment> layoutText(const std::string& text, float x, float y, const TextStyle& style) {
  std::vector<Segment> segments;
  float left = x;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    auto found = glyphs().find(c);
    if (found != glyphs().end()) {
      for (const Polyline& line : found->second) {
        auto place = [&](const Point& p) {
          const float py = y + p.y * style.letterHeight;
          const float px =
              left + p.x * style.letterWidth + (1.0f - p.y) * style.letterHeight * style.slant;
          return Point{px, py};
        };
        for (std::size_t i = 1; i < line.size(); ++i) {
          segments.push_back({place(line[i - 1]), place(line[i])});
        }
      }
    }
    left += advance(text, i, style);
  }
  return segments;
}

}  // namespace skin

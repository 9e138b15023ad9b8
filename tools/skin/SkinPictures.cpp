#include "SkinPictures.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "Canvas.h"
#include "StrokeFont.h"

namespace skin {

namespace {

// Dark slate with warm racing orange.
const Rgba kInk = hex(0x0d1015);
const Rgba kSlateDeep = hex(0x1b2028);
const Rgba kSlateDark = hex(0x232a33);
const Rgba kSlate = hex(0x2f3844);
const Rgba kSlateMid = hex(0x3e4857);
const Rgba kSlateLight = hex(0x55626f);
const Rgba kOrange = hex(0xff7a1a);
const Rgba kOrangeDeep = hex(0xc4520a);
const Rgba kOrangeLight = hex(0xffa14d);
const Rgba kWhite = hex(0xffffff);
// The menu background: light enough for dark grey labels, dark enough for white ones with a
// black shadow.
const Rgba kPanelTone = hex(0xaeb6c0);

class Writer {
 public:
  explicit Writer(std::string folder) : folder_(std::move(folder)) {}
  void save(const std::string& name, const platform::Bitmap& bitmap) {
    bitmap.savePng(folder_ + name);
    ++count_;
  }
  void save(const std::string& name, const Canvas& canvas) { save(name, canvas.toBitmap()); }
  int count() const { return count_; }

 private:
  std::string folder_;
  int count_ = 0;
};

// Saves the nine pieces of a master picture whose corners are `corner` pixels and whose
// middle band is `fill` pixels, under prefix + the names in `names` (order: tl, t, tr, l, f,
// r, bl, b, br).
void sliceNine(Writer& out, const Canvas& master, int cornerW, int cornerH,
               const std::array<std::string, 9>& names) {
  const int fillW = master.width() - 2 * cornerW;
  const int fillH = master.height() - 2 * cornerH;
  const int xs[3] = {0, cornerW, cornerW + fillW};
  const int ws[3] = {cornerW, fillW, cornerW};
  const int ys[3] = {0, cornerH, cornerH + fillH};
  const int hs[3] = {cornerH, fillH, cornerH};
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 3; ++column) {
      out.save(names[static_cast<std::size_t>(row * 3 + column)],
               master.crop(xs[column], ys[row], ws[column], hs[row]));
    }
  }
}

std::array<std::string, 9> buttonNames(const std::string& look) {
  std::array<std::string, 9> names;
  const char* pieces[9] = {"tl", "t", "tr", "l", "f", "r", "bl", "b", "br"};
  for (int i = 0; i < 9; ++i)
    names[static_cast<std::size_t>(i)] = std::string("btn_") + pieces[i] + "_" + look + ".png";
  return names;
}

std::array<std::string, 9> fieldNames(const std::string& prefix) {
  const char* pieces[9] = {"topleft", "top",        "topright", "left",       "fill",
                           "right",   "bottomleft", "bottom",   "bottomright"};
  std::array<std::string, 9> names;
  for (int i = 0; i < 9; ++i) names[static_cast<std::size_t>(i)] = prefix + pieces[i] + ".png";
  return names;
}

// Buttons are 25 pixels tall (17-pixel caption + 8) and stretch sideways: 6-pixel corners.
void paintButtons(Writer& out) {
  struct Look {
    const char* name;
    Rgba top, bottom, border, highlight;
  };
  const Look looks[] = {
      {"up", hex(0x4a5666), hex(0x2a323d), hex(0x12161c), hex(0x6b7888, 0.8f)},
      {"over", hex(0x5a687a), hex(0x37414e), kOrange, hex(0x8593a3, 0.8f)},
      {"down", kOrangeDeep, hex(0xf08a2c), hex(0x7a3306), hex(0xffffff, 0.0f)},
  };
  for (const Look& look : looks) {
    Canvas master(16, 25);
    master.fillRoundRect(0, 0, 16, 25, 5, verticalGradient(0, look.top, 25, look.bottom));
    // A one-pixel sheen under the top edge gives the raised look.
    master.strokeRoundRect(1, 1, 15, 24, 4, 1, [&](float, float y) {
      return withAlpha(look.highlight,
                       look.highlight.a * std::clamp(1.0f - (y - 1) / 4.0f, 0.0f, 1.0f));
    });
    master.strokeRoundRect(0, 0, 16, 25, 5, 1, solid(look.border));
    sliceNine(out, master, 6, 6, buttonNames(look.name));
  }
}

// Menu bar (and title rows): 25 pixels tall with an orange rule along the bottom.
void paintMainField(Writer& out) {
  Canvas master(12, 25);
  master.fillRoundRect(0, 0, 12, 25, 0, verticalGradient(0, hex(0x414c5b), 23, kSlateDark));
  for (int x = 0; x < 12; ++x) {
    master.blend(x, 0, hex(0x6a7786), 1.0f);
    master.set(x, 23, mix(kOrange, kOrangeDeep, 0.3f));
    master.set(x, 24, kOrangeDeep);
  }
  sliceNine(out, master, 4, 4, fieldNames("main_field_"));
}

// Drop-down menus: square top under the bar, rounded bottom, orange top rule.
void paintSubField(Writer& out) {
  Canvas master(16, 16);
  const Rgba body = hex(0x252c36);
  master.fillRoundRect(0, -8, 16, 16, 5, solid(body));
  master.strokeRoundRect(0, -8, 16, 16, 5, 1, solid(hex(0x0b0e12)));
  for (int x = 0; x < 16; ++x) {
    master.set(x, 0, kOrange);
    master.set(x, 1, kOrangeDeep);
  }
  sliceNine(out, master, 6, 6, fieldNames("sub_field_"));
}

// List boxes: a dark rounded well with a faint inner rim.
void paintListField(Writer& out) {
  Canvas master(16, 16);
  master.fillRoundRect(0, 0, 16, 16, 6, solid(hex(0x161b21, 0.94f)));
  master.strokeRoundRect(1, 1, 15, 15, 5, 1, solid(hex(0x4a5666, 0.55f)));
  master.strokeRoundRect(0, 0, 16, 16, 6, 1, solid(hex(0x07090c)));
  sliceNine(out, master, 6, 6, fieldNames("list_field_"));
}

// Rows are drawn 23 pixels tall with a one-pixel gap between them.
void paintRows(Writer& out) {
  auto row = [&](const std::string& name, Rgba top, Rgba bottom) {
    Canvas canvas(8, 23);
    canvas.fillRoundRect(0, 0, 8, 23, 0, verticalGradient(0, top, 23, bottom));
    out.save(name, canvas);
  };
  row("list_oddfield.png", hex(0x333c48), hex(0x2a323c));
  row("list_evenfield.png", hex(0x3b4553), hex(0x323b47));
  row("list_over.png", hex(0xd0661a), hex(0xa84a0e));
  row("list_down.png", hex(0x8c3a08), hex(0xb9550f));
}

// Menu entries: a tab-like highlight 23 pixels tall, sliced into left end, middle and right end.
void paintMenuEntries(Writer& out) {
  auto entry = [&](const std::string& prefix, const std::string& suffix, bool sub, bool pressed) {
    // A drop-down's right border overlaps the last pixels of its entries, so the sub highlight
    // ends early and its right piece is transparent there.
    const int width = sub ? 16 : 12;
    const float end = sub ? 11.0f : 12.0f;
    Canvas master(width, 23);
    const Rgba top = pressed ? kOrangeDeep : (sub ? hex(0x4f5c6d) : hex(0x5a687a));
    const Rgba bottom = pressed ? hex(0xe98026) : (sub ? hex(0x3c4655) : hex(0x3c4756));
    if (sub) {
      master.fillRoundRect(0, 0, end, 23, 3, verticalGradient(0, top, 23, bottom));
      if (!pressed) {
        master.fillRoundRect(0, 0, 3, 23, 1, solid(kOrange));
      }
    } else {
      master.fillRoundRect(0, 0, end, 27, 4, verticalGradient(0, top, 23, bottom));
      for (int x = 0; x < width; ++x) {
        master.set(x, 21, pressed ? kOrangeLight : kOrange);
        master.set(x, 22, pressed ? kOrangeLight : kOrange);
      }
    }
    out.save(prefix + "left" + suffix + ".png", master.crop(0, 0, 4, 23));
    out.save(prefix + "fill" + suffix + ".png", master.crop(4, 0, 4, 23));
    out.save(prefix + "right" + suffix + ".png", master.crop(8, 0, width - 8, 23));
  };
  entry("main_btn_", "", false, false);
  entry("main_btn_", "_down", false, true);
  entry("sub_btn_", "", true, false);
  entry("sub_btn_", "_down", true, true);
}

void paintPointer(Writer& out) {
  Canvas canvas(20, 26);
  const std::vector<Point> arrow = {{1, 1},         {1, 19},    {5.5f, 15}, {9, 23},
                                    {12.5f, 21.5f}, {9, 13.5f}, {15, 13.5f}};
  // A soft shadow down and right, so the pointer reads on light and dark screens alike.
  std::vector<Point> shadow = arrow;
  for (Point& p : shadow) p = {p.x + 1.5f, p.y + 1.5f};
  canvas.fillPolygon(shadow, solid(hex(0x000000, 0.35f)));
  canvas.fillPolygon(arrow, verticalGradient(1, kWhite, 23, hex(0xdfe4ea)));
  std::vector<Segment> outline;
  for (std::size_t i = 0; i < arrow.size(); ++i)
    outline.push_back({arrow[i], arrow[(i + 1) % arrow.size()]});
  canvas.strokeSegments(outline, 0.6f, solid(kInk));
  canvas.strokeSegments({{{2.2f, 3.5f}, {2.2f, 15}}}, 0.6f, solid(kOrange));
  out.save("mouse_pointer.png", canvas);
}

// Strokes of `text` painted with a dark outline and a soft drop shadow.
void paintTitle(Canvas& canvas, const std::string& text, float x, float y, const TextStyle& style,
                float radius, const Paint& fill) {
  const std::vector<Segment> shadow = layoutText(text, x + 3, y + 4, style);
  canvas.strokeSegments(shadow, radius + 2.5f, solid(hex(0x000000, 0.35f)));
  const std::vector<Segment> strokes = layoutText(text, x, y, style);
  canvas.strokeSegments(strokes, radius + 2.0f, solid(kInk));
  canvas.strokeSegments(strokes, radius, fill);
}

// "PROJECT" over a large slanted "KELVANE", underlined by an orange speed stripe; transparent
// around the letters. The intro centres it assuming 587 pixels of width.
Canvas paintLogo(int width, int height) {
  Canvas canvas(width, height);
  TextStyle big{58, 74, 17, 0.26f};
  const float bigWidth = textWidth("KELVANE", big) + big.letterHeight * big.slant;
  const float bigX = (width - bigWidth) * 0.5f;
  paintTitle(canvas, "KELVANE", bigX, 42, big, 6.5f,
             verticalGradient(42, kWhite, 116, hex(0xc9d0d8)));

  TextStyle small{17, 22, 13, 0.26f};
  const float smallWidth = textWidth("PROJECT", small) + small.letterHeight * small.slant;
  paintTitle(canvas, "PROJECT", (width - smallWidth) * 0.5f + 8, 8, small, 2.6f,
             verticalGradient(8, kOrangeLight, 30, kOrange));

  // The stripe tapers off at both ends like a skid.
  const float stripeY = 126;
  for (int y = static_cast<int>(stripeY); y < static_cast<int>(stripeY) + 7; ++y) {
    for (int x = 0; x < width; ++x) {
      const float shift = (stripeY + 7 - y) * 0.9f;
      const float u = (x - shift) / static_cast<float>(width);
      const float fadeIn = std::clamp(u / 0.2f, 0.0f, 1.0f);
      const float fadeOut = std::clamp((1.0f - u) / 0.2f, 0.0f, 1.0f);
      const Rgba colour = mix(kOrangeLight, kOrangeDeep, (y - stripeY) / 7.0f);
      canvas.blend(x, y, colour,
                   std::min(fadeIn, fadeOut) * (y == static_cast<int>(stripeY) + 6 ? 0.5f : 1.0f));
    }
  }
  return canvas;
}

// A dark backdrop lit from the middle, with faint diagonal speed lines.
Canvas paintBackdrop(int width, int height, std::uint32_t seed) {
  Canvas canvas(width, height);
  const float cx = width * 0.5f, cy = height * 0.42f;
  const float reach = std::hypot(cx, height * 0.6f);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const float d = std::hypot(x - cx, y - cy) / reach;
      canvas.set(x, y, mix(hex(0x34404f), kInk, std::pow(std::clamp(d, 0.0f, 1.0f), 1.3f)));
    }
  }
  std::uint32_t state = seed;
  auto next = [&]() {
    state = state * 1664525u + 1013904223u;
    return static_cast<float>(state >> 8) / 16777216.0f;
  };
  for (int i = 0; i < 26; ++i) {
    const float y = next() * height * 1.4f;
    const float x = next() * width;
    const float length = 120 + next() * 380;
    const float alpha = 0.04f + next() * 0.09f;
    const Rgba colour =
        next() < 0.35f ? withAlpha(kOrange, alpha * 1.6f) : withAlpha(kWhite, alpha);
    canvas.strokeSegments({{{x, y}, {x + length, y - length * 0.35f}}}, 0.6f + next() * 1.6f,
                          solid(colour));
  }
  return canvas;
}

// A strip of chequered-flag squares.
void paintChequers(Canvas& canvas, int x0, int y0, int columns, int rows, int size, float alpha) {
  for (int row = 0; row < rows; ++row) {
    for (int column = 0; column < columns; ++column) {
      const Rgba colour =
          (row + column) % 2 == 0 ? withAlpha(kWhite, alpha) : withAlpha(kInk, alpha);
      const float x = static_cast<float>(x0 + column * size);
      const float y = static_cast<float>(y0 + row * size);
      canvas.fillRoundRect(x, y, x + size, y + size, 0, solid(colour));
    }
  }
}

void paintScreens(Writer& out) {
  out.save("projectkelvane.png", paintLogo(587, 140));
  out.save("intro_bg.png", paintBackdrop(800, 600, 7));

  Canvas loading = paintBackdrop(800, 600, 11);
  TextStyle style{30, 40, 14, 0.22f};
  const float w = textWidth("LOADING", style) + style.letterHeight * style.slant;
  paintTitle(loading, "LOADING", (800 - w) * 0.5f, 262, style, 3.5f,
             verticalGradient(262, kWhite, 302, hex(0xc9d0d8)));
  loading.fillRoundRect(250, 326, 550, 332, 3, solid(hex(0x000000, 0.45f)));
  loading.fillRoundRect(250, 326, 430, 332, 3, [&](float x, float) {
    return mix(kOrangeDeep, kOrangeLight, (x - 250) / 180.0f);
  });
  paintChequers(loading, 0, 560, 50, 2, 16, 0.18f);
  out.save("loading.png", loading);

  Canvas bg(64, 64, kPanelTone);
  bg.addGrain(0.006f, 3);
  out.save("bg.png", bg);

  out.save("alert_bg.png", Canvas(8, 8, hex(0x0a0d12, 0.62f)));
}

// The message box: 400 × 240, title bar for an 18-pixel title at y 3, text from y 40, the OK
// button at y 160.
void paintPopup(Writer& out) {
  Canvas canvas(400, 240);
  canvas.fillRoundRect(4, 6, 400, 240, 10, solid(hex(0x000000, 0.35f)));
  canvas.fillRoundRect(0, 0, 396, 234, 10, verticalGradient(28, hex(0x343e4b), 234, kSlateDeep));
  canvas.fillRoundRect(0, 0, 396, 27, 10, verticalGradient(0, kOrangeLight, 27, kOrangeDeep));
  canvas.fillRoundRect(0, 14, 396, 27, 0, verticalGradient(0, kOrangeLight, 27, kOrangeDeep));
  canvas.fillRoundRect(0, 27, 396, 29, 0, solid(hex(0x000000, 0.45f)));
  canvas.strokeRoundRect(1, 1, 395, 233, 9, 1, solid(hex(0xffffff, 0.08f)));
  canvas.strokeRoundRect(0, 0, 396, 234, 10, 1, solid(kInk));
  out.save("popup.png", canvas);
}

// The about box: 600 × 340, the title above and the texts from (300, 250) to (300, 325).
void paintAbout(Writer& out) {
  Canvas canvas(600, 340);
  canvas.fillRoundRect(5, 7, 600, 340, 14, solid(hex(0x000000, 0.35f)));
  canvas.fillRoundRect(0, 0, 594, 332, 14, verticalGradient(0, hex(0x3a4555), 332, kSlateDeep));
  Canvas logo = paintLogo(587, 140);
  for (int y = 0; y < logo.height(); ++y) {
    for (int x = 0; x < logo.width(); ++x) {
      const Rgba p = logo.at(x, y);
      canvas.blend(x + 3, y + 40, p, 1.0f);
    }
  }
  paintChequers(canvas, 40, 244, 10, 4, 20, 0.55f);
  canvas.fillRoundRect(280, 244, 284, 328, 1, solid(kOrange));
  canvas.strokeRoundRect(1, 1, 593, 331, 13, 1, solid(hex(0xffffff, 0.08f)));
  canvas.strokeRoundRect(0, 0, 594, 332, 14, 1.5f, solid(kInk));
  out.save("aboutbox.png", canvas);
}

// The race instruments: two bar frames (24 × 45) whose 22 × 41 insides the 1-pixel-tall bar
// slices fill from the bottom, the steering scale (50 × 10) and its marker (8 × 8), centred
// 21 pixels from the scale's left end.
void paintInstruments(Writer& out) {
  Canvas frame(24, 45);
  frame.fillRoundRect(0, 0, 24, 45, 3, solid(hex(0x12161c, 0.7f)));
  frame.strokeRoundRect(0, 0, 24, 45, 3, 1, solid(hex(0xc9d0d8, 0.9f)));
  for (int x = 3; x < 21; ++x) frame.set(x, 43, withAlpha(kOrange, 0.9f));
  out.save("powerbar.png", frame);

  auto bar = [&](const std::string& name, Rgba edge, Rgba centre) {
    Canvas slice(22, 1);
    for (int x = 0; x < 22; ++x) {
      const float t = 1.0f - std::abs(x - 10.5f) / 10.5f;
      slice.set(x, 0, mix(edge, centre, std::sqrt(t)));
    }
    out.save(name, slice);
  };
  bar("brake_bar.png", hex(0x9a1410), hex(0xff5a48));
  bar("throttle_bar.png", hex(0x17803a), hex(0x63f08a));

  Canvas steer(50, 10);
  steer.fillRoundRect(0, 0, 50, 10, 4, solid(hex(0x12161c, 0.7f)));
  steer.strokeRoundRect(0, 0, 50, 10, 4, 1, solid(hex(0xc9d0d8, 0.9f)));
  steer.fillRoundRect(3, 4.5f, 47, 5.5f, 0, solid(hex(0xc9d0d8, 0.35f)));
  steer.fillRoundRect(20.5f, 2, 21.5f, 8, 0, solid(kOrange));
  out.save("steer_bar.png", steer);

  Canvas marker(8, 8);
  marker.fillPolygon({{0.2f, 0.5f}, {7.8f, 0.5f}, {4, 7.8f}}, solid(kInk));
  marker.fillPolygon({{1.6f, 1.4f}, {6.4f, 1.4f}, {4, 6.0f}},
                     verticalGradient(1, kOrangeLight, 6, kOrange));
  out.save("wheel_indicator.png", marker);
}

}  // namespace

int paintSkin(const std::string& folder) {
  Writer out(folder);
  paintButtons(out);
  paintMainField(out);
  paintSubField(out);
  paintListField(out);
  paintRows(out);
  paintMenuEntries(out);
  paintPointer(out);
  paintScreens(out);
  paintPopup(out);
  paintAbout(out);
  paintInstruments(out);
  return out.count();
}

}  // namespace skin

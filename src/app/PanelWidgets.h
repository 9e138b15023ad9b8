#pragma once
#include <memory>
#include <string>
#include <vector>

#include "app/ScreenWidgets.h"
#include "platform/Color.h"

namespace gui {
class GUI_Component_Button;
class GUI_Component_Label;
class GUI_Component_Swatch;
}  // namespace gui

namespace app {

// The widgets of one panel laid over a menu screen (a settings page, the keys panel), on one
// layer, removed together. Labels use the menus' font.
class PanelWidgets {
 public:
  static constexpr platform::Color kText = 0xffffffffu;
  static constexpr platform::Color kDimText = 0xffaab4c0u;
  static constexpr platform::Color kAccent = 0xffff8c1au;  // the game's racing orange

  // layer: e.g. 590, above the menu screens and below the message box (600); a frame()
  // takes the two layers below it.
  PanelWidgets(ScreenWidgets& widgets, int layer) : widgets_(widgets), layer_(layer) {}
  ~PanelWidgets() { clear(); }
  PanelWidgets(const PanelWidgets&) = delete;
  PanelWidgets& operator=(const PanelWidgets&) = delete;

  // Takes the widget over; it goes with clear().
  template <class Widget>
  Widget* add(std::unique_ptr<Widget> widget) {
    Widget* raw = widgets_.add(std::move(widget));
    mine_.push_back(raw);
    return raw;
  }
  // (x, y) top-left, pixels; height e.g. 18.
  gui::GUI_Component_Label* label(const std::string& id, const std::wstring& text, int x, int y,
                                  int height = 18, platform::Color colour = kText);
  // width: exactly that many pixels (the caption shortened to fit), -1 as wide as the caption.
  gui::GUI_Component_Button* button(const std::string& id, const std::wstring& caption, int x,
                                    int y, int width);
  // A plain rectangle (clickable ones report their id).
  gui::GUI_Component_Swatch* swatch(const std::string& id, int x, int y, int width, int height,
                                    platform::Color colour, bool clickable);
  // A check box: a 20-pixel button with an "X" drawn over it while `checked`. The mark is
  // returned, to be changed with setText(L"X") or setText(L"").
  gui::GUI_Component_Label* checkBox(const std::string& id, int x, int y, bool checked);

  // A dimmed window with a framed panel of width × height pixels centred on it, and the title
  // in its top-left corner. The dimming takes every click, so nothing below the panel reacts.
  // Returns the panel's top-left corner.
  struct Corner {
    int x = 0;
    int y = 0;
  };
  Corner frame(const std::string& idPrefix, const std::wstring& title, int screenWidth,
               int screenHeight, int width, int height);

  // Removes and frees every widget of the panel.
  void clear();
  // A screen change has freed the widgets already: only the panel's pointers go.
  void forget() { mine_.clear(); }
  int layer() const { return layer_; }
  ScreenWidgets& screen() { return widgets_; }

 private:
  ScreenWidgets& widgets_;
  int layer_;
  std::vector<gui::GUI_Component*> mine_;
};

// A row of buttons of which one is chosen, marked by an orange bar under it: "Easy",
// "Medium", "Hard". The buttons' ids are `idPrefix` followed by their index.
class ChoiceRow {
 public:
  // x, y: the first button's top-left; each button `width` pixels, 6 apart.
  ChoiceRow(PanelWidgets& panel, const std::string& idPrefix,
            const std::vector<std::wstring>& captions, int x, int y, int width, int chosen);
  // The index a command chooses, or -1 when the id is not one of this row's.
  int indexOf(const std::string& id) const;
  void choose(int index);
  int chosen() const { return chosen_; }

 private:
  std::string idPrefix_;
  int count_;
  int x_;
  int y_;
  int width_;
  int chosen_ = 0;
  gui::GUI_Component_Swatch* mark_ = nullptr;
};

}  // namespace app

// Cost of the per-frame widget pass and of laying out widgets, on a window-less graphics.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "gui/FontCache.h"
#include "gui/GUI_Component_Background.h"
#include "gui/GUI_Component_Button.h"
#include "gui/GUI_Component_Label.h"
#include "gui/GUI_Component_ListBox.h"
#include "gui/GUI_Component_Menu.h"
#include "gui/GUI_Component_Mouse.h"
#include "gui/GUI_Manager.h"
#include "gui/ImageCache.h"
#include "gui/TextFit.h"
#include "gui/UiFont.h"
#include "platform/Font.h"
#include "platform/Graphics.h"
#include "platform/Input.h"
#include "platform/Paths.h"

namespace {

// The main menu with a track list of `rows` tracks and the race setup panel.
struct MenuScreen {
  explicit MenuScreen(int rows) {
    platform::setProgramFolder(std::string(KELVANE_DATA_DIR) + "/");
    gui = std::make_unique<gui::GUI_Manager>(graphics);
    add(std::make_unique<gui::GUI_Component_Background>("gui_mainMenuBg", 1, 0, 0, 800, 600));
    add(std::make_unique<gui::GUI_Component_Mouse>("gui_mouse", 1000));
    auto list = std::make_unique<gui::GUI_Component_ListBox>("gui_tracksLB", 3,
                                                             std::vector<int>{50, 380, 768});
    list->setFrameKind(gui::FieldFrameKind::List);
    list->setTitle({L"Nr.", L"Title", L"File"});
    for (int i = 0; i < rows; ++i) {
      list->addRow("listboxItem_" + std::to_string(i),
                   {std::to_wstring(i), L"Track number " + std::to_wstring(i), L"track.rst"});
    }
    list->layout(400, 0, 46, 438);
    add(std::move(list));
    auto bar = std::make_unique<gui::GUI_Component_Menu>("mainMenu");
    for (const char* id : {"file", "tools", "help"}) {
      bar->addItem(id, L"Entry");
      auto drop = std::make_unique<gui::GUI_Component_Menu>(std::string(id) + "Menu");
      drop->setFrameKind(gui::FieldFrameKind::Sub);
      drop->addItem(std::string(id) + "1", L"First entry", true);
      drop->addItem(std::string(id) + "2", L"Second entry", true);
      bar->addSubMenu(id, std::move(drop));
    }
    bar->layout(500, 0, 0, 0, 0);
    add(std::move(bar));
    for (int i = 0; i < 9; ++i) {
      auto button =
          std::make_unique<gui::GUI_Component_Button>("button" + std::to_string(i), L"Button");
      button->place(550, 20 + 80 * i, 494, 75);
      add(std::move(button));
      add(std::make_unique<gui::GUI_Component_Label>("label" + std::to_string(i), L"Label",
                                                     gui::kFontFamily, 20, 20 + 80 * i, 530, 550));
    }
    input.setMouse(300, 120);
  }
  ~MenuScreen() {
    gui->clear();
    widgets.clear();
    gui::ImageCache::discard();
    gui::FontCache::discard();
  }
  void add(std::unique_ptr<gui::GUI_Component> widget) {
    gui->add(widget.get());
    widgets.push_back(std::move(widget));
  }

  platform::Graphics graphics{800, 600};
  platform::Input input;
  std::unique_ptr<gui::GUI_Manager> gui;
  std::vector<std::unique_ptr<gui::GUI_Component>> widgets;
};

void BM_MenuFrame(benchmark::State& state) {
  MenuScreen screen(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    screen.gui->update(screen.input);
    benchmark::DoNotOptimize(screen.graphics.queued().size());
    screen.graphics.flush();
  }
  state.SetLabel(std::to_string(screen.widgets.size()) + " widgets");
}
BENCHMARK(BM_MenuFrame)->Arg(10)->Arg(200);

void BM_ListLayout(benchmark::State& state) {
  MenuScreen screen(static_cast<int>(state.range(0)));
  auto* list = static_cast<gui::GUI_Component_ListBox*>(screen.gui->find("gui_tracksLB"));
  for (auto _ : state) list->layout(400, 0, 46, 438);
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ListLayout)->Arg(200);

void BM_ButtonPlaceWithLongCaption(benchmark::State& state) {
  MenuScreen screen(0);
  gui::GUI_Component_Button button("b", std::wstring(120, L'w'));
  for (auto _ : state) button.place(550, 0, 0, 100);
}
BENCHMARK(BM_ButtonPlaceWithLongCaption);

// A title of `length` characters shortened to fit its list cell (358 pixels, as in a 1000-pixel
// wide window).
void BM_FitText(benchmark::State& state) {
  MenuScreen screen(0);
  const platform::Font& font = gui::FontCache::get(gui::kFontFamily, 17);
  const std::wstring title(static_cast<std::size_t>(state.range(0)), L'a');
  for (auto _ : state) benchmark::DoNotOptimize(gui::fitText(font, title, 358));
}
BENCHMARK(BM_FitText)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// The first menu frame's list layout with 12 ordinary rows and one track whose title is
// `length` characters; compare with length 10 for the cost of the long title.
void BM_ListLayoutWithLongTitle(benchmark::State& state) {
  MenuScreen screen(12);
  auto* list = static_cast<gui::GUI_Component_ListBox*>(screen.gui->find("gui_tracksLB"));
  list->addRow("listboxItem_long",
               {L"13", std::wstring(static_cast<std::size_t>(state.range(0)), L'a'), L"long.rst"});
  for (auto _ : state) list->layout(400, 0, 46, 438);
}
BENCHMARK(BM_ListLayoutWithLongTitle)->Arg(10)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

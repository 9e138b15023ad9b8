#pragma once
#include <string>
#include <vector>

#include "gui/GUI_Component.h"
#include "gui/RowSkin.h"

namespace gui {

// One row of a list box, owned and laid out by the list box. Reports its id while hovered.
class GUI_Component_ListBoxItem : public GUI_Component {
 public:
  GUI_Component_ListBoxItem(std::string id, const std::string& normalPicture,
                            const std::vector<int>& columnStarts, std::vector<std::wstring> cells);

  std::string process(const platform::Input& input, bool mayTakeMouse) override;
  int getZ() const override { return skin_.z(); }

  // Replaces the texts (the race refreshes its result rows this way).
  void setCells(std::vector<std::wstring> cells) { skin_.setCells(std::move(cells)); }
  const std::vector<std::wstring>& cells() const { return skin_.cells(); }
  RowSkin& skin() { return skin_; }
  const RowSkin& skin() const { return skin_; }

 private:
  RowSkin skin_;
};

}  // namespace gui

#pragma once
#include <memory>
#include <string>
#include <vector>

#include "gui/FieldFrame.h"
#include "gui/GUI_Component.h"
#include "gui/GUI_Component_MenuItem.h"

namespace gui {

// A menu bar (entries side by side) or a drop-down (entries stacked, in a vertical frame).
// Hovering a bar entry opens the drop-down attached to it; drop-downs stay open until the
// pointer moves to another entry of the bar or the left button is pressed outside the menu.
// Over its empty parts the menu takes the mouse as "MENU_BG", so nothing below it reacts.
class GUI_Component_Menu : public GUI_Component {
 public:
  static constexpr const char* kBackgroundId = "MENU_BG";

  // Starts with the main-field frame (a bar).
  explicit GUI_Component_Menu(std::string id);
  ~GUI_Component_Menu() override;

  // Another look for the frame (drop-downs use FieldFrameKind::Sub); call before layout().
  void setFrameKind(FieldFrameKind kind);

  // Appends an entry; subSkin selects the drop-down look ("sub_btn_*").
  GUI_Component_MenuItem& addItem(std::string id, std::wstring caption, bool subSkin = false);
  // Attaches a drop-down to the entry `openerId` (which may be added later) and owns it.
  GUI_Component_Menu& addSubMenu(const std::string& openerId,
                                 std::unique_ptr<GUI_Component_Menu> menu);

  // Lays out the entries from the corner the frame's anchor mode picks out of (x1, y1)-(x2, y2),
  // the frame around them, and every drop-down below the entry that opens it.
  void layout(int z, int x1, int y1, int x2, int y2);

  std::string process(const platform::Input& input, bool mayTakeMouse) override;
  int getZ() const override { return frame_.z(); }

  // The id of the entry that opens this menu ("" for a bar).
  const std::string& name() const { return name_; }
  void closeAll();

  int itemCount() const { return static_cast<int>(items_.size()); }
  GUI_Component_MenuItem& item(int index) { return *items_.at(static_cast<std::size_t>(index)); }
  GUI_Component_MenuItem* findItem(const std::string& id);
  int subMenuCount() const { return static_cast<int>(subMenus_.size()); }
  GUI_Component_Menu& subMenu(int index) { return *subMenus_.at(static_cast<std::size_t>(index)); }
  const FieldFrame& frame() const { return frame_; }

 private:
  FieldFrame frame_;
  std::vector<std::unique_ptr<GUI_Component_MenuItem>> items_;
  std::vector<std::unique_ptr<GUI_Component_Menu>> subMenus_;
  std::string name_;
};

}  // namespace gui

#include "app/PlayerSettingsPage.h"

#include "app/SettingsChoices.h"
#include "config/OptionKeys.h"
#include "config/Options.h"
#include "gui/GUI_Component_Background.h"
#include "gui/GUI_Component_Picture.h"
#include "gui/GUI_Component_Swatch.h"
#include "gui/GUI_Component_TextField.h"
#include "race/PlayerSettings.h"
#include "race/RaceAssets.h"

namespace app {
namespace {

constexpr int kControlX = 200;
constexpr int kSwatchSize = 28;
constexpr int kSwatchGap = 8;
constexpr int kSwatchesPerRow = 8;
constexpr const char* kSwatchPrefix = "settings_colour";
// The player's car is car 0, whose settings are player number 1's.
constexpr int kPlayerCar = 0;
const std::string kNameKey = config::key::player(1, config::key::playerName);
const std::string kColourKey = config::key::player(1, config::key::playerColor);

}  // namespace

PlayerSettingsPage::PlayerSettingsPage(PanelWidgets& panel, SettingsHost& host, const Area& area)
    : panel_(panel), host_(host) {
  const int x = area.x + kControlX;
  int y = area.y;
  panel_.label("settings_caption", L"Name", area.x, y + 3, 18, PanelWidgets::kDimText);
  auto field = std::make_unique<gui::GUI_Component_TextField>(
      "settings_name", race::getPlayerName(kPlayerCar), kMaxNameLength);
  field->place(panel_.layer(), x, y, 240);
  field->setOnCommit([this](const std::string& typed) { rename(typed); });
  name_ = panel_.add(std::move(field));
  panel_.label("settings_nameNote", L"shown in the results and the records", x, y + 30, 16,
               PanelWidgets::kDimText);

  y += 76;
  panel_.label("settings_caption", L"Car colour", area.x, y + 3, 18, PanelWidgets::kDimText);
  const platform::Color current = race::getPlayerColor(kPlayerCar);
  for (std::size_t i = 0; i < kCarColours.size(); ++i) {
    const int column = static_cast<int>(i) % kSwatchesPerRow;
    const int row = static_cast<int>(i) / kSwatchesPerRow;
    auto* swatch = panel_.swatch(
        kSwatchPrefix + std::to_string(i), x + column * (kSwatchSize + kSwatchGap),
        y + row * (kSwatchSize + kSwatchGap), kSwatchSize, kSwatchSize, kCarColours[i], true);
    swatch->setSelected(kCarColours[i] == current);
    swatches_.push_back(swatch);
  }

  // The car as it will race, large, on a field of its own.
  y += 2 * (kSwatchSize + kSwatchGap) + 20;
  const int boxWidth = 8 * (kSwatchSize + kSwatchGap) - kSwatchGap;
  panel_.add(std::make_unique<gui::GUI_Component_Background>(
      "settings_carBox", panel_.layer(), x, y, x + boxWidth, y + 110, gui::FieldFrameKind::List));
  car_ = panel_.add(std::make_unique<gui::GUI_Component_Picture>(
      "settings_car", race::carPicturePath(race::getPlayerImage(kPlayerCar)), panel_.layer(),
      x + boxWidth / 2.0, y + 55.0, 8.0, 0.0, current));
}

bool PlayerSettingsPage::takesKeys() const {
  return name_->focused();
}

bool PlayerSettingsPage::onClick(const std::string& id) {
  if (id == "settings_name") return true;  // the field takes the focus itself
  if (!id.starts_with(kSwatchPrefix)) return false;
  const std::string number = id.substr(std::string(kSwatchPrefix).size());
  if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos) return false;
  const std::size_t index = std::stoul(number);
  if (index >= kCarColours.size()) return false;
  chooseColour(index);
  return true;
}

void PlayerSettingsPage::rename(const std::string& typed) {
  const std::string name = cleanedName(typed, race::getPlayerName(kPlayerCar));
  name_->setText(name);
  config::Options::instance()->setPlayersString(kNameKey, name);
  host_.settingChanged();
}

void PlayerSettingsPage::chooseColour(std::size_t index) {
  for (std::size_t i = 0; i < swatches_.size(); ++i) swatches_[i]->setSelected(i == index);
  car_->setTint(kCarColours[index]);
  config::Options::instance()->setPlayersString(kColourKey, race::colorText(kCarColours[index]));
  host_.settingChanged();
}

}  // namespace app

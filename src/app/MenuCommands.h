#pragma once

// The commands of the menu screens: the ids of the widgets whose clicks MainMenu::onClick acts
// on. The screens give these ids to the widgets they build; the dispatcher compares with them.
namespace app::command {

// The menu bar.
inline constexpr const char* exit = "exit";
inline constexpr const char* createTrack = "createCircuit";
inline constexpr const char* editTrack = "modifyTrack";
inline constexpr const char* generateBackground = "generateBackground";
inline constexpr const char* helpIndex = "helpIndex";
inline constexpr const char* about = "about";

// The track list's buttons.
inline constexpr const char* refreshTracks = "refreshTracks";
inline constexpr const char* scrollTracksUp = "prevCircuit";
inline constexpr const char* scrollTracksDown = "nextCircuit";

// The race setup panel.
inline constexpr const char* addLap = "addLap";
inline constexpr const char* removeLap = "subLap";
inline constexpr const char* addCar = "addCar";
inline constexpr const char* removeCar = "subCar";
inline constexpr const char* toggleCpuOnly = "cpuOnly";
inline constexpr const char* startRace = "startRace";
// The computer drivers' level: the button moves on to the next one.
inline constexpr const char* nextDriverLevel = "driverLevel";

// The message box's button: closes the box, or, as the box's command, starts the painting.
inline constexpr const char* closePopup = "alertOK";
inline constexpr const char* startGeneration = "startGeneration";
// Either part of the about box closes it.
inline constexpr const char* aboutBackground = "aboutbg";
inline constexpr const char* aboutBox = "aboutbox";

}  // namespace app::command

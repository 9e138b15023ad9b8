#include "app/ExternalTools.h"

#include <filesystem>
#include <vector>

#include "platform/Desktop.h"
#include "platform/Paths.h"

namespace app {

bool startTrackEditor(const std::string& trackPath, std::string* error) {
  std::vector<std::string> args;
  if (!trackPath.empty()) args.push_back(trackPath);
  return platform::startProgram(kTrackEditorProgram, args, error);
}

std::string helpDocumentPath() {
  return platform::programFolder() + kHelpDocument;
}

bool openHelpDocument(std::string* error) {
  const std::string path = helpDocumentPath();
  // The desktop opener happily starts and then fails on its own for a missing file, where the
  // player would see nothing; checking first lets the game say what is wrong.
  std::error_code ignored;
  if (!std::filesystem::is_regular_file(path, ignored)) {
    if (error) *error = "The help file " + std::string(kHelpDocument) + " is missing.";
    return false;
  }
  return platform::openDocument(path, error);
}

}  // namespace app

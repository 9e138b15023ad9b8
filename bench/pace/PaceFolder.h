#pragma once
#include <filesystem>
#include <string>
#include <vector>

// A program folder of the pace table's own: the shipped pictures and sound, and a copy of every
// track to race with a plain background of its size (a race needs one; what it shows costs
// nothing here). The options store reads and writes nothing of the player's. Removed with
// everything in it when the object goes.
class PaceFolder {
 public:
  PaceFolder(const std::string& dataFolder, const std::vector<std::string>& trackFiles);
  ~PaceFolder();
  PaceFolder(const PaceFolder&) = delete;
  PaceFolder& operator=(const PaceFolder&) = delete;

  // The copy of a track file given at construction.
  std::string trackPath(const std::string& trackFile) const;

 private:
  std::filesystem::path folder_;
};

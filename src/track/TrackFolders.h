#pragma once
#include <string>
#include <vector>

#include "platform/UserFolders.h"

namespace track {

// Where the game looks for tracks and their background pictures, on the platform's folders:
// the shipped tracks in the run-time tree's tracks folder, a player's own in
// $XDG_DATA_HOME/kelvane/tracks/, and generated pictures beside the track when the game may
// write there, else in the player's folder. All folder names end with '/'.
class TrackFolders {
 public:
  explicit TrackFolders(platform::UserFolders folders);

  // The tracks shipped with the game: the tree's "tracks/".
  std::string shippedTracksFolder() const;
  // $XDG_DATA_HOME/kelvane/tracks/: a player's own tracks and, for a read-only tree, the
  // generated backgrounds.
  std::string userTracksFolder() const;
  // Every folder whose tracks the track list shows: the shipped one first, then the user's
  // (unless it is the same folder).
  std::vector<std::string> trackFolders() const;
  // The full path of the track file `name` (a file name without folder). The user's folder
  // wins over the shipped one, so a player's edited copy replaces the original; a name found
  // nowhere is answered in the shipped folder, where opening it then fails as before.
  std::string trackFile(const std::string& name) const;

  // Where a generated background is saved.
  std::string generatedBackgroundsFolder() const;
  // The picture the generator writes for `trackFile` (a name or a path; ".rst" is dropped).
  std::string generatedBackgroundFile(const std::string& trackFile) const;
  // The pictures that may serve as the background of the track at `trackPath`, in the order to
  // try: the one the track names (beside the track file), the generated one beside the track
  // file, the generated one in generatedBackgroundsFolder(). No duplicates; `namedBackground`
  // may be empty (then it is left out).
  std::vector<std::string> backgroundCandidates(const std::string& trackPath,
                                                const std::string& namedBackground) const;

  // Every folder the game saves files into (the settings', the generated backgrounds', the
  // player's tracks, the screenshots'), without repeats: where a killed save may have left a
  // temporary file (platform::removeStaleSaves).
  std::vector<std::string> savedFolders() const;

  const platform::UserFolders& userFolders() const { return folders_; }

 private:
  platform::UserFolders folders_;
};

// The track folders of this process, on platform::userFolders().
TrackFolders trackFolders();

}  // namespace track

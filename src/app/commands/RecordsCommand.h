#pragma once
#include <iosfwd>
#include <string>

namespace records {
class RecordBook;
}

namespace app {

// `kelvane --records [TRACK]`: the player's records, one per line with tab-separated fields
// (track file, "lap", "race" or "finished", laps, time, driver, level, date, and a finished
// race's place "2/4"). Without TRACK:
// every track's lap and race records. With TRACK (a file name or a track file): that track's
// records under its present road and its last five finished races. Exit status 0; 1 when TRACK
// names a track that cannot be read.
int recordsCommand(const std::string& track);

// The same from a given book to a given stream, `trackPath` empty for every track (tests).
int printRecords(const records::RecordBook& book, const std::string& trackPath, std::ostream& out,
                 std::ostream& errors);

}  // namespace app

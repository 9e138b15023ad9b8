// The pace table: per track and per level, the computer drivers' best lap against the
// reference driver's flying lap, and the naive driver's.
//   kelvane_pace [--levels easy,medium,hard] [--seeds 1,2,3] [--cars 4] [--laps 3] [TRACK.rst...]
// Without tracks: every shipped track and the tracks kept for this table only (bench/tracks).
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "NaiveDriver.h"
#include "PaceFolder.h"
#include "RaceSeries.h"
#include "SoloRun.h"
#include "track/Geometry.h"
#include "track/TrackLoader.h"

namespace {

namespace fs = std::filesystem;

struct Arguments {
  std::vector<std::string> levels = {"easy", "medium", "hard"};
  SeriesSettings series;
  std::vector<std::string> tracks;
};

std::vector<std::string> split(const std::string& text) {
  std::vector<std::string> parts;
  std::stringstream stream(text);
  for (std::string part; std::getline(stream, part, ',');) parts.push_back(part);
  return parts;
}

std::vector<std::string> tracksIn(const fs::path& folder) {
  std::vector<std::string> files;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error))
    if (entry.path().extension() == ".rst") files.push_back(entry.path().string());
  std::sort(files.begin(), files.end());
  return files;
}

bool parse(int argc, char** argv, Arguments& arguments) {
  for (int i = 1; i < argc; ++i) {
    const std::string word = argv[i];
    const bool hasValue = i + 1 < argc;
    if (word == "--levels" && hasValue) {
      arguments.levels = split(argv[++i]);
    } else if (word == "--seeds" && hasValue) {
      arguments.series.seeds.clear();
      for (const std::string& seed : split(argv[++i]))
        arguments.series.seeds.push_back(static_cast<std::uint32_t>(std::stoul(seed)));
    } else if (word == "--cars" && hasValue) {
      arguments.series.cars = std::stoi(argv[++i]);
    } else if (word == "--laps" && hasValue) {
      arguments.series.laps = std::stoi(argv[++i]);
    } else if (word.rfind("--", 0) == 0) {
      std::cerr << "Unknown option " << word << "\n";
      return false;
    } else {
      arguments.tracks.push_back(word);
    }
  }
  if (arguments.tracks.empty()) {
    arguments.tracks = tracksIn(fs::path(KELVANE_DATA_DIR) / "tracks");
    for (const std::string& extra : tracksIn(KELVANE_BENCH_TRACKS))
      arguments.tracks.push_back(extra);
  }
  return true;
}

std::string seconds(double value) {
  if (value < 0) return "-";
  char text[32];
  std::snprintf(text, sizeof text, "%.2f s", value);
  return text;
}

std::string percent(double share) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f %%", share * 100);
  return text;
}

std::string ratio(double lap, double reference) {
  if (lap < 0 || reference <= 0) return "-";
  char text[32];
  std::snprintf(text, sizeof text, "%.3f", lap / reference);
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  Arguments arguments;
  try {
    if (!parse(argc, argv, arguments)) return 1;
  } catch (const std::exception&) {
    std::cerr << "A number was expected after an option\n";
    return 1;
  }
  PaceFolder folder(KELVANE_DATA_DIR, arguments.tracks);

  std::cout << "| track | level | reference lap | best lap | ratio | off road | all finished | "
               "longest stop | naive lap |\n|---|---|---|---|---|---|---|---|---|\n";
  for (const std::string& file : arguments.tracks) {
    std::string reason;
    auto track = track::importTrack(file, &reason);
    if (!track) {
      std::cerr << "Cannot read " << file << ": " << reason << "\n";
      continue;
    }
    const std::string name = fs::path(file).stem().string();
    std::cerr << name << ": tuning the reference driver\n";
    track->surfaceMap = track::buildSurfaceMap(*track, 4.0);
    const ReferenceLap reference = tuneReference(*track);
    const SoloResult naive = runSolo(
        *track,
        [](physics::Car& car, const track::TrackData& road) {
          return std::make_unique<NaiveDriver>(car, road);
        },
        3, 600);
    for (const std::string& level : arguments.levels) {
      std::cerr << name << ": racing at " << level << "\n";
      arguments.series.level = level;
      const SeriesResult series = raceSeries(folder.trackPath(file), arguments.series);
      const double referenceLap = reference.result.flyingLap;
      std::cout << "| " << name << " | " << level << " | " << seconds(referenceLap) << " | "
                << seconds(series.bestLap) << " | " << ratio(series.bestLap, referenceLap) << " | "
                << percent(series.offRoadShare) << " | " << (series.allFinished ? "yes" : "NO")
                << " | " << seconds(series.longestStop) << " | " << seconds(naive.flyingLap) << " |"
                << std::endl;
    }
    std::cerr << name << ": reference look-ahead " << reference.settings.lookAheadTime
              << " s, grip " << reference.settings.lateralGrip << " m/s², braking "
              << reference.settings.braking << " m/s², off road "
              << percent(reference.result.offRoadShare) << "; naive off road "
              << percent(naive.offRoadShare) << "\n";
  }
  return 0;
}

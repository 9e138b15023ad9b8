#pragma once
#include <memory>
#include <string>
#include <vector>

#include "background/Theme.h"
#include "background/Zones.h"
#include "platform/Bitmap.h"
#include "track/SurfaceMap.h"
#include "track/TrackData.h"

namespace background {

// Paints a track's background picture (one pixel per world unit) and saves it as a PNG: the
// ground of the track's theme, grey road with light edge lines, finish line and grid brackets,
// sand in the bends, cloudy shading and the theme's scenery (trees with soft shadows on the
// meadow). The work is split into eight stages so the window can run
// one per frame and stay responsive; nothing is drawn on screen.
class BackgroundGenerator {
 public:
  // The working map's cell values (zone::), for the generator's callers and tests.
  static constexpr std::int32_t kGrass = zone::kGround;
  static constexpr std::int32_t kRunOff = zone::kRunOff;
  static constexpr std::int32_t kFinishLine = zone::kFinishLine;
  static constexpr std::int32_t kRoad = zone::kRoad;
  static constexpr std::int32_t kPathMark = zone::kPathMark;
  static constexpr std::int32_t kWhiteMark = zone::kWhiteMark;
  static constexpr std::int32_t kOpenGrass = zone::kOpenGround;
  // World units per map cell.
  static constexpr double kCellSize = 0.5;
  // stage() once the picture is saved (or a stage failed): the generation is over.
  static constexpr int kDoneStage = 9;

  // A tree (or other piece of scenery) planted by the last generation: the picture pixel it was
  // placed for and its size in pixels.
  using TreeSpot = SceneryItem;

  BackgroundGenerator() = default;

  // Runs the stage named by stage() and advances it; with `allAtOnce` runs every stage and ends
  // at kDoneStage. The first call of a generation only moves to stage 1; a call at kDoneStage
  // starts a new generation. `outputPath` is the PNG file written by stage 8; `pathMarks` are
  // points in map coordinates (world × 2) painted red, usually none. Never throws for a failed
  // stage (a track too large for a map, an unwritable picture): it returns false, lastError() tells
  // why, and stage() moves to kDoneStage so the caller stops.
  bool step(const track::TrackData& track, const std::string& outputPath,
            const std::vector<track::TrackPoint>& pathMarks, bool allAtOnce);

  // 0 before a generation, 1..8 the stage the next step() runs, kDoneStage when the picture is
  // saved.
  int stage() const { return stage_; }
  // Why the last step() failed; empty when it succeeded.
  const std::string& lastError() const { return lastError_; }
  // The progress caption for the stage that runs next ("" for 0 and kDoneStage).
  static std::string stageCaption(int stage);

  // What the generation has built so far (for the window's preview, tools and tests). The map
  // exists from stage 1 to stage 8; the pictures until the next generation starts.
  const track::SurfaceMap* map() const { return map_.get(); }
  const platform::Bitmap& picture() const { return picture_; }
  const platform::Bitmap& clouds() const { return clouds_; }
  const std::vector<TreeSpot>& trees() const { return trees_; }
  // The landscape of the generation, chosen by the track in stage 1 (none before).
  const Theme* theme() const { return theme_.get(); }
  // Why the generation paints another theme than the track asks for; empty when it does not.
  const std::string& warning() const { return warning_; }

  // Whether a road cell carries the light edge line: 2 cells clear of the road border on all
  // four sides, yet within 5 cells (3 diagonally) of grass, run-off or finish line. Cells beyond
  // the map never count as either.
  static bool isEdgeLineCell(const track::SurfaceMap& map, long long row, long long column);

  // The stages, callable one by one (benchmarks time them). Each needs the earlier ones.
  void rasterize(const track::TrackData& track);              // 1
  void addLineMarks(const track::TrackData& track);           // 2
  void addZones(const track::TrackData& track);               // 3
  void renderClouds();                                        // 4
  void addPath(const std::vector<track::TrackPoint>& marks);  // 5
  void paint();                                               // 6
  void plantTrees();                                          // 7
  void save(const std::string& outputPath);                   // 8; throws on failure

 private:
  void release();
  void runStage(int stage, const track::TrackData& track, const std::string& outputPath,
                const std::vector<track::TrackPoint>& pathMarks);

  int stage_ = 0;
  std::unique_ptr<track::SurfaceMap> map_;
  platform::Bitmap picture_;
  platform::Bitmap clouds_;
  std::vector<TreeSpot> trees_;
  std::unique_ptr<Theme> theme_;
  // The track's extents (world units), for the ground layer saved with the picture.
  std::int32_t extentX_ = 0;
  std::int32_t extentY_ = 0;
  std::string lastError_;
  std::string warning_;
};

}  // namespace background

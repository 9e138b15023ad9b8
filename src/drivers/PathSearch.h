#pragma once
#include <cstdint>
#include <optional>
#include <vector>

#include "drivers/RoadClearance.h"
#include "track/TrackData.h"

namespace drivers {

// A node of the kinematic grid search: a cell, the direction the car moves in there and the
// length of the move that reached it.
struct SearchNode {
  std::int32_t row = 0;
  std::int32_t column = 0;
  std::int32_t parent = -1;  // index into the workspace's nodes; -1 for the start
  float direction = 0;       // radians; (cos, sin) points along (column, row)
  float step = 0;            // cells
  float g = 0;               // cost so far
  float h = 0;               // distance to the goal, 1.0 at the start
  float f = 0;               // g + h
};

// State of the one grid search the drivers share. They plan one after the other, so at most
// one search is ever unfinished; its grids are kept between searches so that starting a new
// one costs no allocation once the map size has been seen.
class SearchWorkspace {
 public:
  // The workspace of the whole program.
  static SearchWorkspace& shared();

  SearchWorkspace() = default;
  SearchWorkspace(const SearchWorkspace&) = delete;
  SearchWorkspace& operator=(const SearchWorkspace&) = delete;

  // Weight of the step-length term in the cost; the drivers' search weight (typically 0.1).
  double weight = 0.1;

  // Whether a search stopped by its budget waits to be continued.
  bool busy() const { return busy_; }
  // Node expansions of the last finished or interrupted call, for measurements.
  long long lastExpansions() const { return lastExpansions_; }

 private:
  friend class PathSearch;

  enum class CellState : std::uint8_t { New = 0, Open = 1, Closed = 2 };
  struct Cell {
    std::uint32_t generation = 0;  // the cell's state holds only when this matches
    CellState state = CellState::New;
    std::int32_t node = -1;
  };
  struct OpenEntry {
    float f;
    std::uint64_t sequence;  // insertion order breaks ties, as a scanned list would
    std::int32_t node;
  };

  std::vector<SearchNode> nodes_;
  std::vector<OpenEntry> open_;  // binary heap, smallest (f, sequence) on top
  std::vector<Cell> cells_;
  std::uint32_t generation_ = 0;
  std::uint64_t nextSequence_ = 0;
  const RoadClearance* road_ = nullptr;
  std::int32_t goalRow_ = 0;
  std::int32_t goalColumn_ = 0;
  float normaliser_ = 1;
  bool busy_ = false;
  long long lastExpansions_ = 0;
};

// Plans a line over the road of a surface map (cells of 4 world units) from `start` to
// `goal` (map units: x = column, y = row). `startDirection` is in radians, `startStep` in cells
// (20 when a plan begins). `budget` limits the node expansions of this call (2147483647: none).
// With `startAnew` clear, the search left unfinished by an earlier call continues and `start`
// and `goal` are ignored.
//
// Returns the cells after the start up to the one that reached the goal (only the start cell
// when the start is already within 3 cells of the goal), an empty list when there is no way or
// the start or goal lies off the map, or nothing when the budget ran out first. With a path,
// `endDirection` and `endStep` receive the direction and step of its last node.
std::optional<std::vector<track::TrackPoint>> findPath(
    SearchWorkspace& workspace, const RoadClearance& road, const track::TrackPoint& start,
    const track::TrackPoint& goal, float startDirection, float startStep, float& endDirection,
    float& endStep, long long budget, bool startAnew);

}  // namespace drivers

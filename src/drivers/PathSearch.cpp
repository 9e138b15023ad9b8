#include "drivers/PathSearch.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

#include "common/Angle.h"
#include "common/GridLine.h"
#include "drivers/RoadNeeds.h"

namespace drivers {

namespace {

constexpr float kMaxTurn = 0.61086524f;  // 35 degrees
constexpr float kMinStep = 0.0001f;

// Into 0..2π in single precision, as the search always has.
float intoFullTurn(float angle) {
  return common::wrapAngle(angle);
}

// A direction of travel (radians, into 0..2π) with its cosine and sine.
struct Heading {
  explicit Heading(float raw)
      : direction(intoFullTurn(raw)), cosine(std::cos(direction)), sine(std::sin(direction)) {}
  float direction;
  float cosine;
  float sine;
};

// Heap order: the entry with the smaller (f, sequence) must come out first, so it compares
// as the "larger" one for std::push_heap's max-heap.
bool comesLater(float fa, std::uint64_t sa, float fb, std::uint64_t sb) {
  return fa > fb || (fa == fb && sa > sb);
}

// Truncates a map coordinate to its cell; anything that is no sensible coordinate (nan, far off
// the map) becomes a cell outside every map instead of an overflowing conversion.
std::int32_t toCell(double coordinate) {
  if (!(coordinate > -1.0e9 && coordinate < 1.0e9)) return -1;
  return static_cast<std::int32_t>(coordinate);
}

}  // namespace

SearchWorkspace& SearchWorkspace::shared() {
  static SearchWorkspace workspace;
  return workspace;
}

// Everything findPath does to the workspace, with access to its insides.
class PathSearch {
 public:
  explicit PathSearch(SearchWorkspace& ws) : ws_(ws) {}

  void reset(const RoadClearance& road, std::int32_t goalRow, std::int32_t goalColumn) {
    ws_.road_ = &road;
    ws_.nodes_.clear();
    ws_.open_.clear();
    ws_.nextSequence_ = 0;
    const auto cellCount = static_cast<std::size_t>(road.rows() * road.columns());
    if (ws_.cells_.size() != cellCount) {
      ws_.cells_.assign(cellCount, SearchWorkspace::Cell{});
      ws_.generation_ = 0;
    }
    // A new generation makes every cell new again without touching the grid.
    if (++ws_.generation_ == 0) {
      std::fill(ws_.cells_.begin(), ws_.cells_.end(), SearchWorkspace::Cell{});
      ws_.generation_ = 1;
    }
    ws_.goalRow_ = goalRow;
    ws_.goalColumn_ = goalColumn;
    ws_.normaliser_ = 1;
    ws_.busy_ = true;
  }

  void begin(const RoadClearance& road, std::int32_t startRow, std::int32_t startColumn,
             std::int32_t goalRow, std::int32_t goalColumn, float direction, float step) {
    reset(road, goalRow, goalColumn);
    SearchNode first;
    first.row = startRow;
    first.column = startColumn;
    // A nan would poison every cost after it, and the open list's order with them.
    first.direction = std::isfinite(direction) ? direction : 0.0f;
    first.step = std::isfinite(step) ? step : kMinStep;
    computeCost(first);
    ws_.nodes_.push_back(first);
    SearchWorkspace::Cell& cell = cellAt(startRow, startColumn);
    cell.state = SearchWorkspace::CellState::Open;
    cell.node = 0;
    pushOpen(0);
  }

  bool canContinue(const RoadClearance& road) const { return ws_.busy_ && ws_.road_ == &road; }

  void finish() {
    ws_.nodes_.clear();
    ws_.open_.clear();
    ws_.road_ = nullptr;
    ws_.busy_ = false;
  }

  // Costs: turning and short steps are expensive, the goal distance is scaled so that the
  // start has 1.0. The direction difference is not wrapped: a turn across direction 0 costs
  // nearly a full turn.
  void computeCost(SearchNode& node) {
    const float distance = static_cast<float>(std::abs(node.column - ws_.goalColumn_) +
                                              std::abs(node.row - ws_.goalRow_));
    if (node.parent >= 0) {
      const SearchNode& parent = ws_.nodes_[static_cast<std::size_t>(node.parent)];
      node.g = std::fabs(node.direction - parent.direction) +
               static_cast<float>(ws_.weight) / (node.step + 0.0001f) + parent.f;
    } else {
      node.g = 0;
      ws_.normaliser_ = distance;
    }
    // A start on the goal cell is accepted at once, so its zero normaliser is never divided by.
    node.h = ws_.normaliser_ > 0 ? distance / ws_.normaliser_ : 0.0f;
    node.f = node.h + node.g;
  }

  SearchWorkspace::Cell& cellAt(std::int32_t row, std::int32_t column) {
    SearchWorkspace::Cell& cell = ws_.cells_[static_cast<std::size_t>(row * ws_.road_->columns()) +
                                             static_cast<std::size_t>(column)];
    if (cell.generation != ws_.generation_) {
      cell.generation = ws_.generation_;
      cell.state = SearchWorkspace::CellState::New;
      cell.node = -1;
    }
    return cell;
  }

  void pushOpen(std::int32_t index) {
    const float f = ws_.nodes_[static_cast<std::size_t>(index)].f;
    ws_.open_.push_back({f, ws_.nextSequence_++, index});
    std::push_heap(ws_.open_.begin(), ws_.open_.end(), heapLess);
  }

  std::int32_t popOpen() {
    std::pop_heap(ws_.open_.begin(), ws_.open_.end(), heapLess);
    const std::int32_t index = ws_.open_.back().node;
    ws_.open_.pop_back();
    return index;
  }

  static bool heapLess(const SearchWorkspace::OpenEntry& a, const SearchWorkspace::OpenEntry& b) {
    return comesLater(a.f, a.sequence, b.f, b.sequence);
  }

  // The car needs room on both sides: every cell of the 5 × 5 block around it must be road.
  bool roomAround(std::int32_t row, std::int32_t column) const {
    return ws_.road_->squareRoom(row, column) > roadneeds::kRoomCells;
  }

  // At a cell with a square of n the line's next n - 1 cells are road (none lies more than that
  // many rows and columns further on), so the check leaps over them.
  bool roadAlong(std::int32_t fromRow, std::int32_t fromColumn, std::int32_t toRow,
                 std::int32_t toColumn) const {
    const RoadClearance& road = *ws_.road_;
    const long long length = std::max(std::abs(static_cast<long long>(toRow) - fromRow),
                                      std::abs(static_cast<long long>(toColumn) - fromColumn));
    if (length == 0) return road.squareRoom(fromRow, fromColumn) > 0;
    // The start itself is not checked, only what lies after it.
    long long step = std::max(road.squareRoom(fromRow, fromColumn), 1);
    while (step <= length) {
      const auto [column, row] = common::gridLineCell(fromColumn, fromRow, toColumn, toRow, step);
      const int room = road.squareRoom(row, column);
      if (room == 0) return false;
      step += room;
    }
    return true;
  }

  std::vector<track::TrackPoint> pathTo(std::int32_t index) const {
    std::vector<track::TrackPoint> path;
    const SearchNode* node = &ws_.nodes_[static_cast<std::size_t>(index)];
    if (node->parent < 0) {
      path.push_back(cellPoint(*node));
      return path;
    }
    while (node->parent >= 0) {
      path.push_back(cellPoint(*node));
      node = &ws_.nodes_[static_cast<std::size_t>(node->parent)];
    }
    std::reverse(path.begin(), path.end());
    return path;
  }

  static track::TrackPoint cellPoint(const SearchNode& node) {
    track::TrackPoint point;
    point.x = node.column;
    point.y = node.row;
    return point;
  }

  void expand(std::int32_t expandedIndex) {
    const SearchNode expanded = ws_.nodes_[static_cast<std::size_t>(expandedIndex)];
    cellAt(expanded.row, expanded.column).state = SearchWorkspace::CellState::Closed;
    if (!roomAround(expanded.row, expanded.column)) return;

    const float theta = intoFullTurn(expanded.direction);
    const float step = std::max(expanded.step, kMinStep);
    // Five headings, each with its sine and cosine worked out once for the moves that share it.
    const std::array<Heading, 5> headings = {
        Heading(theta), Heading(theta - kMaxTurn), Heading(theta - kMaxTurn / 2),
        Heading(theta + kMaxTurn), Heading(theta + kMaxTurn / 2)};
    const std::array<std::pair<std::size_t, float>, 8> moves = {{
        {0, 0.6f * step},
        {0, 1.2f * step},
        {1, 0.6f * step},
        {2, 1.2f * step},
        {2, 0.6f * step},
        {3, 0.6f * step},
        {4, 1.2f * step},
        {4, 0.6f * step},
    }};

    std::array<std::pair<std::int32_t, std::int32_t>, 8> accepted{};
    std::size_t acceptedCount = 0;
    for (const auto& [headingIndex, moveStep] : moves) {
      const Heading& heading = headings[headingIndex];
      const std::int32_t column =
          toCell(heading.cosine * moveStep + static_cast<float>(expanded.column));
      const std::int32_t row = toCell(heading.sine * moveStep + static_cast<float>(expanded.row));
      const auto sameCell = [&](const std::pair<std::int32_t, std::int32_t>& cell) {
        return cell.first == row && cell.second == column;
      };
      if (std::any_of(accepted.begin(), accepted.begin() + acceptedCount, sameCell)) continue;
      if (!ws_.road_->inside(row, column)) continue;
      if (!roadAlong(expanded.row, expanded.column, row, column)) continue;
      accepted[acceptedCount++] = {row, column};

      SearchNode successor;
      successor.row = row;
      successor.column = column;
      successor.parent = expandedIndex;
      successor.direction = heading.direction;
      successor.step = moveStep;
      offer(successor, expanded.g);
    }
  }

  void offer(SearchNode& successor, float expandedG) {
    SearchWorkspace::Cell& cell = cellAt(successor.row, successor.column);
    switch (cell.state) {
      case SearchWorkspace::CellState::New: {
        computeCost(successor);
        const auto index = static_cast<std::int32_t>(ws_.nodes_.size());
        ws_.nodes_.push_back(successor);
        cell.state = SearchWorkspace::CellState::Open;
        cell.node = index;
        pushOpen(index);
        break;
      }
      case SearchWorkspace::CellState::Open:
        break;
      case SearchWorkspace::CellState::Closed: {
        computeCost(successor);
        const float storedG = ws_.nodes_[static_cast<std::size_t>(cell.node)].g;
        // The cheaper way in is remembered, but the cell is not expanded again.
        if (expandedG < storedG && successor.g < storedG) {
          const auto index = static_cast<std::int32_t>(ws_.nodes_.size());
          ws_.nodes_.push_back(successor);
          cell.node = index;
        }
        break;
      }
    }
  }

  std::optional<std::vector<track::TrackPoint>> run(float& endDirection, float& endStep,
                                                    long long budget) {
    long long iterations = 0;
    ws_.lastExpansions_ = 0;
    for (;;) {
      if (ws_.open_.empty()) {
        finish();
        return std::vector<track::TrackPoint>{};
      }
      const std::int32_t index = popOpen();
      const SearchNode& node = ws_.nodes_[static_cast<std::size_t>(index)];
      const long long dr = node.row - ws_.goalRow_;
      const long long dc = node.column - ws_.goalColumn_;
      if (dr * dr + dc * dc < 9) {
        endDirection = node.direction;
        endStep = node.step;
        std::vector<track::TrackPoint> path = pathTo(index);
        finish();
        return path;
      }
      expand(index);
      ++iterations;
      ws_.lastExpansions_ = iterations;
      if (iterations > budget) return std::nullopt;
    }
  }

 private:
  SearchWorkspace& ws_;
};

std::optional<std::vector<track::TrackPoint>> findPath(
    SearchWorkspace& workspace, const RoadClearance& road, const track::TrackPoint& start,
    const track::TrackPoint& goal, float startDirection, float startStep, float& endDirection,
    float& endStep, long long budget, bool startAnew) {
  PathSearch search(workspace);
  if (startAnew) {
    const std::int32_t startColumn = toCell(start.x);
    const std::int32_t startRow = toCell(start.y);
    const std::int32_t goalColumn = toCell(goal.x);
    const std::int32_t goalRow = toCell(goal.y);
    if (!road.inside(startRow, startColumn) || !road.inside(goalRow, goalColumn)) {
      search.finish();
      return std::vector<track::TrackPoint>{};
    }
    search.begin(road, startRow, startColumn, goalRow, goalColumn, startDirection, startStep);
  } else if (!search.canContinue(road)) {
    // Nothing to continue (or the map it was searching is gone): no way found.
    search.finish();
    return std::vector<track::TrackPoint>{};
  }
  return search.run(endDirection, endStep, budget);
}

}  // namespace drivers

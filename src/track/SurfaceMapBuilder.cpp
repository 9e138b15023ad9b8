// The road of a track rasterised into a surface map or a road mask (buildSurfaceMap and
// buildRoadMask, declared in Geometry.h).
//
// Each piece of road, between a path point and the next, is outlined by its two edge lines and
// three cross lines: at both points and between the edge lines' first cells. Every outlined cell
// is joined to the next outlined cell right of it in its row and below it in its column, and
// the lines themselves are road; that is all the road between the lines. Working from the ends
// of each row and column of the outline keeps the cost near the cells outlined and written,
// however thin and long a piece. Pieces are outlined on several threads, and their cells are
// written by bands of rows, each band by one thread, so the map is the same however many threads
// build it.
#include <algorithm>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/GridLine.h"
#include "common/Parallel.h"
#include "track/Geometry.h"

namespace track {

namespace {

// The cells one piece of road covers: one run in each of its rows, and a few cells besides
// where the piece bends back on itself. Coordinates may lie beyond the map; writing clips them.
struct PieceCover {
  struct Run {
    int left = 0;
    int right = 0;  // one past the last cell; left == right for a row with no cell
  };
  int top = 0;            // the row of runs[0]
  std::vector<Run> runs;  // one per row from `top` down
  std::vector<GridCell> extra;

  // Writes `road` into the cells of rows firstRow .. lastRow − 1 that lie inside the grid.
  template <typename Grid>
  void writeInto(Grid& grid, typename Grid::Cell road, int firstRow, int lastRow) const;
};

// A cell the outline passes, and whether drawing its line marks it (a line marks every cell
// after its start; a line of one cell marks none).
struct OutlineCell {
  int x = 0;
  int y = 0;
  bool marked = false;
};

class PieceOutliner {
 public:
  // from1 → to1 and from2 → to2: the piece's right and left edges, in map cells.
  PieceCover cover(GridCell from1, GridCell to1, GridCell from2, GridCell to2) {
    outline_.clear();
    const std::size_t edge1 = addLine(from1, to1);
    const std::size_t edge2 = addLine(from2, to2);
    addLine(from1, from2);
    addLine(GridCell{outline_[edge1].x, outline_[edge1].y},
            GridCell{outline_[edge2].x, outline_[edge2].y});
    addLine(to1, to2);

    PieceCover piece;
    addRows(piece);
    addColumns(piece);
    return piece;
  }

 private:
  std::size_t addLine(GridCell from, GridCell to) {
    const std::size_t start = outline_.size();
    if (from == to) {
      outline_.push_back({from.x, from.y, false});
      return start;
    }
    common::walkGridLine(from.x, from.y, to.x, to.y, [&](int x, int y) {
      outline_.push_back({x, y, true});
      return true;
    });
    return start;
  }

  // Each row runs from its first outlined cell to its last, which is road too when a line
  // marks it.
  void addRows(PieceCover& piece) {
    int top = outline_.front().y, bottom = top;
    for (const OutlineCell& cell : outline_) {
      top = std::min(top, cell.y);
      bottom = std::max(bottom, cell.y);
    }
    piece.top = top;
    piece.runs.assign(static_cast<std::size_t>(bottom - top) + 1,
                      {std::numeric_limits<int>::max(), std::numeric_limits<int>::min()});
    lastMarked_.assign(piece.runs.size(), false);
    for (const OutlineCell& cell : outline_) {
      const auto row = static_cast<std::size_t>(cell.y - top);
      PieceCover::Run& run = piece.runs[row];
      run.left = std::min(run.left, cell.x);
      // `right` holds the last cell until the runs are closed below.
      if (cell.x > run.right) {
        run.right = cell.x;
        lastMarked_[row] = cell.marked;
      } else if (cell.x == run.right) {
        lastMarked_[row] = lastMarked_[row] || cell.marked;
      }
    }
    for (std::size_t row = 0; row < piece.runs.size(); ++row) {
      PieceCover::Run& run = piece.runs[row];
      if (run.left > run.right) {
        run = {};  // no outlined cell in this row
      } else {
        run.right += lastMarked_[row] ? 1 : 0;
      }
    }
  }

  // Each column runs from its first outlined cell down to, not including, its last; the cells
  // of that run which their row's run leaves out are kept apart.
  void addColumns(PieceCover& piece) {
    int left = outline_.front().x, right = left;
    for (const OutlineCell& cell : outline_) {
      left = std::min(left, cell.x);
      right = std::max(right, cell.x);
    }
    const auto width = static_cast<std::size_t>(right - left) + 1;
    columnTop_.assign(width, std::numeric_limits<int>::max());
    columnBottom_.assign(width, std::numeric_limits<int>::min());
    for (const OutlineCell& cell : outline_) {
      const auto column = static_cast<std::size_t>(cell.x - left);
      columnTop_[column] = std::min(columnTop_[column], cell.y);
      columnBottom_[column] = std::max(columnBottom_[column], cell.y);
    }
    for (std::size_t column = 0; column < width; ++column) {
      const int x = left + static_cast<int>(column);
      for (int y = columnTop_[column]; y < columnBottom_[column]; ++y) {
        const PieceCover::Run& run = piece.runs[static_cast<std::size_t>(y - piece.top)];
        if (x < run.left || x >= run.right) piece.extra.push_back({x, y});
      }
    }
  }

  std::vector<OutlineCell> outline_;
  std::vector<bool> lastMarked_;
  std::vector<int> columnTop_;
  std::vector<int> columnBottom_;
};

template <typename Grid>
void PieceCover::writeInto(Grid& grid, typename Grid::Cell road, int firstRow, int lastRow) const {
  const int bottom = top + static_cast<int>(runs.size());
  const int from = std::max(firstRow, top);
  const int to = std::min(lastRow, bottom);
  const auto columns = static_cast<int>(grid.columns);
  for (int y = from; y < to; ++y) {
    const Run& run = runs[static_cast<std::size_t>(y - top)];
    const int left = std::max(run.left, 0);
    const int right = std::min(run.right, columns);
    if (left >= right) continue;
    auto* row = grid.cells.data() + static_cast<std::size_t>(y) * grid.columns;
    std::fill(row + left, row + right, road);
  }
  for (const GridCell& cell : extra) {
    if (cell.y >= firstRow && cell.y < lastRow && grid.inside(cell.y, cell.x)) {
      grid.cells[static_cast<std::size_t>(cell.y) * grid.columns + cell.x] = road;
    }
  }
}

GridCell truncatedCell(const TrackPoint& p) {
  return GridCell{static_cast<int>(p.x), static_cast<int>(p.y)};
}

// The road of the track in a new Grid (a SurfaceMap or a RoadMask) whose cells start off the
// road, written `road`.
template <typename Grid>
std::unique_ptr<Grid> buildRoad(const TrackData& track, double cellSize, typename Grid::Cell road) {
  std::string reason;
  if (!surfaceMapFits(track, cellSize, &reason)) throw std::length_error(reason);

  const double c = cellSize;
  auto grid = std::make_unique<Grid>(static_cast<std::uint32_t>((c + track.extentY) / c),
                                     static_cast<std::uint32_t>((c + track.extentX) / c));
  const std::size_t count = track.points.size();
  if (count == 0) return grid;

  std::vector<GridCell> edge1(count), edge2(count);
  for (std::size_t i = 0; i < count; ++i) {
    const EdgePoints edges = edgePoints(track.points[i], static_cast<float>(c));
    edge1[i] = truncatedCell(edges.first);
    edge2[i] = truncatedCell(edges.second);
  }

  // Piece i joins point i to its successor; the last piece closes the loop at the finish line.
  // A batch of pieces at a time keeps the covers small even for a file of huge zigzags. A small
  // grid (the race's) is built on the calling thread alone: threads would cost more than they
  // save.
  constexpr std::size_t kPiecesPerBatch = 128;
  constexpr std::size_t kCellsWorthThreads = std::size_t{1} << 21;
  const bool threaded = grid->cells.size() >= kCellsWorthThreads;
  const int piecesPerChunk = threaded ? 16 : static_cast<int>(kPiecesPerBatch);
  const int rowsPerBand = threaded ? 64 : static_cast<int>(grid->rows);
  std::vector<PieceCover> covers;
  for (std::size_t first = 0; first < count; first += kPiecesPerBatch) {
    covers.assign(std::min(kPiecesPerBatch, count - first), {});
    common::parallel::forEachChunk(
        static_cast<int>(covers.size()), piecesPerChunk, [&](int from, int to) {
          PieceOutliner outliner;
          for (int k = from; k < to; ++k) {
            const std::size_t i = first + static_cast<std::size_t>(k);
            const std::size_t next = (i + 1) % count;
            covers[static_cast<std::size_t>(k)] =
                outliner.cover(edge1[i], edge1[next], edge2[i], edge2[next]);
          }
        });
    common::parallel::forEachChunk(static_cast<int>(grid->rows), rowsPerBand,
                                   [&](int from, int to) {
                                     for (const PieceCover& piece : covers)
                                       piece.writeInto(*grid, road, from, to);
                                   });
  }
  return grid;
}

}  // namespace

std::unique_ptr<SurfaceMap> buildSurfaceMap(const TrackData& track, double cellSize) {
  return buildRoad<SurfaceMap>(track, cellSize, SurfaceMap::kRoad);
}

std::unique_ptr<RoadMask> buildRoadMask(const TrackData& track, double cellSize) {
  return buildRoad<RoadMask>(track, cellSize, RoadMask::kOnRoad);
}

}  // namespace track

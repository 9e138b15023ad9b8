#pragma once
#include <functional>

namespace common {

// The heavy loops (the painter's rows, the map builder's pieces of road) share their work among a
// few threads. Every item's result depends only on the item, never on which thread does it or
// when, so a picture or a map is the same on one core as on many.
namespace parallel {

// Threads a loop uses: the machine's cores, at least 1 and at most 8.
unsigned threadCount();
// Pins threadCount() to `count` (1 paints on the calling thread alone); 0 gives the machine's
// cores back. For tests and benchmarks that compare the two.
void setThreadCount(unsigned count);

// Calls body(first, last) for consecutive chunks [first, last) of `chunk` indices (the last one
// shorter) covering 0 .. count − 1, on threadCount() threads, the caller's among them; returns
// when every chunk is done. Chunks are handed out as threads become free, so a thread that the
// machine slows down takes fewer. The first exception a chunk throws is rethrown here, after the
// other threads have stopped. count: rows or items (0 does nothing); chunk: 1 or more.
void forEachChunk(int count, int chunk, const std::function<void(int first, int last)>& body);

}  // namespace parallel

}  // namespace common

#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace fuzzfiles {

// A folder of this process's own in memory-backed storage (/dev/shm, else the temporary folder),
// removed at exit. The readers under test take paths, so every input goes through a file.
const std::string& scratchFolder();

// Replaces `name` in the scratch folder with the bytes and returns its full path.
std::string writeInput(const std::string& name, const std::uint8_t* data, std::size_t size);

// Stops the run with a message when a property of the result does not hold; libFuzzer then
// saves the input as a crash.
void require(bool condition, const char* what);

}  // namespace fuzzfiles

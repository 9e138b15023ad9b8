#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace records {

// Moves the file at `path` (and SQLite's journal files beside it) to an unused name
// "<path>.<reason>-YYYYMMDD-HHMMSS" ("-2", "-3" ... when taken), `when` in seconds since the
// epoch, local time. A symbolic link is moved itself, never the file it points to, and nothing
// existing is ever replaced. The new name, or nothing (and `error`) when it cannot be moved.
std::optional<std::string> moveAside(const std::string& path, const std::string& reason,
                                     std::int64_t when, std::string* error = nullptr);

}  // namespace records

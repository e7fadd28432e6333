#pragma once
// File reading and writing for saved data: a save either lands whole or leaves the previous
// file as it was.
#include <cstddef>
#include <string>

namespace VelaEngine {

// At most `maxBytes` of the file at `path` into `out`; false (and `out` empty) when it cannot
// be opened or read. `truncated` tells whether the file held more.
bool ReadFileText(const std::string& path, std::size_t maxBytes, std::string& out, bool& truncated);

// Creates every missing folder on the way to the file at `path` (absolute or relative),
// one level at a time. Failures are left for the write to report.
void CreateFoldersFor(const std::string& path);

// Writes `text` to a temporary file beside `path`, flushes it to the disk, then renames it
// over `path`. Returns "" on success, else what went wrong; on failure `path` is untouched
// and no temporary file is left behind.
std::string WriteFileReplacing(const std::string& path, const std::string& text);

}  // namespace VelaEngine

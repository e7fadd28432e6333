#pragma once
// File reading and writing for saved data: a save either lands whole or leaves the previous
// file as it was.
#include <cstddef>
#include <string>

namespace VelaEngine {

enum class ReadOutcome {
    Whole,       // the file was read to its end
    Missing,     // there is no file: nothing to lose by writing one
    Incomplete,  // the file is there but was not read whole (see the problem text)
};

// Reads the file at `path` into `out`, at most `maxBytes` of it. When the file is not read
// whole, `out` keeps the complete lines read before the stop and `problem` tells why.
ReadOutcome ReadFileText(const std::string& path, std::size_t maxBytes, std::string& out,
                         std::string& problem);

// Creates every missing folder on the way to the file at `path` (absolute or relative),
// one level at a time. Failures are left for the write to report.
void CreateFoldersFor(const std::string& path);

// Writes `text` to a temporary file beside `path`, flushes it to the disk, then renames it
// over `path`. Returns "" on success, else what went wrong; on failure `path` is untouched
// and no temporary file is left behind. Temporary files that earlier saves left when their
// process died are removed first.
std::string WriteFileReplacing(const std::string& path, const std::string& text);

}  // namespace VelaEngine

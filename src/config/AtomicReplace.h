#pragma once

#include <string>
#include <string_view>

namespace quorvane {

// Puts `content` into the file at `path` as one step: a temporary file in the same folder
// is written, flushed to disk and renamed over the target, so a reader or a crash sees
// either the old file or the new one, never part of it. An existing file keeps its
// permissions; a symbolic link is followed and its target replaced. The folder must exist.
// Throws std::system_error, leaving the target untouched and no temporary file behind.
void replace_file_atomically(const std::string& path, std::string_view content);

}  // namespace quorvane

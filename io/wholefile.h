// Files written whole or not at all: the bytes go to a temporary file in the
// target's folder, are synced, and the temporary is renamed over the target
// only when complete. On any failure the old file stays as it was and no
// temporary is left. A target that is a symbolic link is replaced, never
// written through; one that is a folder, a named pipe or a device is refused.
#pragma once

#include <string>

namespace automaten {

// Whether `path` may be written: it does not exist, or is a regular file or
// a symbolic link; false with the reason (German).
bool WritableTarget(const std::string& path, std::string& reason);

// Writes `bytes` to `path` whole; false with the reason (German). A file that
// was there keeps its permissions.
bool WriteWhole(const std::string& path, const std::string& bytes, std::string& reason);

}  // namespace automaten

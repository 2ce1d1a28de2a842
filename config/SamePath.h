#pragma once
// Whether two texts name the same file or folder, as the file system tells
// them apart: letter case counts (/data/zamo and /data/ZAMO are two
// folders). Each path is first made absolute and cleaned ("." and ".."
// steps, doubled and trailing slashes); where both exist, their canonical
// paths are compared, so that a link and its target are one.

#include <QString>

namespace config {

bool samePath(const QString& a, const QString& b);

} // namespace config

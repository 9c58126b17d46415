#pragma once
#include <memory>
#include <string>

#include "formats/img/ImgArchive.h"

namespace zelkit {

// The ".dir" that makes path a version 1 archive: the same name with ".dir" (or ".DIR", as
// archives copied from case-insensitive systems have it), or empty when there is none.
[[nodiscard]] std::string imgDirectoryPathFor(const std::string& path);

// Opens a ".img" as version 1 when its ".dir" exists, else as version 2, whatever its first bytes.
[[nodiscard]] std::unique_ptr<ImgArchive> openImgArchive(const std::string& path);

// Creates an empty archive of version 1 (".img" and ".dir") or 2.
[[nodiscard]] std::unique_ptr<ImgArchive> createImgArchive(const std::string& path, int version);

} // namespace zelkit

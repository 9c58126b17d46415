#include "core/Error.h"

#include <cstring>

namespace zelkit {

FileError FileError::cannotOpen(const std::string& path, int errnoValue)
{
    return FileError("Cannot open file \"" + path + "\". " + std::strerror(errnoValue));
}

FileError FileError::cannotCreate(const std::string& path, int errnoValue)
{
    return FileError("Cannot create file \"" + path + "\". " + std::strerror(errnoValue));
}

FileError FileError::failed(const std::string& what, const std::string& path, int errnoValue)
{
    return FileError(what + " \"" + path + "\". " + std::strerror(errnoValue));
}

FormatError::FormatError(const std::string& source, std::uint64_t offset, const std::string& problem)
    : Error(source + ": " + problem + " (at byte offset " + std::to_string(offset) + ")")
{
}

} // namespace zelkit

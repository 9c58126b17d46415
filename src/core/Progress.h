#pragma once
#include <cstddef>
#include <functional>

namespace zelkit {

// Reports done of total steps of a long operation; an empty function reports nothing.
using Progress = std::function<void(std::size_t done, std::size_t total)>;

inline void report(const Progress& progress, std::size_t done, std::size_t total)
{
    if (progress)
        progress(done, total);
}

} // namespace zelkit

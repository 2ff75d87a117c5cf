#pragma once
// Where the bytes of a stream lie in a compound file image: runs of sectors that follow one
// another, in stream order. A stream of a file on disk keeps its extents instead of its bytes
// and reads them when they are wanted (see CompoundStream).

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/CompoundImage.h"

class CompoundStreamExtents {
public:
    // The stream of size bytes held by the sectors of chain, each sectorSize bytes long; the
    // header fills the sector before sector 0.
    CompoundStreamExtents(std::shared_ptr<const CompoundImage> image,
                          const std::vector<std::uint32_t>& chain, std::size_t sectorSize,
                          std::uint64_t size);

    std::uint64_t Size() const { return m_size; }
    // Copies count bytes from position on (they must lie inside the stream) into out.
    void Read(std::uint64_t position, std::size_t count, std::uint8_t* out) const;

private:
    struct Run {
        std::uint64_t position;  // in the stream
        std::uint64_t offset;    // in the image
    };

    std::shared_ptr<const CompoundImage> m_image;
    std::vector<Run> m_runs;
    std::uint64_t m_size;
};

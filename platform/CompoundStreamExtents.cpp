#include "platform/CompoundStreamExtents.h"

#include <algorithm>

CompoundStreamExtents::CompoundStreamExtents(std::shared_ptr<const CompoundImage> image,
                                             const std::vector<std::uint32_t>& chain,
                                             std::size_t sectorSize, std::uint64_t size)
    : m_image(std::move(image)), m_size(size) {
    for (std::size_t i = 0; i < chain.size(); ++i) {
        if (i == 0 || chain[i] != chain[i - 1] + 1)
            m_runs.push_back(
                {i * std::uint64_t{sectorSize}, (std::uint64_t{chain[i]} + 1) * sectorSize});
    }
}

// Each run reaches to the next one's start, the last to the end of the stream.
void CompoundStreamExtents::Read(std::uint64_t position, std::size_t count,
                                 std::uint8_t* out) const {
    auto run = std::upper_bound(m_runs.begin(), m_runs.end(), position,
                                [](std::uint64_t at, const Run& r) { return at < r.position; }) -
               1;
    while (count > 0) {
        const std::uint64_t end = run + 1 == m_runs.end() ? m_size : (run + 1)->position;
        const std::size_t piece =
            static_cast<std::size_t>(std::min<std::uint64_t>(count, end - position));
        m_image->Read(run->offset + (position - run->position), piece, out);
        position += piece;
        out += piece;
        count -= piece;
        ++run;
    }
}

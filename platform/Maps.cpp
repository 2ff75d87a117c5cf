#include "platform/Maps.h"

UINT HashMapKey(const char* key) {
    std::uint32_t hash = 0;
    for (const char* p = key ? key : ""; *p; ++p)
        hash = hash * 33u +
               static_cast<std::uint32_t>(static_cast<std::int32_t>(static_cast<signed char>(*p)));
    return hash;
}

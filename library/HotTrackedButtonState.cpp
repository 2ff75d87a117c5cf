#include "library/HotTrackedButtonState.h"

#include "platform/Archive.h"

void HotTrackedButtonState::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << DWORD(flags & ~kHotTrackHot) << text;
    } else {
        ar >> flags >> text;
        flags &= ~kHotTrackHot;
    }
}

#include "support/PaletteBytes.h"

#include "library/ObListRecord.h"
#include "library/PaletteFile.h"
#include "model/shapes/DrawRect.h"
#include "platform/Archive.h"
#include "platform/MemFile.h"

namespace testsupport {

std::vector<BYTE> PaletteFileBytes(const std::function<void(CArchive&, int)>& writeButton) {
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    ar << CString("X") << WORD(0) << WORD(6) << WORD(5) << WORD(30) << WORD(30) << 0 << 0
       << WORD(kPaletteButtonCount);
    for (int i = 0; i < kPaletteButtonCount; ++i) {
        ar << DWORD(2) << CString();
        writeButton(ar, i);
    }
    ar.Close();
    return file.Detach();
}

std::vector<BYTE> PaletteWithSharedList() {
    CDrawRect rect(CRect(0, 0, 100, -50));
    CObList objects;
    objects.AddTail(&rect);
    CObListRecord list(objects);
    return PaletteFileBytes([&](CArchive& ar, int i) { ar.WriteObject(i < 2 ? &list : nullptr); });
}

}  // namespace testsupport

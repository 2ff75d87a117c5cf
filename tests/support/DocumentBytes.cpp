#include "support/DocumentBytes.h"

#include "model/doc/DrawDoc.h"
#include "platform/Archive.h"
#include "platform/MemFile.h"

namespace testsupport {

std::vector<BYTE> DocumentBytes(CDrawDoc& doc) {
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    ar.m_pDocument = &doc;
    doc.Serialize(ar);
    ar.Close();
    return file.Detach();
}

}  // namespace testsupport

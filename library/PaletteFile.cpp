#include "library/PaletteFile.h"

#include <unistd.h>

#include <exception>
#include <filesystem>
#include <memory>
#include <span>
#include <vector>

#include "library/ObListRecord.h"
#include "model/object/DrawObj.h"
#include "platform/Archive.h"
#include "platform/AtomicFile.h"
#include "platform/DiskFile.h"
#include "platform/MemFile.h"
#include "platform/WriteAccess.h"

namespace {

constexpr UINT kArchiveBufferSize = 4096;

// A WORD of the arrangement, refused outside its range.
int ReadRanged(CArchive& ar, int low, int high) {
    WORD value = 0;
    ar >> value;
    if (value < low || value > high)
        throw CArchiveException(CArchiveException::genericException);
    return value;
}

// Whether a file could be opened for writing at path: the path is no folder, the user may
// write a file already there, and its folder takes new files.
bool CanOpenForWriting(const std::filesystem::path& path) {
    std::error_code error;
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
    return !std::filesystem::is_directory(path, error) && !IsWriteProtected(path) &&
           std::filesystem::is_directory(folder, error) && ::access(folder.c_str(), W_OK) == 0;
}

using ListRecords = std::vector<std::unique_ptr<CObListRecord>>;

// The objects of a button record: a list's elements, or one drawing object alone. They belong
// to this button only: the drawing objects of earlier buttons are sealed, and the list or the
// object is claimed, so that no object is owned twice or linked from another button. The list
// records are kept in lists while the archive may still meet references to them.
void ReadButtonObjects(CArchive& ar, CObList& out, ListRecords& lists) {
    ar.SealObjects(RUNTIME_CLASS(CDrawObj));
    CObject* object = ar.ReadObject({RUNTIME_CLASS(CObListRecord), RUNTIME_CLASS(CDrawObj)});
    if (!object)
        return;
    ar.ClaimObject(object);
    if (auto* list = dynamic_cast<CObListRecord*>(object)) {
        lists.emplace_back(list)->Take(out);
        return;
    }
    out.AddTail(object);
}

}  // namespace

void PaletteButtonData::DeleteObjects() {
    DeleteListedObjects(objects);
}

BOOL PaletteButtonData::PasteObjects(const std::vector<BYTE>& data) {
    CMemFile file(data);
    CArchive ar(&file, CArchive::load, kArchiveBufferSize);
    auto list = std::make_unique<CObListRecord>();  // owns what it reads until taken
    try {
        list->Serialize(ar);
        // Every drawing object read belongs to the list or to an object of it.
        if (ar.HasUnclaimed(RUNTIME_CLASS(CDrawObj)))
            throw CArchiveException(CArchiveException::badIndex);
    } catch (...) {
        list.reset();
        ar.DeleteUnclaimed(RUNTIME_CLASS(CDrawObj));
        throw;
    }
    CObList pasted;
    list->Take(pasted);
    if (pasted.IsEmpty())
        return FALSE;
    DeleteObjects();
    objects.AddTail(&pasted);
    return TRUE;
}

void PaletteButtonData::Swap(PaletteButtonData& other) {
    std::swap(state.flags, other.state.flags);
    std::swap(state.text, other.state.text);
    CObList mine;
    mine.AddTail(&objects);
    objects.RemoveAll();
    objects.AddTail(&other.objects);
    other.objects.RemoveAll();
    other.objects.AddTail(&mine);
}

void CPaletteFile::Serialize(CArchive& ar) {
    if (ar.IsStoring())
        Store(ar);
    else
        LoadFrom(ar);
}

void CPaletteFile::Store(CArchive& ar) const {
    ar << caption << WORD(floating ? 1 : 0) << WORD(rows) << WORD(columns) << WORD(buttonWidth)
       << WORD(buttonHeight) << static_cast<LONG>(position.x) << static_cast<LONG>(position.y)
       << WORD(kPaletteButtonCount);
    // Each list lives until the archive is done: the archive knows objects by address.
    std::vector<std::unique_ptr<CObListRecord>> lists;
    for (const PaletteButtonData& button : buttons) {
        HotTrackedButtonState state = button.state;
        state.Serialize(ar);
        lists.push_back(std::make_unique<CObListRecord>(button.objects));
        ar.WriteObject(lists.back().get());
    }
}

void CPaletteFile::LoadFrom(CArchive& ar) {
    Clear();
    ListRecords lists;
    try {
        LoadHead(ar);
        for (PaletteButtonData& button : buttons) {
            button.state.Serialize(ar);
            ReadButtonObjects(ar, button.objects, lists);
        }
        // A drawing object that only a link names (a part's text in no button) belongs to
        // nothing.
        if (ar.HasUnclaimed(RUNTIME_CLASS(CDrawObj)))
            throw CArchiveException(CArchiveException::badIndex);
    } catch (...) {
        Clear();
        ar.DeleteUnclaimed(RUNTIME_CLASS(CDrawObj));
        throw;
    }
}

void CPaletteFile::LoadHead(CArchive& ar) {
    WORD skipped = 0;
    LONG ignored = 0;
    ar >> caption >> skipped;
    rows = ReadRanged(ar, kPaletteMinCells, kPaletteMaxCells);
    columns = ReadRanged(ar, kPaletteMinCells, kPaletteMaxCells);
    buttonWidth = ReadRanged(ar, kPaletteMinButtonSize, kPaletteMaxButtonSize);
    buttonHeight = ReadRanged(ar, kPaletteMinButtonSize, kPaletteMaxButtonSize);
    ar >> ignored >> ignored >> skipped;
}

BOOL CPaletteFile::Load(const char* path) {
    CDiskFile file;
    if (!file.Open(path, CDiskFile::modeRead | CDiskFile::shareDenyWrite))
        return FALSE;
    auto fresh = std::make_unique<CPaletteFile>();
    try {
        CArchive ar(&file, CArchive::load, kArchiveBufferSize);
        fresh->Serialize(ar);
        ar.Close();
    } catch (const std::exception&) {
        return FALSE;
    }
    Swap(*fresh);
    return TRUE;
}

std::vector<BYTE> CPaletteFile::Store() const {
    CMemFile bytes;
    CArchive ar(&bytes, CArchive::store, kArchiveBufferSize);
    Store(ar);
    ar.Close();
    return bytes.Detach();
}

PaletteSave CPaletteFile::Save(const char* path) const {
    if (!CanOpenForWriting(path))
        return PaletteSave::kNotOpened;
    try {
        const std::vector<BYTE> bytes = Store();
        WriteFileAtomically(path, std::span<const BYTE>(bytes));
    } catch (const std::exception&) {
        return PaletteSave::kNotWritten;
    }
    return PaletteSave::kSaved;
}

void CPaletteFile::Swap(CPaletteFile& other) {
    std::swap(caption, other.caption);
    std::swap(floating, other.floating);
    std::swap(rows, other.rows);
    std::swap(columns, other.columns);
    std::swap(buttonWidth, other.buttonWidth);
    std::swap(buttonHeight, other.buttonHeight);
    std::swap(position, other.position);
    for (int i = 0; i < kPaletteButtonCount; ++i)
        buttons[i].Swap(other.buttons[i]);
}

void CPaletteFile::Clear() {
    for (PaletteButtonData& button : buttons) {
        button.DeleteObjects();
        button.state = HotTrackedButtonState{kHotTrackEdge, CString()};
    }
}

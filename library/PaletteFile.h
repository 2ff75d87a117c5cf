#pragma once
// The contents of a symbol palette as its ".sbc" file keeps them: the caption, the arrangement
// of the thirty buttons (rows, columns, button size), the window position, and for each button
// its style flags, its text and the drawing objects it places.
//
// File layout (archive form): caption, WORD floating flag, WORD rows, WORD columns, WORD button
// width, WORD button height, two int32 for the window's left and top, WORD button count (30),
// then per button a DWORD of style flags without the hot bit, the text and the object list as
// one "CObList" object. Reading ignores the floating flag, the position and the count.

#include <array>
#include <vector>

#include "library/HotTrackedButtonState.h"
#include "platform/CString.h"
#include "platform/GdiTypes.h"
#include "platform/ObList.h"
#include "platform/Types.h"

class CArchive;

constexpr int kPaletteButtonCount = 30;
// The arrangement a file may hold; anything else is a damaged file.
constexpr int kPaletteMinCells = 1;
constexpr int kPaletteMaxCells = 30;
constexpr int kPaletteMinButtonSize = 10;
constexpr int kPaletteMaxButtonSize = 150;

// How a palette file save ended: the file could not be opened, or failed while being written.
enum class PaletteSave { kSaved, kNotOpened, kNotWritten };

// One button: its state and the drawing objects it owns.
struct PaletteButtonData {
    PaletteButtonData() = default;
    ~PaletteButtonData() { DeleteObjects(); }
    PaletteButtonData(const PaletteButtonData&) = delete;
    PaletteButtonData& operator=(const PaletteButtonData&) = delete;

    void DeleteObjects();
    // Exchanges state and objects with other.
    void Swap(PaletteButtonData& other);
    // Takes the drawing objects of clipboard data of the schematic format (an object list,
    // ObjectListData.h) in place of its own, keeping them without a document as a palette file
    // does. FALSE, changing nothing, when the data hold no object. Damaged data throw
    // CArchiveException after every object read has been deleted; the button is then as it was.
    BOOL PasteObjects(const std::vector<BYTE>& data);

    HotTrackedButtonState state{kHotTrackEdge, CString()};
    CObList objects;
};

class CPaletteFile {
public:
    CPaletteFile() = default;
    CPaletteFile(const CPaletteFile&) = delete;
    CPaletteFile& operator=(const CPaletteFile&) = delete;

    // Loading throws CArchiveException for a damaged file; what was read is then deleted and
    // every button is empty. Each button owns its objects: an object stored for two buttons,
    // or linked from a button other than its own, is damage.
    void Serialize(CArchive& ar);
    // Reads the file, sharing it only with readers, into a fresh palette that then takes the
    // place of this one. FALSE, with this palette as it was, when the file cannot be opened
    // or read.
    BOOL Load(const char* path);
    // Writes the file through a temporary file renamed over it. The old file stays untouched
    // when the path is a folder, or its folder is missing or read-only (kNotOpened), or when the
    // writing fails (kNotWritten).
    PaletteSave Save(const char* path) const;
    // The file's bytes.
    std::vector<BYTE> Store() const;

    void Swap(CPaletteFile& other);
    // Every button empty, with the default state.
    void Clear();

    CString caption;
    BOOL floating = FALSE;
    int rows = 6;
    int columns = 5;
    int buttonWidth = 30;
    int buttonHeight = 30;
    POINT position{0, 0};
    std::array<PaletteButtonData, kPaletteButtonCount> buttons;

private:
    void Store(CArchive& ar) const;
    void LoadFrom(CArchive& ar);
    void LoadHead(CArchive& ar);
};

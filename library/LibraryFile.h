#pragma once
// CLibraryFile: one open library file (".rlb"), on disk or held in memory as a whole image.
// A library holds named items: symbols, circuits and devices, each an archived list of drawing
// objects. It is opened for reading under a shared lock that keeps writers out, or for
// changes under a lock of its own. New records go at the end. A library on disk is never
// changed in place: creating, adding, removing, renaming and re-describing write the changed
// library beside the file and rename it over, so a failure, or the program's end at any
// point, leaves the library as it was.

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "library/LibraryItem.h"
#include "model/device/Device.h"
#include "platform/CString.h"
#include "platform/File.h"
#include "platform/ObList.h"
#include "platform/Types.h"

class CDrawDoc;
class CLibraryItemData;

// What FindItem answers when no record has the name or the library cannot be read.
constexpr int kItemNotFound = -1;

// Flags and results of CLibraryFile::UpdateItem.
constexpr UINT kUpdateName = 0x1;
constexpr UINT kUpdateDescription = 0x2;
constexpr UINT kUpdateNoPrompt = 0x4;  // another record has the new name: answer 4, ask nothing
constexpr UINT kUpdateType = 0x8;

// How CLibraryFile::ReadItemObjectsOrReport ended.
enum class ItemObjectsRead { kRead, kTruncated, kDamaged };

// Results of CLibraryFile::Create besides the causes of CFileException.
constexpr int kCreateDone = 0;
constexpr int kCreateExists = 257;

// The description of a new library.
constexpr const char* kDefaultLibraryDescription = "Vosk Schematic Library File";

// What the user is told when the records of library behind the first `readable` cannot be read.
CString DamagedLibraryText(const CString& library, int readable);

class CLibraryFile {
public:
    CLibraryFile();
    virtual ~CLibraryFile();
    CLibraryFile(const CLibraryFile&) = delete;
    CLibraryFile& operator=(const CLibraryFile&) = delete;

    // Opens a library file and reads its header. Flags 0 read it under a shared lock; other
    // flags are CDiskFile open flags, and a writable open takes the lock alone. FALSE when the
    // file cannot be opened or locked, or its header is bad.
    BOOL Open(const char* path, UINT flags = 0);
    // Creates an empty library with the default description, left open for changes.
    // kCreateDone, kCreateExists (the file is not touched), or the cause of the failure
    // (CFileException::Cause, never 0); no file is left when it could not be completed.
    int Create(const char* path);
    // An empty library image in memory with this description.
    void CreateImage(const CString& description);
    // Takes a library image in memory and reads its header; FALSE when it is bad.
    BOOL OpenImage(std::vector<BYTE> bytes);
    // The bytes of a library image in memory; the library is closed afterwards.
    std::vector<BYTE> DetachImage();
    void Close();
    BOOL IsOpen() const { return m_file != nullptr; }

    // Reads and checks the file header and the description; the file is left at the first
    // record. FALSE for a wrong magic or sum, a header length below 17 or beyond the end of
    // the file, or a count more records than the file can hold.
    BOOL ReadHeader();
    BOOL WriteHeader();
    // Reads the record header at the current position into item, whose position becomes
    // that offset (also on failure). FALSE for a short read, a wrong magic or sum, or lengths
    // that do not fit the record or the file. With skipData the file moves to the next record,
    // and a record that runs past the end of the file fails; without, it is left at the data.
    BOOL ReadItemHeader(CLibraryItem& item, BOOL skipData);
    // Reads the header of record index (from 0) with the file left at its data.
    BOOL SeekToItem(int index, CLibraryItem& item);
    // Reads the record headers in order, up to the header's count, handing each with its index
    // to visit, which may move the file: the walk goes on behind the record. Answers the number
    // of records read, fewer than the count when the library is damaged behind them.
    using ItemVisitor = std::function<void(int index, const CLibraryItem& item)>;
    int VisitItemHeaders(const ItemVisitor& visit);
    // VisitItemHeaders for readers that list the records: a damaged library is told
    // (DamagedLibraryText), and the records before the damage are still visited.
    int VisitItemHeadersOrReport(const ItemVisitor& visit);
    // Whether every record header can be read, as changes that move a record to the end need:
    // behind damaged records it could never be read again. A damaged library is told
    // (DamagedLibraryText).
    BOOL AllItemsReadableOrReport();
    // Copies up to count bytes from the current position to target; returns the bytes copied.
    UINT CopyItemData(UINT count, CFile& target);
    // The index of the first record named name (exact bytes), the file left at its data and
    // item filled. kItemNotFound otherwise; item's position then holds where the walk ended.
    int FindItem(CLibraryItem& item, const CString& name);

    // Write a record at the current position with the whole source, or with length bytes from
    // the source's current position, as data; item's position and data length are set. FALSE,
    // with nothing written, when the source has fewer bytes. Throws CFileException.
    BOOL WriteRecord(CLibraryItem& item, CFile& source);
    BOOL WriteRecord(CLibraryItem& item, CFile& source, UINT length);

    // Append a record with the whole source, or length bytes from the source's current
    // position, as its data. FALSE when the name exists, the library cannot be read, its
    // records do not end at the end of the file, the source has fewer bytes, or the library is
    // not open for changes; the library is then as it was.
    BOOL AddItem(CLibraryItem& item, CFile& source);
    BOOL AddItem(CLibraryItem& item, CFile& source, UINT length);
    // The records behind the removed one move down.
    BOOL RemoveItem(int index);
    // Removes record index and appends item with length bytes of source as its data, in one
    // change of the library. FALSE, with nothing changed, when the records do not reach the end
    // of the file (a record appended behind damaged ones could not be read again).
    BOOL ReplaceItem(int index, CLibraryItem& item, CFile& source, UINT length);
    // FALSE for an empty text, which would make the library unreadable.
    BOOL SetDescription(const CString& text);
    // Makes this library (on disk, open for changes) a copy of the image in memory, in one
    // change:
    // many adds made to an image of the library cost one write of it. FALSE, with nothing
    // changed, when the image's header is bad or the library cannot be replaced.
    BOOL ReplaceContents(CLibraryFile& image);
    // An image in memory of this library, whose changes ReplaceContents can take back.
    BOOL CopyToImage(CLibraryFile& image);
    // Renames (kUpdateName), re-describes (kUpdateDescription) or re-types (kUpdateType)
    // record index, keeping its data bytes; the record moves to
    // the end. When another record has the new name the user is asked whether to replace it
    // (kUpdateNoPrompt answers 4 instead). 1 when done or nothing changed, 0 when refused, as
    // it is when the records do not reach the end of the file.
    int UpdateItem(int index, const CLibraryItem& entry, UINT flags);

    // Stores an object list (or the one object) as a new device record.
    BOOL AddObjects(CObList* objects, CObject* object, const char* name, const char* description);
    // Stores the objects as a new record described by item, written like clipboard data: the
    // count, then each object. Without keepConnections their links to objects outside the
    // list are cut while writing. The record is appended, or takes the place of record
    // replacing (ReplaceItem).
    BOOL AddObjectList(const CObList& objects, CLibraryItem& item, BOOL keepConnections,
                       int replacing = kItemNotFound);
    // Loads the data of the record just read (the file at its data) into objects, which then
    // belong to the caller. FALSE for a truncated record. Damaged data end the load with an
    // exception (CArchiveException mostly) after every object read has been deleted.
    BOOL ReadItemObjects(CDrawDoc* document, const CLibraryItem& entry, CObList& objects);
    // ReadItemObjects for readers that go on past a damaged record: damaged data are told as
    // ReadItemOrReport tells them and answer kDamaged; a truncated record answers kTruncated
    // and is left for the caller to tell.
    ItemObjectsRead ReadItemObjectsOrReport(CDrawDoc* document, const CLibraryItem& entry,
                                            CObList& objects);
    // Loads record index into item, telling the user what failed. A device record yields
    // the device's symbols, arranged on a grid, in place of the device. Damaged data pass as
    // an exception, item then holding the record's name and description and no objects.
    BOOL ReadItem(CDrawDoc* document, int index, CLibraryItemData& item);
    // ReadItem for readers that go on past a damaged record: the user is told which item of
    // which library could not be loaded, and why, and the answer is FALSE.
    BOOL ReadItemOrReport(CDrawDoc* document, int index, CLibraryItemData& item);

    // Fills entries from the device's pin map and loads each one's symbol from the libraries
    // searched for the device (this one, its "_Path", the user's and the standard folder); a
    // symbol found nowhere gets a placeholder. FALSE when the device names no symbols (the
    // user is told) or a placeholder was made.
    BOOL LoadDeviceSymbols(CDrawDoc* document, CDeviceSymbolList& entries, CDevice* device);
    // Loads the symbols of the entries not yet loaded from this library: a symbol record of
    // that name whose symbol fits the device. Answers whether an entry is still not loaded,
    // so that a symbol of the name that does not fit, or whose record is damaged (the user is
    // told), leaves the search going.
    BOOL LoadSymbolsFromLibrary(CDrawDoc* document, CDeviceSymbolList& entries, CDevice* device);
    // A placeholder for the entry's symbol: a box with a pin for every pin of its map line
    // and the text "Symbol not found". FALSE when the device's map does not parse.
    static BOOL MakeMissingSymbol(CDrawDoc* document, CDevice* device, CDeviceSymbol& entry);

    const CString& GetDescription() const { return m_description; }
    int GetItemCount() const { return m_itemCount; }
    // The path of a library on disk; for an image in memory, the path of the library it was
    // copied from (its description).
    CString GetSourcePath() const;
    CString GetFilePath() const;
    CFile* GetFile() const { return m_file.get(); }
    // "The item <name> already exists in library <file name>...": the question asked before
    // a record of that name is replaced.
    CString ReplaceQuestion(const CString& name) const;

private:
    struct Span {
        std::uint64_t begin;
        std::uint64_t end;
    };
    struct NewRecord {
        CLibraryItem* item;
        CFile* source;
        std::uint64_t dataOffset;  // in source
        UINT length;
    };

    void Attach(std::unique_ptr<CFile> file, bool writable);
    // From the first record, walks index records with skip and reads record index without;
    // FALSE when index is not below the header's count or a read fails.
    BOOL WalkTo(int index, CLibraryItem& item);
    // Reads the record at position, where the file is, in a file of fileLength bytes: its
    // header and, with texts, its name and description, leaving the file after them. Answers
    // where the next record begins; none for a bad header or texts beyond the file.
    std::optional<std::uint64_t> ReadRecordAt(std::uint64_t position, std::uint64_t fileLength,
                                              CLibraryItem& item, bool texts);
    // Whether every record can be read and the last one ends at the end of the file, where a
    // new record goes.
    bool RecordsReachFileEnd();
    // FindItem; endsAtFileEnd tells whether the records were readable up to the end.
    int Find(const CString& name, CLibraryItem& item, bool& endsAtFileEnd);
    static BOOL WriteRecordTo(CFile& target, CLibraryItem& item, CFile& source, UINT length);
    static void WriteHeaderTo(CFile& target, const CString& description, int count);
    // Copies the bytes from begin to end of this library to target's current position.
    void CopyRange(std::uint64_t begin, std::uint64_t end, CFile& target);
    // Writes this library again without the removed spans (sorted, disjoint), with the given
    // description and count, and the new record (if any) at the end; then the rewrite takes
    // the library's place. FALSE, with nothing changed, when the new record's source has too
    // few bytes.
    BOOL Rewrite(const CString& description, int count, const std::vector<Span>& removed,
                 const NewRecord* added);
    Span RecordSpan(const CLibraryItem& item) const;
    // Tells the user that the objects of record name could not be loaded, and why.
    void ReportUnreadableItem(const CString& name, const std::exception& cause) const;
    // Puts the device's symbols, arranged, into the item in the device's place.
    void ExpandDevice(CDrawDoc* document, CDevice* device, CLibraryItemData& item);

    CString m_description;
    std::unique_ptr<CFile> m_file;
    int m_itemCount = 0;
    bool m_writable = false;
};

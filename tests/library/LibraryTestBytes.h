#pragma once
// Library files written byte by byte as the format lays them out, for tests that build or
// check them without the code under test.

#include <string>
#include <vector>

#include "library/LibraryItem.h"
#include "platform/Archive.h"
#include "platform/MemFile.h"
#include "support/TestSupport.h"

namespace librarytest {

using Bytes = std::vector<unsigned char>;

inline void Append32(Bytes& bytes, unsigned value) {
    for (int i = 0; i < 4; ++i)
        bytes.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

inline unsigned char Sum(const Bytes& bytes) {
    unsigned sum = 0;
    for (unsigned char byte : bytes)
        sum += byte;
    return static_cast<unsigned char>(sum);
}

inline void AppendText(Bytes& bytes, const std::string& text) {
    bytes.insert(bytes.end(), text.begin(), text.end());
}

// The 16-byte header with its sum, then the description.
inline Bytes FileHeader(const std::string& description, unsigned count) {
    Bytes bytes;
    Append32(bytes, 16 + static_cast<unsigned>(description.size()));
    Append32(bytes, 0x78563474);
    Append32(bytes, count);
    Append32(bytes, 0);
    AppendText(bytes, description);
    bytes[12] = Sum(bytes);
    return bytes;
}

// One record: header with both sums, name, description, data.
inline Bytes Record(const std::string& name, const std::string& description, unsigned type,
                    const Bytes& data) {
    Bytes bytes;
    Append32(bytes, static_cast<unsigned>(20 + name.size() + description.size() + data.size()));
    Append32(bytes, 0x78563474);
    bytes.push_back(0);
    bytes.push_back(0);
    bytes.push_back(static_cast<unsigned char>(type));
    bytes.push_back(0);
    Append32(bytes, static_cast<unsigned>(name.size()));
    Append32(bytes, static_cast<unsigned>(description.size()));
    bytes[8] = Sum(bytes);
    bytes[9] = Sum(data);
    AppendText(bytes, name);
    AppendText(bytes, description);
    bytes.insert(bytes.end(), data.begin(), data.end());
    return bytes;
}

// A record header holding the lengths as given, with a right magic and sum, then the name:
// lengths that no record can have.
inline Bytes RecordHeader(unsigned recordLength, unsigned nameLength, const std::string& name) {
    Bytes bytes;
    Append32(bytes, recordLength);
    Append32(bytes, 0x78563474);
    bytes.insert(bytes.end(), {0, 0, 0, 0});
    Append32(bytes, nameLength);
    Append32(bytes, 0);
    bytes[8] = Sum(bytes);
    AppendText(bytes, name);
    return bytes;
}

struct DamagedHeader {
    const char* what;
    Bytes bytes;
};

// Record headers that end every walk over the records.
inline std::vector<DamagedHeader> DamagedRecordHeaders() {
    return {{"record length 0xFFFFFFF0", RecordHeader(0xFFFFFFF0, 1, "X")},
            {"name length 0x7FFFFFF0", RecordHeader(40, 0x7FFFFFF0, "X")},
            {"record length 0", RecordHeader(0, 1, "X")}};
}

// Whether text tells that library is damaged after its first `readable` items.
inline bool TellsDamagedAfter(const CString& text, const std::string& library, int readable) {
    const std::string after = "damaged after " + std::to_string(readable) + " item";
    return text.str().find(library) != std::string::npos &&
           text.str().find(after) != std::string::npos;
}

inline Bytes Join(std::initializer_list<Bytes> parts) {
    Bytes bytes;
    for (const Bytes& part : parts)
        bytes.insert(bytes.end(), part.begin(), part.end());
    return bytes;
}

// The archived list of the objects, as a record's data; the objects are deleted.
inline Bytes Archived(std::initializer_list<CObject*> objects) {
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    ar.WriteCount(static_cast<DWORD>(objects.size()));
    for (CObject* object : objects)
        ar.WriteObject(object);
    ar.Close();
    for (CObject* object : objects)
        delete object;
    return file.GetBytes();
}

// Record data that no load accepts, and the item type each is stored under.
struct DamagedData {
    const char* what;
    int type;
    Bytes data;
};

inline std::vector<DamagedData> DamagedRecordData() {
    Bytes unknownClass = {1, 0, 0xFF, 0xFF, 1, 0};  // one object of a new class, schema 1
    const std::string name = "CNoSuchClass";
    unknownClass.push_back(static_cast<unsigned char>(name.size()));
    unknownClass.push_back(0);
    AppendText(unknownClass, name);
    Bytes modelText;
    AppendText(modelText, ".MODEL D1N4148 D(IS=2.52n RS=.568 N=1.752)\r\n");
    return {
        {"no data", kItemSymbol, {}},
        {"garbage", kItemSymbol, {1, 0, 0x42, 0x42, 0x13, 0x37, 0x00, 0x99}},
        {"unknown class", kItemCircuit, unknownClass},
        {"model holding a text", kItemModel, modelText},
    };
}

// Whether text is what the user is told when item name of library cannot be loaded.
inline bool TellsUnreadable(const CString& text, const std::string& name,
                            const std::string& library) {
    const std::string start =
        "Error - could not read item " + name + "\nin library " + library + ".";
    return text.str().compare(0, start.size(), start) == 0;
}

}  // namespace librarytest

#pragma once

// The import of Protel files: a binary schematic or a DOS schematic becomes the content of a
// schematic document, a binary library becomes devices and symbols of a library file. One
// importer reads one file and is thrown away; every read returns true on success and, on
// failure, leaves the document as the caller made it.

#include <array>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "interchange/protel/ByteSource.h"
#include "platform/CString.h"
#include "platform/GdiTypes.h"
#include "platform/Geometry.h"
#include "platform/ObList.h"

class CAttrText;
class CDevice;
class CDrawDoc;
class CDrawObj;
class CLibraryFile;
class CNet;
class CSymbol;
class CTextBox;
class CWire;
struct ProtelComponent;

bool ImportProtelBinarySchematic(std::ostream& log, ByteSource& file, CDrawDoc& document);
bool ImportProtelDosSchematic(std::ostream& log, ByteSource& file, CDrawDoc& document);
bool ImportProtelLibrary(std::ostream& log, ByteSource& file, CLibraryFile& library);

// A list of drawing objects that deletes what it still holds.
class OwnedObjects {
public:
    OwnedObjects() = default;
    OwnedObjects(const OwnedObjects&) = delete;
    OwnedObjects& operator=(const OwnedObjects&) = delete;
    ~OwnedObjects();
    CObList& List() { return m_list; }
    const CObList& List() const { return m_list; }

private:
    CObList m_list{10};
};

// The texts of a binary schematic's sheet header.
struct ProtelSheetHeader {
    std::string organization;
    std::array<std::string, 4> address;
    std::string title;
    std::string documentNumber;
    std::string revision;
    std::string templateName;
    int sheetNumber = 0;
    int sheetTotal = 0;
};

class ProtelImporter {
public:
    ProtelImporter(std::ostream& log, ByteSource& file);
    ~ProtelImporter();

    bool ReadBinarySchematic(CDrawDoc& document);
    bool ReadDosSchematic(CDrawDoc& document);
    bool ReadBinaryLibrary(CLibraryFile& library);

    // The binary records up to their end mark, appended to target.
    bool ReadRecords(CObList& target);
    bool ReadComponentDef(bool library);

    int SheetWidth() const { return m_sheetWidth; }
    int SheetHeight() const { return m_sheetHeight; }
    int OriginY() const { return m_originY; }

private:
    friend class ProtelRecordReader;
    friend class ProtelDosReader;

    bool ReadRecordList(CObList& target);
    bool ReadParts(ProtelComponent& component);
    // Reads a header text and writes it to the log, readably, on a line of its own.
    void LogHeaderText();
    bool ReadFontTable();
    bool ReadSheetHeader();
    void FinishSchematic();
    void HandOver(CDrawDoc& doc);
    void ApplyNetLabels();
    void AttachNetLabel(CAttrText& label, CWire& wire);
    void ApplyNetConnectors();
    bool NameNet(CWire& wire, const CString& name);
    // "Unknown record type %lx at file position %lx.\n"
    void LogUnknownRecord(unsigned type, size_t position);

    CPoint Binary(int x, int y) const { return {m_originX + 10 * x, m_originY + 10 * y}; }
    CPoint Dos(int x, int y) const { return {m_originX + 10 * x, m_originY - 10 * y}; }
    const LOGFONT* Font(int number) const;
    CDevice* ComponentDevice(ProtelComponent& component);

    std::ostream& m_log;
    ByteSource& m_file;
    CDrawDoc* m_document = nullptr;
    int m_originX = 0;
    int m_originY = 0;
    std::vector<LOGFONT> m_fonts;
    std::vector<std::unique_ptr<ProtelComponent>> m_components;
    CRect m_sheetSymbolRect{0, 0, 0, 0};
    bool m_template = false;
    int m_nesting = 0;
    bool m_inDefinition = false;  // reading the parts of a component definition
    CSymbol* m_currentSymbol = nullptr;
    int m_fieldCounter = 0;
    // One device per component definition used, each holding one reference of the importer.
    std::map<std::string, CDevice*> m_devices;
    std::map<std::string, CNet*> m_nets;
    OwnedObjects m_objects;
    ProtelSheetHeader m_header;
    int m_sheetWidth = 1000;
    int m_sheetHeight = 800;
    bool m_sheetRead = false;
};

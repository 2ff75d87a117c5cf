// The library import: component definitions become devices and symbols of a library file,
// equal drawings share one symbol, different drawings never do, and the items load again.

#include <gtest/gtest.h>

#include <sstream>

#include "interchange/protel/ByteSource.h"
#include "interchange/protel/ProtelFileBuilder.h"
#include "interchange/protel/ProtelImporter.h"
#include "interchange/protel/ProtelLibraryWriter.h"
#include "library/LibraryFile.h"
#include "library/LibraryItemData.h"
#include "model/device/Device.h"
#include "model/doc/DrawDoc.h"
#include "model/geometry/PlacementMatrix.h"
#include "model/shapes/DrawRect.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "support/TestSupport.h"

namespace {

// A gate of two inputs A, B and an output Y; `wide` draws its body wider.
void Gate(ProtelFileBuilder& file, bool wide) {
    file.PartStart()
        .Pin(0, 0, 2, "A", "1")
        .Pin(0, -20, 2, "B", "2")
        .Pin(wide ? 60 : 40, -10, 0, "Y", "3");
    file.Rectangle(0, 10, wide ? 60 : 40, -30).End().End().End();
}

ProtelFileBuilder Library() {
    ProtelFileBuilder file;
    file.LibraryStart({{"7400"}, {"7408", "74LS08"}, {"7432"}});
    file.ComponentHead({"7400"}, "QUAD NAND", "DIP14", "U?", 1);
    Gate(file, false);
    file.LibraryTail("7400");
    file.ComponentHead({"7408", "74LS08"}, "QUAD AND", "DIP14", "U?", 1);
    Gate(file, false);
    file.LibraryTail("7408");
    file.ComponentHead({"7432"}, "QUAD OR", "DIP14", "U?", 1);
    Gate(file, true);
    return file.LibraryTail("7432");
}

TEST(ProtelLibraryTest, EqualDrawingsShareASymbolAndTheItemsLoad) {
    testsupport::TempDir dir;
    const std::string path = (dir / "gates.rlb").string();
    {
        CLibraryFile library;
        ASSERT_EQ(library.Create(path.c_str()), kCreateDone);
        ByteSource source(Library().Bytes());
        std::ostringstream log;
        ASSERT_TRUE(ImportProtelLibrary(log, source, library)) << log.str();
        EXPECT_EQ(log.str().find("Warning"), std::string::npos) << log.str();
    }
    CLibraryFile library;
    ASSERT_TRUE(library.Open(path.c_str()));
    // symb0001 (7400 and 7408), symb0002 (7432), then the devices 7400, 7408, 74LS08, 7432.
    ASSERT_EQ(library.GetItemCount(), 6);
    CDrawDoc doc;
    std::vector<std::string> names;
    for (int i = 0; i < library.GetItemCount(); ++i) {
        CLibraryItemData item;
        ASSERT_TRUE(library.ReadItem(&doc, i, item)) << i;
        EXPECT_FALSE(item.m_objects.IsEmpty()) << i;
        names.push_back(std::string(item.m_name));
        if (item.m_name == "7400") {
            EXPECT_EQ(item.m_description, "Quad nand");
        }
    }
    EXPECT_EQ(names,
              (std::vector<std::string>{"symb0001", "7400", "7408", "74LS08", "symb0002", "7432"}));
}

TEST(ProtelLibraryTest, DevicesMapTheirPinsOnTheSharedSymbol) {
    testsupport::TempDir dir;
    const std::string path = (dir / "gates.rlb").string();
    CLibraryFile library;
    ASSERT_EQ(library.Create(path.c_str()), kCreateDone);
    ByteSource source(Library().Bytes());
    std::ostringstream log;
    ASSERT_TRUE(ImportProtelLibrary(log, source, library));
    CLibraryItem item;
    ASSERT_NE(library.FindItem(item, "7408"), kItemNotFound);
    CDrawDoc doc;
    CObList objects;
    ASSERT_TRUE(library.ReadItemObjects(&doc, item, objects));
    ASSERT_EQ(objects.GetCount(), 1);
    auto* device = dynamic_cast<CDevice*>(static_cast<CObject*>(objects.GetHead()));
    ASSERT_NE(device, nullptr);
    // The device keeps its map without the closing line end.
    EXPECT_EQ(std::string(device->GetAttr("_Map")),
              "symb0001\x01"
              "a\x01"
              "A\x01"
              "1\x01"
              "B\x01"
              "2\x01"
              "Y\x01"
              "3");
    EXPECT_EQ(device->GetAttr("_Pref"), "U");
    delete device;
}

TEST(ProtelLibraryTest, LibrarySymbolMovesNearTheCornerOnTheGrid) {
    ProtelComponent component;
    component.description = "x";
    CObList drawing;
    auto* body = new CDrawRect(CRect(-150, -1230, 100, 0));
    body->SetShape(kObjRect);
    drawing.AddTail(body);
    CSymbol* symbol = ProtelLibraryWriter::MakeSymbol("symb0001", drawing, component);
    EXPECT_EQ(symbol->GetMatrix()[kMatTx], 5100);
    EXPECT_EQ(symbol->GetMatrix()[kMatTy], -3700);
    delete symbol;
}

TEST(ProtelLibraryTest, TruncatedOrEmptyLibraryFails) {
    testsupport::TempDir dir;
    CLibraryFile library;
    ASSERT_EQ(library.Create((dir / "x.rlb").string().c_str()), kCreateDone);
    std::vector<unsigned char> bytes = Library().Bytes();
    bytes.resize(bytes.size() - 3);
    ByteSource cut(bytes);
    std::ostringstream log;
    EXPECT_FALSE(ImportProtelLibrary(log, cut, library));
    ByteSource empty({});
    EXPECT_FALSE(ImportProtelLibrary(log, empty, library));
}

}  // namespace

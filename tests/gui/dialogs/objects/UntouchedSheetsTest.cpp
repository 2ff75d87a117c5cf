// OK on a property sheet whose fields nobody edited adds no undo step and leaves the archived
// document as it was; one edited field makes exactly one step. Each sheet runs through the
// command its menu item calls, with its own window answered by a script.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <cstring>
#include <functional>

#include "gui/dialogs/device/DlgDevGeneral.h"
#include "gui/dialogs/objects/DlgOutlineFill.h"
#include "gui/dialogs/objects/DlgPinProp.h"
#include "gui/dialogs/objects/DlgTextFont.h"
#include "gui/dialogs/objects/DlgTextGeneral.h"
#include "gui/dialogs/objects/ObjectPropertiesSheet.h"
#include "gui/dialogs/objects/OutlineFillControls.h"
#include "gui/dialogs/objects/PinSheetDlg.h"
#include "gui/dialogs/objects/SymbolPropertiesSheet.h"
#include "gui/dialogs/objects/TextPropertiesSheet.h"
#include "gui/dialogs/objects/WireSheetDlg.h"
#include "gui/kit/PropertySheet.h"
#include "gui/support/QtTestApp.h"
#include "library/LibraryItemData.h"
#include "model/device/Device.h"
#include "model/doc/DrawDoc.h"
#include "model/geometry/PlaneGeometry.h"
#include "model/net/Bus.h"
#include "model/net/Net.h"
#include "model/net/WireSheet.h"
#include "model/shapes/DrawRect.h"
#include "model/support/RecordingDocView.h"
#include "model/symbol/Pin.h"
#include "model/symbol/PinSheet.h"
#include "model/symbol/Symbol.h"
#include "model/symbol/SymbolSheet.h"
#include "model/text/AttrText.h"
#include "model/text/TextBox.h"
#include "support/DocumentBytes.h"
#include "support/ScriptedPrompt.h"
#include "support/StandardItems.h"

namespace {

using SheetScript = std::function<void(CPropertySheet&)>;

class UntouchedSheetsTest : public ::testing::Test {
protected:
    UntouchedSheetsTest() {
        QtTestApp::ensure();
        doc.AddView(&view);
    }
    ~UntouchedSheetsTest() override { doc.RemoveView(&view); }

    // Places the object in the document and the view's selection.
    template <class T>
    T* Select(T* object) {
        object->SetDocument(&doc);
        doc.GetObjects().AddTail(object);
        view.selection.AddTail(object);
        return object;
    }

    // Runs command twice: first the sheet is accepted untouched, every page shown and every
    // list on it tabbed into, which must add no step and leave the bytes; then edit acts on it
    // before OK, which must add exactly one step that undoes and redoes to the exact bytes.
    void ExpectOneStepOnlyWhenEdited(const std::function<void()>& command,
                                     const SheetScript& edit) {
        const std::vector<BYTE> before = testsupport::DocumentBytes(doc);
        Accept([](CPropertySheet& sheet) {
            for (int i = sheet.PageCount() - 1; i >= 0; --i) {
                ASSERT_TRUE(sheet.SetCurrentPage(i));
                for (QListWidget* list : sheet.CurrentPage()->findChildren<QListWidget*>()) {
                    QFocusEvent focus(QEvent::FocusIn, Qt::TabFocusReason);
                    QApplication::sendEvent(list, &focus);
                }
            }
        });
        command();
        EXPECT_FALSE(doc.GetUndoList().CanUndo()) << "untouched OK added a step";
        EXPECT_EQ(testsupport::DocumentBytes(doc), before);

        view.selection.RemoveAll();
        view.selection.AddTail(&doc.GetObjects());
        Accept(edit);
        command();
        EXPECT_EQ(doc.GetUndoList().GetCount(), 1);
        const std::vector<BYTE> edited = testsupport::DocumentBytes(doc);
        EXPECT_NE(edited, before);
        ASSERT_TRUE(doc.GetUndoList().Undo());
        EXPECT_EQ(testsupport::DocumentBytes(doc), before);
        ASSERT_TRUE(doc.GetUndoList().Redo());
        EXPECT_EQ(testsupport::DocumentBytes(doc), edited);
    }

    static void Accept(const SheetScript& script) {
        QTimer::singleShot(0, [script] {
            auto* sheet = qobject_cast<CPropertySheet*>(QApplication::activeModalWidget());
            ASSERT_NE(sheet, nullptr);
            script(*sheet);
            sheet->accept();
        });
    }
    template <class Page>
    static Page& PageOf(CPropertySheet& sheet, int index) {
        EXPECT_TRUE(sheet.SetCurrentPage(index));
        auto* page = qobject_cast<Page*>(sheet.CurrentPage());
        EXPECT_NE(page, nullptr);
        return *page;
    }

    // Shows the object's attribute as a text of the document.
    static void ShowText(CDrawObj& object, const char* name) {
        CAttrText* text = object.ShowAttrText(name, TRUE);
        ASSERT_NE(text, nullptr);
        text->SetDocument(object.GetDocument());
        object.GetDocument()->GetObjects().AddTail(text);
    }
    // A text of the selection, apart from the objects of the sheet under test.
    void SelectText(LONG y) {
        auto* text = new CTextBox(CRect(0, y, 2000, y - 300));
        text->SetText("Rev B", FALSE);
        Select(text);
    }

    // A wire or bus from (0, y) to (1000, y).
    template <class T>
    T* Wire(LONG y) {
        auto* wire = new T;
        wire->AddPoint(CPoint(0, y));
        wire->AddPoint(CPoint(1000, y));
        return Select(wire);
    }

    testsupport::RecordingAppServices services;
    CDrawDoc doc;
    drawdoctest::RecordingDocView view;
};

TEST_F(UntouchedSheetsTest, WireSheet) {
    CWireSheetRunner runner;
    ScopedInstall<IWireSheetRunner> installed(runner);
    auto* net = new CNet("A");
    net->AddRef();
    net->SetAttr("Freq", "10M", 0);
    Wire<CWire>(0)->SetNet(net);
    ExpectOneStepOnlyWhenEdited([this] { EditWireProperties(view, doc); },
                                [](CPropertySheet& sheet) {
                                    auto& page = PageOf<CDlgWireAttr>(sheet, 1);
                                    page.table()->item(0, 1)->setText("5M");
                                });
}

TEST_F(UntouchedSheetsTest, BusSheetOverSeveralBuses) {
    CWireSheetRunner runner;
    ScopedInstall<IWireSheetRunner> installed(runner);
    for (const LONG width : {30, 50}) {
        auto* bus = new CBus;
        bus->SetWidth(width);
        bus->AddPoint(CPoint(0, width * 10));
        bus->AddPoint(CPoint(1000, width * 10));
        Select(bus)->RecalcBounds(nullptr);
    }
    ExpectOneStepOnlyWhenEdited(
        [this] { EditBusProperties(view, doc); },
        [](CPropertySheet& sheet) { PageOf<CDlgBus>(sheet, 0).startArrow()->click(); });
}

// A bus as a file from elsewhere holds it, its rectangle not the one its outline gives here:
// an untouched OK leaves it, with the redo of an earlier edit; a new width lays it out anew.
TEST_F(UntouchedSheetsTest, BusSheetKeepsTheRectangleItWasStoredWith) {
    CWireSheetRunner runner;
    ScopedInstall<IWireSheetRunner> installed(runner);
    CBus* bus = Wire<CBus>(-1000);
    bus->RestorePosition(CRect(-20, -980, 1020, -1020));
    auto* text = new CTextBox(CRect(0, -2000, 2000, -2300));
    text->SetDocument(&doc);
    ASSERT_TRUE(doc.AddObject(std::unique_ptr<CDrawObj>(text)));
    ASSERT_TRUE(doc.GetUndoList().Undo());
    const std::vector<BYTE> before = testsupport::DocumentBytes(doc);
    Accept([](CPropertySheet&) {});
    EditBusProperties(view, doc);
    EXPECT_FALSE(doc.GetUndoList().CanUndo()) << "untouched OK added a step";
    EXPECT_TRUE(doc.GetUndoList().CanRedo());
    EXPECT_EQ(testsupport::DocumentBytes(doc), before);

    view.selection.RemoveAll();
    view.selection.AddTail(bus);
    Accept([](CPropertySheet& sheet) { PageOf<CDlgBus>(sheet, 0).width()->setText("0.2"); });
    EditBusProperties(view, doc);
    ASSERT_EQ(doc.GetUndoList().GetCount(), 1);
    auto* edited = static_cast<CBus*>(doc.GetObjects().GetHead());
    EXPECT_NE(edited->GetWidth(), kDefaultBusWidth);
    CRect outline;
    const std::vector<POINT> points = edited->BuildOutline();
    PointsBoundingRect(points.data(), static_cast<int>(points.size()), outline);
    EXPECT_EQ(edited->GetPosition(), outline);
}

TEST_F(UntouchedSheetsTest, PinSheet) {
    CPinSheetRunner runner;
    ScopedInstall<IPinSheetRunner> installed(runner);
    auto* pin = new CPin();
    pin->SetEnds(CPoint(0, 0), CPoint(300, 0));
    pin->SetAttr("_ID", "A", kSetAttrForce);
    pin->SetAttr("Class", "Clock", kSetAttrForce);  // in the bucket of "_ID"
    Select(pin)->RecalcBounds();
    ExpectOneStepOnlyWhenEdited(
        [this] { EditPinProperties(view, doc); },
        [](CPropertySheet& sheet) { PageOf<CDlgPinProp>(sheet, 0).nameEdit()->setText("CLK"); });
}

// Pins of different types and pin symbols, whose lists show no choice.
TEST_F(UntouchedSheetsTest, PinSheetOverSeveralPins) {
    CPinSheetRunner runner;
    ScopedInstall<IPinSheetRunner> installed(runner);
    for (const int type : {0, 1}) {
        auto* pin = new CPin();
        pin->SetEnds(CPoint(0, -300 * type), CPoint(300, -300 * type));
        pin->SetAttr("_ID", type ? "B" : "A", kSetAttrForce);
        pin->SetPinType(type);
        pin->SetFlags(type ? kPinBubble : kPinNormal, kPinSymbolMask);
        Select(pin)->RecalcBounds();
    }
    ExpectOneStepOnlyWhenEdited(
        [this] { EditPinProperties(view, doc); },
        [](CPropertySheet& sheet) {
            PageOf<CDlgPinProp>(sheet, 0).checkBox(0)->setCheckState(Qt::Checked);
        });
}

// A loose pin that shows its name, selected together with a text and a rectangle. Its
// attribute "Class" shares the map's bucket with "_ID", so a copy that adds the attributes one
// by one stores them in the other order.
TEST_F(UntouchedSheetsTest, PinSheetOverAMixedSelection) {
    CPinSheetRunner runner;
    ScopedInstall<IPinSheetRunner> installed(runner);
    auto* pin = new CPin();
    pin->SetEnds(CPoint(4700, -3800), CPoint(4900, -3800));
    pin->SetAttr("_ID", "CLK", kSetAttrForce);
    pin->SetAttr("Class", "Clock", kSetAttrForce);
    Select(pin)->RecalcBounds();
    ShowText(*pin, "_ID");
    SelectText(-1000);
    Select(new CDrawRect(CRect(3800, -1700, 4600, -2300)));
    ExpectOneStepOnlyWhenEdited(
        [this] { EditPinProperties(view, doc); },
        [](CPropertySheet& sheet) { PageOf<CDlgPinProp>(sheet, 0).nameEdit()->setText("CK"); });
}

// A loose pin painting its name, renamed to a shorter one through the text that shows the
// name, selected together with a text.
TEST_F(UntouchedSheetsTest, PinSheetAfterItsNameWasEditedInPlace) {
    CPinSheetRunner runner;
    ScopedInstall<IPinSheetRunner> installed(runner);
    auto* pin = new CPin();
    pin->SetEnds(CPoint(4700, -3800), CPoint(4900, -3800));
    pin->SetAttr("_ID", "CLK", kSetAttrForce);
    Select(pin)->RecalcBounds();
    ShowText(*pin, "_ID");
    ASSERT_TRUE(static_cast<CAttrText*>(pin->GetAttrTextList()->GetHead())->SetText("ab", FALSE));
    SelectText(-1000);
    ExpectOneStepOnlyWhenEdited(
        [this] { EditPinProperties(view, doc); },
        [](CPropertySheet& sheet) { PageOf<CDlgPinProp>(sheet, 0).nameEdit()->setText("CK"); });
}

// The same pin as a file from another machine holds it, with a rectangle other fonts laid out,
// renamed through its text as one step: undo and redo give back the bytes, the stored
// rectangle with them.
TEST_F(UntouchedSheetsTest, APinRenamedInPlaceUndoesToItsStoredRectangle) {
    auto* pin = new CPin();
    pin->SetEnds(CPoint(4700, -3800), CPoint(4900, -3800));
    pin->SetAttr("_ID", "CLK", kSetAttrForce);
    Select(pin)->RestorePosition(CRect(4670, -3830, 4904, -3720));
    ShowText(*pin, "_ID");
    const std::vector<BYTE> before = testsupport::DocumentBytes(doc);
    ASSERT_TRUE(static_cast<CAttrText*>(pin->GetAttrTextList()->GetHead())->SetText("ab", TRUE));
    const std::vector<BYTE> renamed = testsupport::DocumentBytes(doc);
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(doc.GetUndoList().Undo());
        EXPECT_EQ(testsupport::DocumentBytes(doc), before) << round;
        ASSERT_TRUE(doc.GetUndoList().Redo());
        EXPECT_EQ(testsupport::DocumentBytes(doc), renamed) << round;
    }
}

TEST_F(UntouchedSheetsTest, SymbolSheet) {
    CSymbolSheetRunner runner;
    ScopedInstall<ISymbolSheetRunner> installed(runner);
    auto* symbol = new CSymbol();
    symbol->SetFlags(kSymbolGraphical, kSymbolKindMask);
    symbol->SetAttr("_Name", "LOGO", kSetAttrForce);
    symbol->SetAttr("Maker", "Vosk", kSetAttrForce);
    symbol->SetAttr("Mfr", "Vosk", kSetAttrForce);  // in the bucket of "_Name"
    Select(symbol)->RecalcBounds(nullptr);
    ExpectOneStepOnlyWhenEdited([this] { EditSymbolProperties(view, doc); },
                                [](CPropertySheet& sheet) {
                                    PageOf<CDlgDevGeneral>(sheet, 0).nameEdit()->setText("BADGE");
                                });
}

// Texts of older files are stored in the Windows Western code page ("\xB5" is the micro
// sign); an untouched page gives them back as they are stored. A symbol without a name keeps
// having none.
TEST_F(UntouchedSheetsTest, SymbolSheetOverOlderTextsAndNoName) {
    CSymbolSheetRunner runner;
    ScopedInstall<ISymbolSheetRunner> installed(runner);
    auto* symbol = new CSymbol();
    symbol->SetFlags(kSymbolGraphical, kSymbolKindMask);
    symbol->SetAttr("_Value",
                    "10\xB5"
                    "F",
                    kSetAttrForce);
    symbol->SetAttr("Note\xB5",
                    "\xB5"
                    "A",
                    kSetAttrForce);
    Select(symbol)->RecalcBounds(nullptr);
    ExpectOneStepOnlyWhenEdited([this] { EditSymbolProperties(view, doc); },
                                [](CPropertySheet& sheet) {
                                    PageOf<CDlgDevGeneral>(sheet, 0).nameEdit()->setText("LOGO");
                                    ASSERT_TRUE(sheet.SetCurrentPage(1));
                                });
}

// A part of a device showing its identifier and name, with its pins, selected together with a
// text, a loose pin and a wire; "Mfr" shares the map's bucket with "_Name".
TEST_F(UntouchedSheetsTest, SymbolSheetOverAMixedSelection) {
    CSymbolSheetRunner runner;
    ScopedInstall<ISymbolSheetRunner> installed(runner);
    auto* device = new CDevice("RES");
    device->SetMap(
        "RES\x01\x01"
        "1\x01"
        "1\x01"
        "2\x01"
        "2",
        kMapApply);
    device->AddRef();
    auto* symbol = new CSymbol();
    symbol->SetFlags(kSymbolDefaultFlags, ~DWORD{0});
    symbol->SetAttr("_Name", "RES", kSetAttrForce);
    symbol->SetAttr("_ID", "R1", kSetAttrForce);
    symbol->SetAttr("_Value", "10k", kSetAttrForce);
    symbol->SetAttr("Mfr", "Vosk", kSetAttrForce);
    symbol->GetGraphics().AddTail(new CDrawRect(CRect(-100, 100, 100, -100)));
    for (const char* id : {"1", "2"}) {
        auto* pin = new CPin(symbol);
        const LONG x = id[0] == '1' ? -1 : 1;
        pin->SetEnds(CPoint(100 * x, 0), CPoint(200 * x, 0));
        pin->SetAttr("_ID", id, kSetAttrForce);
        symbol->GetPins().AddTail(pin);
    }
    symbol->SetDevice(device);
    Select(symbol)->RecalcBounds(nullptr);
    ShowText(*symbol, "_ID");
    ShowText(*symbol, "_Name");
    SelectText(-1000);
    auto* pin = new CPin();
    pin->SetEnds(CPoint(0, -2000), CPoint(300, -2000));
    pin->SetAttr("_ID", "CLK", kSetAttrForce);
    Select(pin)->RecalcBounds();
    Wire<CWire>(-3000);
    ExpectOneStepOnlyWhenEdited(
        [this] { EditSymbolProperties(view, doc); },
        [](CPropertySheet& sheet) { PageOf<CDlgDevGeneral>(sheet, 0).idEdit()->setText("R2"); });
}

// Parts of two devices, one named off its device's map as an older file may hold it, keep
// their identifiers through an untouched OK and through one that changes what the identifier
// is not made from (the name shown).
TEST_F(UntouchedSheetsTest, SymbolSheetOverPartsOfTwoDevicesOneOffItsMap) {
    CSymbolSheetRunner runner;
    ScopedInstall<ISymbolSheetRunner> installed(runner);
    const auto part = [this](const char* device, const char* name, const char* id, LONG y) {
        auto* own = new CDevice(device);
        own->SetMap(
            "RES\x01\x01"
            "1\x01"
            "1",
            kMapApply);
        own->AddRef();
        auto* symbol = new CSymbol();
        symbol->SetFlags(kSymbolDefaultFlags, ~DWORD{0});
        symbol->SetAttr("_Name", name, kSetAttrForce);
        symbol->SetAttr("_ID", id, kSetAttrForce);
        auto* pin = new CPin(symbol);
        pin->SetEnds(CPoint(0, y), CPoint(100, y));
        pin->SetAttr("_ID", "1", kSetAttrForce);
        symbol->GetPins().AddTail(pin);
        symbol->SetDevice(own);
        Select(symbol)->RecalcBounds(nullptr);
        return symbol;
    };
    CSymbol* off = part("RES", "ab", "R2", 0);
    part("RES2", "RES", "R1", -1000);
    ExpectOneStepOnlyWhenEdited(
        [this] { EditSymbolProperties(view, doc); },
        [](CPropertySheet& sheet) {
            for (auto* box : PageOf<CDlgDevGeneral>(sheet, 0).findChildren<QCheckBox*>()) {
                if (box->text() == "Identi&fier")
                    box->click();
            }
        });
    EXPECT_EQ(off->GetAttr("_ID"), "R2");
}

// Two resistors of the standard library, the first given its value and reference through the
// sheet: an untouched OK on it afterwards changes nothing, and leaves Redo.
TEST_F(UntouchedSheetsTest, SymbolSheetOverALibraryPartEditedBefore) {
    CSymbolSheetRunner runner;
    ScopedInstall<ISymbolSheetRunner> installed(runner);
    CLibraryItemData item;
    ASSERT_TRUE(testsupport::ReadStandardItem(doc, "discrete.rlb", "RES", item));
    std::vector<CSymbol*> parts;
    for (const CSize at : {CSize(2000, -2000), CSize(4000, -2000)}) {
        CObList copies;
        copies.AddTail(&item.m_objects);
        ASSERT_TRUE(doc.AddObjectCopies(&copies));
        for (POSITION pos = copies.GetHeadPosition(); pos;)
            static_cast<CDrawObj*>(copies.GetNext(pos))->OffsetBy(at);
        parts.push_back(static_cast<CSymbol*>(copies.GetHead()));
    }
    const auto edit = [this, &parts](int part, const SheetScript& script) {
        view.selection.RemoveAll();
        view.selection.AddTail(parts[part]);
        Accept(script);
        EditSymbolProperties(view, doc);
        // The sheet's copies stand in the document, in the parts' places.
        parts.clear();
        for (POSITION pos = doc.GetObjects().GetHeadPosition(); pos;) {
            if (auto* symbol = dynamic_cast<CSymbol*>(doc.GetObjects().GetNext(pos)))
                parts.push_back(symbol);
        }
    };
    const auto reference = [](const char* id, const char* value) {
        return [id, value](CPropertySheet& sheet) {
            auto& page = PageOf<CDlgDevGeneral>(sheet, 0);
            page.idEdit()->setText(id);
            page.valueEdit()->setText(value);
        };
    };
    edit(0, reference("R7", "4k7"));
    ASSERT_EQ(parts[0]->GetAttr("_Value"), "4k7");
    ASSERT_EQ(parts[0]->GetAttr("_ID"), "R7");
    edit(1, reference("R8", "1k"));
    ASSERT_TRUE(doc.GetUndoList().Undo());
    const std::vector<BYTE> before = testsupport::DocumentBytes(doc);
    const int steps = doc.GetUndoList().GetCount();
    edit(0, [](CPropertySheet& sheet) {
        for (int i = sheet.PageCount() - 1; i >= 0; --i)
            ASSERT_TRUE(sheet.SetCurrentPage(i));
    });
    EXPECT_EQ(doc.GetUndoList().GetCount(), steps) << "untouched OK added a step";
    EXPECT_TRUE(doc.GetUndoList().CanRedo());
    EXPECT_EQ(testsupport::DocumentBytes(doc), before);
}

TEST_F(UntouchedSheetsTest, PinSheetOverOlderTexts) {
    CPinSheetRunner runner;
    ScopedInstall<IPinSheetRunner> installed(runner);
    auto* pin = new CPin();
    pin->SetEnds(CPoint(0, 0), CPoint(300, 0));
    pin->SetAttr("_ID",
                 "\xB5"
                 "A",
                 kSetAttrForce);
    pin->SetAttr("_Type",
                 "\xB5"
                 "T",
                 kSetAttrForce);
    pin->SetAttr("Note", "\xB5", kSetAttrForce);
    pin->SetPinType(kPinTypeUserDefined);
    Select(pin)->RecalcBounds();
    ExpectOneStepOnlyWhenEdited([this] { EditPinProperties(view, doc); },
                                [](CPropertySheet& sheet) {
                                    ASSERT_TRUE(sheet.SetCurrentPage(2));
                                    PageOf<CDlgPinProp>(sheet, 0).nameEdit()->setText("CLK");
                                });
}

TEST_F(UntouchedSheetsTest, TextSheet) {
    auto* text = new CTextBox(CRect(0, 0, 2000, -300));
    text->SetText("Supply", FALSE);
    Select(text);
    ExpectOneStepOnlyWhenEdited(
        [this] { EditTextProperties(doc, view.selection, nullptr); },
        [](CPropertySheet& sheet) {
            PageOf<CDlgTextGeneral>(sheet, 0).text()->setPlainText("Ground");
        });
}

// A face this system lacks, and two faces that differ: the margins' unit is switched on the
// General page, whose button keeps the focus as the Font page comes (the face list takes it
// before the page is filled); OK keeps every face.
TEST_F(UntouchedSheetsTest, TextSheetKeepsTheFacesWhateverTheFocus) {
    const char* faces[] = {"Vosk Lacking Face", "Vosk Other Face"};
    for (int i = 0; i < 2; ++i) {
        auto* text = new CTextBox(CRect(0, -1000 * i, 2000, -1000 * i - 300));
        text->SetText("Supply", FALSE);
        LOGFONT font = text->GetFont();
        std::strcpy(font.lfFaceName, faces[i]);
        text->SetFont(&font);
        Select(text);
    }
    for (const int selected : {1, 2}) {
        view.selection.RemoveAll();
        view.selection.AddTail(&doc.GetObjects());
        while (view.selection.GetCount() > selected)
            view.selection.RemoveTail();
        const std::vector<BYTE> before = testsupport::DocumentBytes(doc);
        std::string current = "unset";
        Accept([&current](CPropertySheet& sheet) {
            sheet.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&sheet));
            QAbstractButton* mm = PageOf<CDlgTextGeneral>(sheet, 0).units()->buttons().front();
            QTest::mouseClick(mm, Qt::LeftButton);
            ASSERT_EQ(QApplication::focusWidget(), mm);
            QListWidget* list = PageOf<CDlgTextFont>(sheet, 1).faces();
            EXPECT_EQ(QApplication::focusWidget(), list);
            current = list->currentItem() ? list->currentItem()->text().toStdString() : "";
        });
        EditTextProperties(doc, view.selection, nullptr);
        EXPECT_EQ(current, selected == 1 ? faces[0] : "") << selected;
        EXPECT_FALSE(doc.GetUndoList().CanUndo()) << selected;
        EXPECT_EQ(testsupport::DocumentBytes(doc), before) << selected;
    }
}

// A rectangle, a text and a wire: the pages of every kind over a mixed selection.
TEST_F(UntouchedSheetsTest, ObjectSheetOverAMixedSelection) {
    Select(new CDrawRect(CRect(0, 0, 1000, -500)));
    Select(new CTextBox(CRect(0, -1000, 2000, -1300)));
    Wire<CWire>(-2000);
    ExpectOneStepOnlyWhenEdited([this] { EditObjectProperties(doc, view.selection, 0x9, nullptr); },
                                [](CPropertySheet& sheet) {
                                    auto& page = PageOf<CDlgOutlineFill>(sheet, 0);
                                    page.outlineDefault()->click();
                                    page.style()->setCurrentIndex(1);
                                    emit page.style()->activated(1);
                                });
}

}  // namespace

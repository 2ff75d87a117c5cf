// OK on a property sheet whose fields nobody edited adds no undo step and leaves the archived
// document as it was; one edited field makes exactly one step. Each sheet runs through the
// command its menu item calls, with its own window answered by a script.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTimer>
#include <functional>

#include "gui/dialogs/device/DlgDevGeneral.h"
#include "gui/dialogs/objects/DlgOutlineFill.h"
#include "gui/dialogs/objects/DlgPinProp.h"
#include "gui/dialogs/objects/DlgTextGeneral.h"
#include "gui/dialogs/objects/ObjectPropertiesSheet.h"
#include "gui/dialogs/objects/OutlineFillControls.h"
#include "gui/dialogs/objects/PinSheetDlg.h"
#include "gui/dialogs/objects/SymbolPropertiesSheet.h"
#include "gui/dialogs/objects/TextPropertiesSheet.h"
#include "gui/dialogs/objects/WireSheetDlg.h"
#include "gui/kit/PropertySheet.h"
#include "gui/support/QtTestApp.h"
#include "model/doc/DrawDoc.h"
#include "model/net/Bus.h"
#include "model/net/Net.h"
#include "model/net/WireSheet.h"
#include "model/shapes/DrawRect.h"
#include "model/support/RecordingDocView.h"
#include "model/symbol/Pin.h"
#include "model/symbol/PinSheet.h"
#include "model/symbol/Symbol.h"
#include "model/symbol/SymbolSheet.h"
#include "model/text/TextBox.h"
#include "support/DocumentBytes.h"
#include "support/ScriptedPrompt.h"

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
    // before OK, which must add exactly one step.
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
        EXPECT_NE(testsupport::DocumentBytes(doc), before);
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

TEST_F(UntouchedSheetsTest, PinSheet) {
    CPinSheetRunner runner;
    ScopedInstall<IPinSheetRunner> installed(runner);
    auto* pin = new CPin();
    pin->SetEnds(CPoint(0, 0), CPoint(300, 0));
    pin->SetAttr("_ID", "A", kSetAttrForce);
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

TEST_F(UntouchedSheetsTest, SymbolSheet) {
    CSymbolSheetRunner runner;
    ScopedInstall<ISymbolSheetRunner> installed(runner);
    auto* symbol = new CSymbol();
    symbol->SetFlags(kSymbolGraphical, kSymbolKindMask);
    symbol->SetAttr("_Name", "LOGO", kSetAttrForce);
    symbol->SetAttr("Maker", "Vosk", kSetAttrForce);
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

// The symbol editor in the whole program: opened from a schematic's symbol, drawn in, and
// closed, which puts the symbol back into the schematic as one undo step.

#include <QDialog>
#include <QTest>
#include <QTimer>

#include "gui/dialogs/objects/SymbolPropertiesSheet.h"
#include "model/cmd/SpiceSourceCmd.h"
#include "model/doc/SymbolDoc.h"
#include "model/net/Wire.h"
#include "model/shapes/DrawRect.h"
#include "model/symbol/Pin.h"
#include "model/symbol/SpiceSymbol.h"
#include "model/symbol/Symbol.h"
#include "resources/CommandIds.h"
#include "shell/frames/ChildFrame.h"
#include "shell/support/AppFixture.h"
#include "shell/view/DrawView.h"
#include "shell/view/SymbolView.h"

namespace {

class SymbolEditorTest : public AppFixture {
protected:
    static CDocumentBase* Active(CSchematicQtApp& app) {
        CChildFrame* frame = app.MainFrame()->ActiveChildFrame();
        for (CDocumentBase* document : app.Documents().Documents()) {
            if (app.Documents().FrameOf(*document) == frame)
                return document;
        }
        return nullptr;
    }
    static void Run(CSchematicQtApp& app, UINT id) {
        EXPECT_TRUE(app.MainFrame()->router().Execute(id)) << id;
        QApplication::processEvents();
    }
    // A symbol "U1" with a wired pin "1" and a body, in the schematic.
    static CSymbol* PlaceSymbol(CDrawDoc& doc, CWire** wire) {
        auto* symbol = new CSymbol();
        auto* pin = new CPin(symbol);
        pin->SetEnds(CPoint(0, 0), CPoint(-200, 0));
        pin->SetAttr("_ID", "1", kSetAttrForce);
        symbol->GetPins().AddTail(pin);
        symbol->GetGraphics().AddTail(new CDrawRect(CRect(0, 100, 300, -100)));
        symbol->SetDocument(&doc);
        symbol->SetAttr("_ID", "U1", kSetAttrForce);
        symbol->RecalcBounds(nullptr);
        doc.GetObjects().AddTail(symbol);
        *wire = new CWire;
        (*wire)->AddPoint(CPoint(-800, 0));
        (*wire)->AddPoint(CPoint(-200, 0));
        (*wire)->SetDocument(&doc);
        doc.GetObjects().AddTail(*wire);
        (*wire)->SetEndObject(pin);
        return symbol;
    }
};

TEST_F(SymbolEditorTest, EditSymbolThenCloseWritesTheSymbolBackAsOneStep) {
    auto app = Start();
    auto* schematic = dynamic_cast<CDrawDoc*>(Active(*app));
    ASSERT_NE(schematic, nullptr);
    auto* view = dynamic_cast<CDrawView*>(app->Documents().ViewOf(*schematic));
    CWire* wire = nullptr;
    CSymbol* symbol = PlaceSymbol(*schematic, &wire);
    view->Select(symbol);
    Run(*app, ID_EDIT_SYMBOL);

    auto* editor = dynamic_cast<CSymbolDoc*>(Active(*app));
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->GetTitle(), CString("Symbol1"));
    EXPECT_EQ(app->MainFrame()->currentMenuId(), IDR_SYMBOL);
    EXPECT_EQ(editor->GetObjects().GetCount(), 2);
    auto* symbolView = dynamic_cast<CSymbolView*>(app->Documents().ViewOf(*editor));
    ASSERT_NE(symbolView, nullptr);
    // File Save saves nothing here.
    EXPECT_FALSE(app->MainFrame()->router().Update(ID_FILE_SAVE).enabled);

    // A new pin, drawn with the pin tool.
    Run(*app, ID_DRAW_PIN);
    symbolView->resize(800, 600);
    const CPoint at = symbolView->DocToClient(CPoint(300, -60));
    QTest::mouseClick(symbolView->viewport(), Qt::LeftButton, {}, QPoint(at.x, at.y));
    ASSERT_EQ(editor->GetObjects().GetCount(), 3);
    EXPECT_TRUE(editor->IsModified());

    Run(*app, ID_SYMBOL_CLOSE_EDITOR);
    QApplication::processEvents();
    EXPECT_TRUE(m_prompt.shown().empty());
    EXPECT_EQ(app->Documents().Documents(app->SymbolTemplate()).size(), 0u);
    EXPECT_STREQ(schematic->GetUndoList().GetUndoName(), "symbol edit");
    CSymbol* edited = nullptr;
    for (POSITION pos = schematic->GetObjects().GetHeadPosition(); pos;) {
        if (auto* s = dynamic_cast<CSymbol*>(schematic->GetObjects().GetNext(pos)))
            edited = s;
    }
    ASSERT_NE(edited, nullptr);
    EXPECT_EQ(edited->GetPins().GetCount(), 2);
    EXPECT_EQ(edited->GetAttr("_ID"), "U1");
    ASSERT_NE(edited->FindPin("1"), nullptr);
    EXPECT_NE(edited->FindPin("1")->GetWire(), nullptr);

    // One undo brings back the old symbol with its wire.
    ASSERT_TRUE(schematic->GetUndoList().Undo());
    EXPECT_TRUE(schematic->GetObjects().Find(symbol) != nullptr);
    EXPECT_EQ(symbol->FindPin("1")->GetWire(), wire);
    schematic->SetModifiedFlag(FALSE);
    EXPECT_TRUE(Close(*app));
}

TEST_F(SymbolEditorTest, ANewSymbolGoesIntoTheSchematicAsANewComponent) {
    auto app = Start();
    auto* schematic = dynamic_cast<CDrawDoc*>(Active(*app));
    Run(*app, ID_EDIT_CREATE_SYMBOL);
    auto* editor = dynamic_cast<CSymbolDoc*>(Active(*app));
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->GetObjects().IsEmpty());
    EXPECT_EQ(editor->GetPaperSize().cx, 20000);
    editor->GetObjects().AddTail(new CDrawRect(CRect(0, 0, 400, -400)));
    editor->SetModifiedFlag();
    Run(*app, ID_FILE_CLOSE);
    EXPECT_STREQ(schematic->GetUndoList().GetUndoName(), "create component");
    EXPECT_NE(dynamic_cast<CSymbol*>(schematic->GetObjects().GetTail()), nullptr);
    schematic->SetModifiedFlag(FALSE);
    EXPECT_TRUE(Close(*app));
}

// A source made with "Create a spice source" comes back with what the deck needs, and Edit
// Symbol keeps it the source it was (class, kind and values), with or without a wire on a pin.
TEST_F(SymbolEditorTest, ASpiceSourceStaysTheSourceItWasThroughEditSymbol) {
    auto app = Start();
    auto* schematic = dynamic_cast<CDrawDoc*>(Active(*app));
    auto* view = dynamic_cast<CDrawView*>(app->Documents().ViewOf(*schematic));
    const auto onlySource = [schematic] {
        CSpiceSymbol* found = nullptr;
        for (POSITION pos = schematic->GetObjects().GetHeadPosition(); pos;) {
            if (auto* s = dynamic_cast<CSymbol*>(schematic->GetObjects().GetNext(pos))) {
                EXPECT_EQ(found, nullptr);
                found = dynamic_cast<CSpiceSymbol*>(s);
            }
        }
        return found;
    };
    Run(*app, ID_CREATE_SPICE_SOURCE);
    auto* editor = dynamic_cast<CSymbolDoc*>(Active(*app));
    ASSERT_NE(editor, nullptr);
    for (const LONG y : {0, -200}) {
        auto* pin = new CPin();
        pin->SetEnds(CPoint(0, y), CPoint(-200, y));
        pin->SetAttr("_ID", editor->MakePinName(), kSetAttrForce);
        editor->GetObjects().AddTail(pin);
    }
    editor->SetModifiedFlag();
    Run(*app, ID_SYMBOL_CLOSE_EDITOR);
    CSpiceSymbol* source = onlySource();
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(source->GetAttr("_ID"), "V1");
    EXPECT_EQ(source->GetAttr("Spice.Device"), "V,Pin 1,Pin 2");

    // Source Parameters.. gives it a pulse of its own.
    CSpiceSymbol::SourceState pulse = source->GetSourceState();
    pulse.kind = CSpiceSymbol::kPulse;
    pulse.sets[CSpiceSymbol::kPulse] = CString(
        "1V\x01"
        "2V\x01"
        "1u\x01"
        "0\x01"
        "0\x01"
        "1m\x01"
        "2m");
    ASSERT_TRUE(schematic->GetUndoList().Execute(new CSpiceSourceCmd(source, pulse)));
    for (const bool wired : {false, true}) {
        if (wired) {
            const CPoint hot = source->FindPin("Pin 1")->GetConnectPoint();
            auto* wire = new CWire;
            wire->AddPoint(CPoint(hot.x - 600, hot.y));
            wire->AddPoint(hot);
            wire->SetDocument(schematic);
            schematic->GetObjects().AddTail(wire);
            wire->SetEndObject(source->FindPin("Pin 1"));
        }
        view->Select(source);
        Run(*app, ID_EDIT_SYMBOL);
        editor = dynamic_cast<CSymbolDoc*>(Active(*app));
        ASSERT_NE(editor, nullptr);
        editor->GetObjects().AddTail(new CDrawRect(CRect(0, 100, 300, -300)));
        editor->SetModifiedFlag();
        Run(*app, ID_SYMBOL_CLOSE_EDITOR);
        ASSERT_NE(onlySource(), nullptr) << "wired " << wired;
        EXPECT_NE(onlySource(), source);
        source = onlySource();
        EXPECT_TRUE(source->GetSourceState() == pulse) << "wired " << wired;
        EXPECT_EQ(source->GetSet(CSpiceSymbol::kPulse)[5], "1m") << "wired " << wired;
        EXPECT_EQ(source->GetAttr("Spice.Device"), "V,Pin 1,Pin 2");
        EXPECT_EQ(source->FindPin("Pin 1")->GetWire() != nullptr, wired);
    }
    schematic->SetModifiedFlag(FALSE);
    EXPECT_TRUE(Close(*app));
}

// A double click edits the symbol's properties (Edit Symbol opens its editor); Cancel leaves
// the schematic as it was.
TEST_F(SymbolEditorTest, DoubleClickOnASymbolOpensItsPropertiesSheet) {
    auto app = Start();
    auto* schematic = dynamic_cast<CDrawDoc*>(Active(*app));
    auto* view = dynamic_cast<CDrawView*>(app->Documents().ViewOf(*schematic));
    CWire* wire = nullptr;
    PlaceSymbol(*schematic, &wire);
    app->MainFrame()->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view));
    view->ZoomToObjects();
    const CPoint at = view->DocToClient(CPoint(150, 100));  // on the body's outline
    CSymbolSheetRunner sheets;
    ScopedInstall<ISymbolSheetRunner> installed{sheets};
    QString title;
    QTimer::singleShot(0, [&title] {
        if (auto* sheet = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            title = sheet->windowTitle();
            sheet->reject();
        }
    });
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, QPoint(at.x, at.y));
    QApplication::processEvents();
    EXPECT_EQ(title, "Symbol Properties");
    EXPECT_EQ(view->GetSelection().GetCount(), 1) << at.x << "," << at.y;
    EXPECT_EQ(Active(*app), schematic);
    EXPECT_EQ(schematic->GetUndoList().GetCount(), 0);
    schematic->SetModifiedFlag(FALSE);
    EXPECT_TRUE(Close(*app));
}

// With several schematics open, closing the editor returns to the schematic the symbol came
// from, changed or not, so that the next Save saves that one.
TEST_F(SymbolEditorTest, ClosingTheEditorReturnsToTheSchematicTheSymbolCameFrom) {
    auto app = Start();
    Run(*app, ID_FILE_NEW);
    Run(*app, ID_FILE_NEW);
    ASSERT_EQ(Titles(*app), (std::vector<std::string>{"Untitled1", "Untitled2", "Untitled3"}));
    auto* second = dynamic_cast<CDrawDoc*>(app->Documents().Documents()[1]);
    CWire* wire = nullptr;
    CSymbol* symbol = PlaceSymbol(*second, &wire);
    app->MainFrame()->mdiArea()->setActiveSubWindow(app->Documents().FrameOf(*second));
    ASSERT_EQ(Active(*app), second);
    for (const bool changed : {false, true}) {
        dynamic_cast<CDrawView*>(app->Documents().ViewOf(*second))->Select(symbol);
        Run(*app, ID_EDIT_SYMBOL);
        auto* editor = dynamic_cast<CSymbolDoc*>(Active(*app));
        ASSERT_NE(editor, nullptr);
        editor->SetModifiedFlag(changed);
        Run(*app, ID_SYMBOL_CLOSE_EDITOR);
        QApplication::processEvents();
        EXPECT_EQ(Active(*app), second) << changed;
        EXPECT_EQ(app->MainFrame()->currentMenuId(), IDR_SCHEMATIC);
    }
    EXPECT_STREQ(second->GetUndoList().GetUndoName(), "symbol edit");
    for (CDocumentBase* document : app->Documents().Documents())
        document->SetModifiedFlag(FALSE);
    EXPECT_TRUE(Close(*app));
}

TEST_F(SymbolEditorTest, AnEditorWhoseSchematicClosedAsksToSaveItself) {
    auto app = Start();
    auto* schematic = dynamic_cast<CDrawDoc*>(Active(*app));
    CWire* wire = nullptr;
    CSymbol* symbol = PlaceSymbol(*schematic, &wire);
    auto* editor = app->OpenSymbolEditor(schematic, symbol, false);
    ASSERT_NE(editor, nullptr);
    editor->SetModifiedFlag();
    schematic->SetModifiedFlag(FALSE);
    app->Documents().CloseDocument(*schematic);
    EXPECT_EQ(editor->GetOwnerDoc(), nullptr);
    m_prompt.Answer(IDCANCEL);
    Run(*app, ID_SYMBOL_CLOSE_EDITOR);
    QApplication::processEvents();
    ASSERT_EQ(m_prompt.shown().size(), 1u);
    EXPECT_EQ(m_prompt.shown()[0].text, CString("Save changes to Symbol1?"));
    EXPECT_EQ(app->Documents().Documents(app->SymbolTemplate()).size(), 1u);
    editor->SetModifiedFlag(FALSE);
    EXPECT_TRUE(Close(*app));
}

TEST_F(SymbolEditorTest, LeavingTheProgramPutsOpenSymbolsBackBeforeTheSchematicIsAsked) {
    auto app = Start();
    auto* schematic = dynamic_cast<CDrawDoc*>(Active(*app));
    CWire* wire = nullptr;
    CSymbol* symbol = PlaceSymbol(*schematic, &wire);
    schematic->SetModifiedFlag(FALSE);
    auto* editor = app->OpenSymbolEditor(schematic, symbol, false);
    editor->SetModifiedFlag();
    m_prompt.Answer(IDCANCEL);  // the schematic's prompt, for the change the editor brought
    EXPECT_FALSE(app->SaveAllModified());
    ASSERT_EQ(m_prompt.shown().size(), 1u);
    EXPECT_EQ(m_prompt.shown()[0].text, CString("Save changes to Untitled1?"));
    EXPECT_STREQ(schematic->GetUndoList().GetUndoName(), "symbol edit");
    schematic->SetModifiedFlag(FALSE);
    EXPECT_TRUE(Close(*app));
}

}  // namespace

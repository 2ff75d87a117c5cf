// Objects from the library browser placed in the view, and the rail commands' menu state.

#include <gtest/gtest.h>

#include <QTest>

#include "drawtools/ToolManager.h"
#include "gui/support/QtTestApp.h"
#include "library/LibraryBarServices.h"
#include "library/LibraryFile.h"
#include "model/doc/DrawDoc.h"
#include "model/net/Net.h"
#include "model/net/Wire.h"
#include "model/shapes/DrawRect.h"
#include "model/undo/UndoList.h"
#include "resources/CommandIds.h"
#include "shell/view/DrawView.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSupport.h"

namespace {

// The application's tools carry placed objects.
struct WithApp {
    WithApp() : previous(SetToolManager(&tools)) { QtTestApp::ensure(); }
    ~WithApp() { SetToolManager(previous); }
    ToolManager tools;
    ToolManager* previous;
};

class DrawViewLibraryTest : public ::testing::Test, protected WithApp {
protected:
    CDrawDoc m_doc;
    CDrawView m_view{m_doc};
};

TEST_F(DrawViewLibraryTest, PlacedObjectsAreCopiesAddedSelectedInOneStep) {
    CDrawRect first(CRect(0, 0, 100, -50));
    CDrawRect second(CRect(200, 0, 300, -50));
    CObList objects;
    objects.AddTail(&first);
    objects.AddTail(&second);
    ASSERT_TRUE(m_view.PlaceObjects(objects));
    ASSERT_EQ(m_doc.GetObjects().GetCount(), 2);
    EXPECT_EQ(tools.state.currentShape, kToolPlace);
    EXPECT_EQ(objects.GetCount(), 2);  // the sender's list and objects stay as they were
    EXPECT_FALSE(m_doc.GetObjects().Find(&first));
    EXPECT_EQ(m_view.GetSelection().GetCount(), 2);
    EXPECT_EQ(static_cast<CDrawObj*>(m_doc.GetObjects().GetHead())->GetPosition(),
              CRect(0, 0, 100, -50));
    ASSERT_TRUE(m_doc.GetUndoList().Undo());
    EXPECT_TRUE(m_doc.GetObjects().IsEmpty());
}

// A Files page whose selected library cannot be opened for writing.
class UnwritableLibrary : public ILibraryBarServices {
public:
    BOOL OpenSelectedLibrary(CLibraryFile*, UINT) override { return FALSE; }
    CString SelectedLibraryPath() const override { return "/libraries/locked.rlb"; }

private:
    ScopedInstall<ILibraryBarServices> m_installed{*this};
};

// A Files page whose selected library is one of two files, readable or not.
class SwitchingLibrary : public ILibraryBarServices {
public:
    BOOL OpenSelectedLibrary(CLibraryFile* library, UINT mode) override {
        return library->Open(selected.c_str(), mode);
    }
    CString SelectedLibraryPath() const override { return selected.c_str(); }
    std::string selected;

private:
    ScopedInstall<ILibraryBarServices> m_installed{*this};
};

// The item names the selected library only while that library can take the selection.
TEST_F(DrawViewLibraryTest, AddToNamesOnlyTheSelectedWritableLibrary) {
    testsupport::TempDir dir;
    SwitchingLibrary page;
    const std::string parts = (dir.path() / "parts.rlb").string();
    ASSERT_EQ(CLibraryFile().Create(parts.c_str()), kCreateDone);
    m_doc.AddObject(std::make_unique<CDrawRect>(CRect(0, 0, 100, -50)));
    m_view.Select(static_cast<CDrawObj*>(m_doc.GetObjects().GetHead()), false);
    const CommandMap::Entry* add = m_view.Commands().Find(ID_LIBRARY_ADD_SELECTED);
    ASSERT_NE(add, nullptr);
    const auto state = [add] {
        CmdUI ui;
        add->update(ui);
        return ui;
    };
    page.selected = parts;
    CmdUI ui = state();
    EXPECT_TRUE(ui.enabled);
    EXPECT_EQ(ui.text, "&Add to parts...");
    page.selected = (dir.path() / "missing.rlb").string();
    ui = state();
    EXPECT_FALSE(ui.enabled);
    EXPECT_EQ(ui.text, "&Add Selection to Library");
}

TEST_F(DrawViewLibraryTest, AddingToAnUnwritableSelectedLibraryNamesIt) {
    UnwritableLibrary page;
    testsupport::ScriptedPrompt prompt({IDOK});
    m_doc.AddObject(std::make_unique<CDrawRect>(CRect(0, 0, 100, -50)));
    m_view.Select(static_cast<CDrawObj*>(m_doc.GetObjects().GetHead()), false);
    const CommandMap::Entry* add = m_view.Commands().Find(ID_LIBRARY_ADD_SELECTED);
    ASSERT_NE(add, nullptr);
    add->handler(ID_LIBRARY_ADD_SELECTED);
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(prompt.shown()[0].text,
              "Error - could not open the library /libraries/locked.rlb for writing.");
}

}  // namespace

// The schematic view's show/hide toggles of attribute texts, the embedded-object indication
// and the highlights.

#include "model/app/SchematicApp.h"
#include "model/cmd/AttrTextToggles.h"
#include "model/doc/DocView.h"
#include "model/doc/DrawDoc.h"
#include "model/object/DrawObj.h"
#include "resources/CommandIds.h"
#include "shell/view/DrawView.h"

void CDrawView::AddToggleCommands() {
    const std::pair<UINT, AttrTextToggle> toggles[] = {
        {ID_SHOW_DEVICE_NAME, AttrTextToggle::kDeviceName},
        {ID_SHOW_VALUE, AttrTextToggle::kValue},
        {ID_SHOW_IDENTIFIER, AttrTextToggle::kIdentifier},
        {ID_SHOW_PIN_NAMES, AttrTextToggle::kPinNames},
        {ID_SHOW_PIN_NUMBERS, AttrTextToggle::kPinNumbers}};
    for (const auto& [id, toggle] : toggles) {
        m_commands.On(
            id, [this, toggle] { ToggleAttrTexts(m_document, m_selection, toggle); },
            [this, toggle](CmdUI& ui) {
                const char* text = AttrTextToggleText(m_selection, toggle);
                ui.Enable(text != nullptr);
                if (text)
                    ui.SetText(text);
            });
    }
    m_commands.On(
        ID_VIEW_SHOW_OBJECTS,
        [this] {
            if (CSchematicApp* app = GetApp())
                app->Options ^= kOptionItemFrames;
            m_document.UpdateAllViews(nullptr, kHintOleObjects);
        },
        [](CmdUI& ui) {
            const CSchematicApp* app = GetApp();
            ui.Enable();
            ui.SetCheck(app && (app->Options & kOptionItemFrames));
        });
    m_commands.On(ID_HIGHLIGHT_SELECTION, [this] {
        for (POSITION pos = m_selection.GetHeadPosition(); pos;) {
            auto* object = static_cast<CDrawObj*>(m_selection.GetNext(pos));
            object->SetFlags(kFlagHighlight, kFlagHighlight);
            object->Invalidate(nullptr);
        }
    });
    m_commands.On(ID_REMOVE_HIGHLIGHTS,
                  [this] { m_document.ClearFlagsAndInvalidate(kFlagHighlight | kFlagDrcError); });
}

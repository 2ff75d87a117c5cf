// The schematic view's in-place text editor.

#include <QFocusEvent>
#include <algorithm>
#include <cstdlib>

#include "drawtools/ToolManager.h"
#include "drawtools/ToolPrompts.h"
#include "gui/kit/QtDC.h"
#include "shell/view/DrawView.h"
#include "shell/view/InPlaceTextEdit.h"

namespace {
constexpr int kEditorFrame = 2;  // pixels round the text
}  // namespace

void CDrawView::BeginTextEdit(CTextBox* text) {
    if (text)
        text->OnOpen(this);
}

// The edit is a gesture of this view: one open in another view ends first.
void CDrawView::EditTextInPlace(CTextBox* text, const TextEditSetup& setup) {
    if (!EngageTools())
        return;
    CloseTextEditor();
    m_editedText = text;
    m_storedText = setup.storedText;
    auto* edit = new CInPlaceTextEdit(setup.multiLine, viewport());
    const double emPixels = std::abs(setup.font.lfHeight * Mapping().ScaleY());
    edit->setFont(QtFontFromLogFont(setup.font, emPixels));
    edit->setGeometry(TextEditorRect(setup.controlRect));
    edit->SetStoredText(QByteArray(setup.text.c_str()));
    edit->onFinish = [this] { return !TakeEditedText(); };
    edit->onCancel = [this] { CancelTextEdit(); };
    m_textEdit = edit;
    edit->show();
    edit->setFocus();
}

QRect CDrawView::TextEditorRect(const CRect& sheetRect) const {
    CRect pixels(DocToClient(sheetRect.TopLeft()), DocToClient(sheetRect.BottomRight()));
    pixels.NormalizeRect();
    pixels.InflateRect(kEditorFrame, kEditorFrame);
    QRect r(QPoint(pixels.left, pixels.top), QPoint(pixels.right, pixels.bottom));
    const QRect client = viewport()->rect();
    if (r.right() > client.right())
        r.moveRight(client.right());
    if (r.left() < client.left())
        r.moveLeft(client.left());
    if (r.bottom() > client.bottom())
        r.moveBottom(client.bottom());
    if (r.top() < client.top())
        r.moveTop(client.top());
    return r;
}

// Through the editor, whose end it is: the focus going to a refusal asked meanwhile ends
// nothing more.
bool CDrawView::FinishInPlaceEdit() {
    return !m_textEdit || m_textEdit->Finish();
}

bool CDrawView::TakeEditedText() {
    const QByteArray value = m_textEdit->StoredText();
    // The step records the text as it was stored, soft breaks and all, so that undoing it
    // gives back the same bytes.
    m_editedText->SetContentText(m_storedText.c_str());
    if (!m_editedText->SetText(value.constData(), TRUE))
        return false;
    CloseTextEditor();
    return true;
}

void CDrawView::EndInPlaceEdit(GestureEnd how) {
    if (how == GestureEnd::Cancel || !FinishInPlaceEdit())
        CancelTextEdit();
}

void CDrawView::CancelTextEdit() {
    if (!m_textEdit)
        return;
    m_editedText->SetContentText(m_storedText.c_str());
    CloseTextEditor();
}

void CDrawView::CloseTextEditor() {
    if (!m_textEdit)
        return;
    CInPlaceTextEdit* edit = m_textEdit;
    m_textEdit = nullptr;
    m_editedText = nullptr;
    edit->onFinish = nullptr;
    edit->onCancel = nullptr;
    const bool hadFocus = edit->hasFocus();
    edit->hide();
    edit->deleteLater();
    if (hadFocus)
        setFocus();
    // The edit ends the gesture that opened it: the select tool is next.
    m_capture = false;
    if (ToolManager* tools = GetToolManager(); tools && !m_closing) {
        tools->state.currentShape = kToolSelect;
        SetPrompt(kPromptReady);
    }
}

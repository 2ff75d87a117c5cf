#include "support/ScriptedPrompt.h"

#include <gtest/gtest.h>
#include <algorithm>

namespace testsupport {

ScriptedPrompt::ScriptedPrompt(std::initializer_list<int> answers)
    : m_answers(answers), m_previous(SetUserPrompt(this)) {}

ScriptedPrompt::~ScriptedPrompt() {
    SetUserPrompt(m_previous);
    if (!m_answers.empty())
        ADD_FAILURE() << m_answers.size() << " scripted answer(s) left unused";
}

int ScriptedPrompt::MessageBox(const CString& text, const CString& caption, UINT type) {
    m_shown.push_back({text, caption, type});
    if (m_answers.empty()) {
        ADD_FAILURE() << "unexpected message box: \"" << text.str() << "\"";
        return DefaultMessageBoxAnswer(type);
    }
    int answer = m_answers.front();
    m_answers.pop_front();
    std::vector<int> buttons = MessageBoxButtons(type);
    if (std::find(buttons.begin(), buttons.end(), answer) == buttons.end())
        ADD_FAILURE() << "scripted answer " << answer << " is not a button of the box \""
                      << text.str() << "\" (type " << type << ")";
    return answer;
}

RecordingAppServices::RecordingAppServices() : m_previous(SetAppServices(this)) {}

RecordingAppServices::~RecordingAppServices() {
    SetAppServices(m_previous);
    if (m_depth != 0)
        ADD_FAILURE() << "wait cursor begun " << m_depth << " more time(s) than ended";
}

void RecordingAppServices::NotifyDocumentChanged(void* document, int code) {
    m_notices.push_back({document, code});
}

void RecordingAppServices::BeginWaitCursor() {
    ++m_depth;
    ++m_begun;
}

void RecordingAppServices::EndWaitCursor() {
    if (m_depth == 0)
        ADD_FAILURE() << "wait cursor ended more often than begun";
    else
        --m_depth;
}

}  // namespace testsupport

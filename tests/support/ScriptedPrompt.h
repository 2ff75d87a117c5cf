#pragma once
// Test doubles for the application's seams, each installed for its lifetime.

#include <deque>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/AppServices.h"
#include "platform/UserPrompt.h"

namespace testsupport {

// Answers message boxes from a script and records what was shown. A box after the script ran
// out, an answer that is not a button of its box, or answers left over at the end fail the test.
class ScriptedPrompt : public IUserPrompt {
public:
    struct Shown {
        CString text;
        CString caption;
        UINT type;
    };

    explicit ScriptedPrompt(std::initializer_list<int> answers = {});
    ~ScriptedPrompt() override;
    ScriptedPrompt(const ScriptedPrompt&) = delete;
    ScriptedPrompt& operator=(const ScriptedPrompt&) = delete;

    // Appends an answer to the script.
    void Answer(int id) { m_answers.push_back(id); }
    const std::vector<Shown>& shown() const { return m_shown; }

    int MessageBox(const CString& text, const CString& caption, UINT type) override;

private:
    std::deque<int> m_answers;
    std::vector<Shown> m_shown;
    IUserPrompt* m_previous;
};

// Records the calls of the core. A wait cursor still shown at the end fails the test.
class RecordingAppServices : public IAppServices {
public:
    struct Notice {
        void* document;
        int code;
    };

    RecordingAppServices();
    ~RecordingAppServices() override;
    RecordingAppServices(const RecordingAppServices&) = delete;
    RecordingAppServices& operator=(const RecordingAppServices&) = delete;

    const std::vector<Notice>& notices() const { return m_notices; }
    int waitCursorDepth() const { return m_depth; }
    int waitCursorsShown() const { return m_begun; }
    // The hints sent to all views, in order.
    const std::vector<int>& viewHints() const { return m_viewHints; }
    // The paths given for the recent-file list, in order.
    const std::vector<std::string>& recentFiles() const { return m_recentFiles; }

    void NotifyDocumentChanged(void* document, int code) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    void UpdateAllViews(int hint) override { m_viewHints.push_back(hint); }
    void AddToRecentFileList(const char* path) override { m_recentFiles.emplace_back(path); }

private:
    std::vector<Notice> m_notices;
    std::vector<int> m_viewHints;
    std::vector<std::string> m_recentFiles;
    int m_depth = 0;
    int m_begun = 0;
    IAppServices* m_previous;
};

}  // namespace testsupport

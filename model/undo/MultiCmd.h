#pragma once
// CMultiCmd: several commands done and undone as one step of the undo list.

#include <memory>
#include <vector>

#include "model/undo/Command.h"
#include "platform/CString.h"

class CMultiCmd : public CCommand {
    DECLARE_DYNAMIC(CMultiCmd)
public:
    explicit CMultiCmd(const char* name = "") : m_name(name) {}

    // Appends a command, which the multi-command then owns; a null command is ignored.
    void Append(CCommand* command);
    int GetCount() const { return static_cast<int>(m_commands.size()); }
    BOOL IsEmpty() const { return m_commands.empty(); }
    void SetName(const char* name) { m_name = name; }

    // Do runs the commands first to last, Undo last to first. When one fails, the ones already
    // run in this pass are taken back in reverse order and the result is FALSE.
    BOOL Do(CDrawDoc* doc) override;
    BOOL Undo(CDrawDoc* doc) override;
    // The objects of all the commands; FALSE when one cannot name its own.
    BOOL GetChangedObjects(std::vector<CDrawObj*>& objects) const override;
    const char* GetName() const override { return m_name.c_str(); }

private:
    std::vector<std::unique_ptr<CCommand>> m_commands;
    CString m_name;
};

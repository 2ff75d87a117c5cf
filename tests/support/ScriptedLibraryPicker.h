#pragma once
// A stand-in for the Search Libraries window, installed for its lifetime: it searches a folder
// of libraries as the window does, with the caller's options and filter and every word, and
// picks the result of a given name; or it answers a given choice without searching.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "library/LibraryPicker.h"

namespace testsupport {

class ScriptedLibraryPicker : public ILibraryPicker {
public:
    // Picks the result named pick in folder; nothing when pick is empty or not found.
    ScriptedLibraryPicker(std::filesystem::path folder, std::string pick);
    // Answers choice as the user's pick.
    explicit ScriptedLibraryPicker(SearchChoice choice);
    ~ScriptedLibraryPicker() override;
    ScriptedLibraryPicker(const ScriptedLibraryPicker&) = delete;
    ScriptedLibraryPicker& operator=(const ScriptedLibraryPicker&) = delete;

    std::optional<SearchChoice> PickLibraryItem(
        UINT options, const CLibrarySearchFilter::CallerFilter& filter) override;

    int calls = 0;
    UINT options = 0;                // of the last call
    std::vector<std::string> found;  // the names the last search found, in library order

private:
    std::filesystem::path m_folder;
    std::string m_pick;
    std::optional<SearchChoice> m_choice;
    ScopedInstall<ILibraryPicker> m_installed{*this};
};

}  // namespace testsupport

#include "support/ScriptedLibraryPicker.h"

#include <gtest/gtest.h>

namespace testsupport {

ScriptedLibraryPicker::ScriptedLibraryPicker(std::filesystem::path folder, std::string pick)
    : m_folder(std::move(folder)), m_pick(std::move(pick)) {}

ScriptedLibraryPicker::ScriptedLibraryPicker(SearchChoice choice) : m_choice(std::move(choice)) {}

ScriptedLibraryPicker::~ScriptedLibraryPicker() = default;

std::optional<SearchChoice> ScriptedLibraryPicker::PickLibraryItem(
    UINT searchOptions, const CLibrarySearchFilter::CallerFilter& filter) {
    ++calls;
    options = searchOptions;
    if (m_choice)
        return m_choice;
    const CLibrarySearchFilter search(
        {}, false, searchOptions & kSearchSymbols, searchOptions & kSearchDevices,
        searchOptions & kSearchCircuits, searchOptions & kSearchFootprints, filter);
    CLibrarySearchWalk walk(search, true);
    std::error_code error;
    EXPECT_TRUE(walk.Start(m_folder / "", error)) << error.message();
    while (walk.DoStep() != CLibrarySearchWalk::kDone) {
    }
    found.clear();
    std::optional<SearchChoice> picked;
    for (const SearchResult& result : walk.Results()) {
        found.push_back(result.name.str());
        if (!m_pick.empty() && result.name.str() == m_pick)
            picked = SearchChoice{result.library, result.name, result.index, result.kind};
    }
    return picked;
}

}  // namespace testsupport

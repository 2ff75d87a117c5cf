// The soak of seeded random edits (see EditSoak.h) in the test command: two seeds of forty
// steps. VOSK_SOAK_SEED=n runs seed n alone, VOSK_SOAK_SEEDS=n the seeds 1 to n,
// VOSK_SOAK_STEPS=n that many steps of each. A failure names its seed and step and the steps
// that led to it.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "gui/support/QtTestApp.h"
#include "shell/view/EditSoak.h"

namespace {

constexpr int kSeeds = 2;
constexpr int kSteps = 40;

int EnvNumber(const char* name, int fallback) {
    const char* text = std::getenv(name);
    return text && *text ? std::atoi(text) : fallback;
}

// Over the test command's seeds every kind of edit records steps: a soak whose gestures stopped
// reaching the sheet would pass on no-ops.
TEST(EditSoak, SeededEditsKeepLinksUndoAndUntouchedSheets) {
    QtTestApp::ensure();
    const int steps = EnvNumber("VOSK_SOAK_STEPS", kSteps);
    std::vector<unsigned> seeds;
    if (const int seed = EnvNumber("VOSK_SOAK_SEED", 0))
        seeds.push_back(unsigned(seed));
    else
        for (int seed = 1; seed <= EnvNumber("VOSK_SOAK_SEEDS", kSeeds); ++seed)
            seeds.push_back(unsigned(seed));
    SoakTally tally;
    for (unsigned seed : seeds) {
        EditSoak soak(seed, tally);
        const std::string failure = soak.Run(steps);
        EXPECT_TRUE(failure.empty()) << failure;
    }
    if (seeds.size() < std::size_t(kSeeds) || steps < kSteps)
        return;
    for (const std::string& kind : RecordingSoakSteps())
        EXPECT_GT(tally[kind], 0) << "no \"" << kind << "\" step recorded anything";
}

}  // namespace

#include "platform/UserPrompt.h"

#include <gtest/gtest.h>

#include "support/ScriptedPrompt.h"

using testsupport::ScriptedPrompt;

TEST(UserPrompt, WithoutAPromptTheDefaultButtonAnswersAtOnce) {
    ASSERT_EQ(SetUserPrompt(nullptr), nullptr);
    const std::pair<UINT, int> cases[] = {
        {MB_OK, IDOK},
        {MB_OKCANCEL | MB_DEFBUTTON2, IDCANCEL},
        {MB_ABORTRETRYIGNORE | MB_DEFBUTTON3 | MB_ICONSTOP, IDIGNORE},
        {MB_YESNOCANCEL | MB_DEFBUTTON2, IDNO},
        {MB_YESNOCANCEL | MB_DEFBUTTON3, IDCANCEL},
        {MB_YESNO | MB_DEFBUTTON3, IDYES},  // no third button: the first
        {MB_YESNO | 0x300, IDYES},
        {0xE, IDOK},  // unknown button set
    };
    for (const auto& [type, answer] : cases) {
        testing::internal::CaptureStderr();
        EXPECT_EQ(AfxMessageBox("Save changes?", type), answer) << type;
        std::string log = testing::internal::GetCapturedStderr();
        EXPECT_NE(log.find("[Vosk Schematic] Save changes?"), std::string::npos) << log;
    }
}

TEST(UserPrompt, AfxMessageBoxUsesTheTitleAndAddsTheUsualIcon) {
    ScriptedPrompt prompt{IDOK, IDNO, IDCANCEL, IDRETRY, IDOK};
    EXPECT_EQ(AfxMessageBox("Done."), IDOK);
    EXPECT_EQ(AfxMessageBox("Replace?", MB_YESNO), IDNO);
    EXPECT_EQ(AfxMessageBox("Save?", MB_YESNOCANCEL | MB_DEFBUTTON3), IDCANCEL);
    EXPECT_EQ(AfxMessageBox("Retry?", MB_RETRYCANCEL), IDRETRY);
    EXPECT_EQ(AfxMessageBox("Note", MB_OK | MB_ICONINFORMATION), IDOK);

    ASSERT_EQ(prompt.shown().size(), 5u);
    EXPECT_EQ(prompt.shown()[0].text, "Done.");
    EXPECT_EQ(prompt.shown()[0].caption, "Vosk Schematic");
    EXPECT_EQ(prompt.shown()[0].type, MB_OK | MB_ICONEXCLAMATION);
    EXPECT_EQ(prompt.shown()[1].type, MB_YESNO | MB_ICONQUESTION);
    EXPECT_EQ(prompt.shown()[2].type, MB_YESNOCANCEL | MB_DEFBUTTON3 | MB_ICONQUESTION);
    EXPECT_EQ(prompt.shown()[3].type, MB_RETRYCANCEL);
    EXPECT_EQ(prompt.shown()[4].type, MB_OK | MB_ICONINFORMATION);
}

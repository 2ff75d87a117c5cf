#include "shell/app/MessageBoxPrompt.h"
#include "gui/kit/StoredText.h"

#include <QApplication>
#include <QMessageBox>
#include <algorithm>
#include <utility>

namespace {

constexpr std::pair<int, QMessageBox::StandardButton> kButtons[] = {
    {IDOK, QMessageBox::Ok},       {IDCANCEL, QMessageBox::Cancel}, {IDABORT, QMessageBox::Abort},
    {IDRETRY, QMessageBox::Retry}, {IDIGNORE, QMessageBox::Ignore}, {IDYES, QMessageBox::Yes},
    {IDNO, QMessageBox::No}};

QMessageBox::StandardButton ButtonOf(int answer) {
    for (const auto& [id, button] : kButtons) {
        if (id == answer)
            return button;
    }
    return QMessageBox::Ok;
}

int AnswerOf(QMessageBox::StandardButton button) {
    for (const auto& [id, standard] : kButtons) {
        if (standard == button)
            return id;
    }
    return 0;
}

QMessageBox::Icon IconOf(UINT type) {
    switch (type & MB_ICONMASK) {
        case MB_ICONHAND:
            return QMessageBox::Critical;
        case MB_ICONQUESTION:
            return QMessageBox::Question;
        case MB_ICONEXCLAMATION:
            return QMessageBox::Warning;
        case MB_ICONASTERISK:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

}  // namespace

int CMessageBoxPrompt::MessageBox(const CString& text, const CString& caption, UINT type) {
    QMessageBox box(IconOf(type), FromStoredText(caption.str()), FromStoredText(text.str()),
                    QMessageBox::NoButton, QApplication::activeWindow());
    const std::vector<int> answers = MessageBoxButtons(type);
    for (int answer : answers)
        box.addButton(ButtonOf(answer));
    box.setDefaultButton(ButtonOf(DefaultMessageBoxAnswer(type)));
    box.exec();
    const int answer = AnswerOf(box.standardButton(box.clickedButton()));
    if (answer != 0)
        return answer;
    const bool cancels = std::find(answers.begin(), answers.end(), IDCANCEL) != answers.end();
    return cancels ? IDCANCEL : DefaultMessageBoxAnswer(type);
}

#include "platform/UserPrompt.h"

#include <cstdio>

#include "platform/AppIdentity.h"

namespace {

// Takes the default answer without asking; the message is logged so that it is not lost.
class DefaultPrompt : public IUserPrompt {
public:
    int MessageBox(const CString& text, const CString& caption, UINT type) override {
        int answer = DefaultMessageBoxAnswer(type);
        std::fprintf(stderr, "[%s] %s (answered %d)\n", caption.c_str(), text.c_str(), answer);
        return answer;
    }
};

UINT WithDefaultIcon(UINT type) {
    if ((type & MB_ICONMASK) != 0)
        return type;
    switch (type & MB_TYPEMASK) {
        case MB_OK:
        case MB_OKCANCEL:
            return type | MB_ICONEXCLAMATION;
        case MB_YESNO:
        case MB_YESNOCANCEL:
            return type | MB_ICONQUESTION;
        default:
            return type;
    }
}

}  // namespace

std::vector<int> MessageBoxButtons(UINT type) {
    switch (type & MB_TYPEMASK) {
        case MB_OKCANCEL:
            return {IDOK, IDCANCEL};
        case MB_ABORTRETRYIGNORE:
            return {IDABORT, IDRETRY, IDIGNORE};
        case MB_YESNOCANCEL:
            return {IDYES, IDNO, IDCANCEL};
        case MB_YESNO:
            return {IDYES, IDNO};
        case MB_RETRYCANCEL:
            return {IDRETRY, IDCANCEL};
        default:
            return {IDOK};
    }
}

int DefaultMessageBoxAnswer(UINT type) {
    std::vector<int> buttons = MessageBoxButtons(type);
    std::size_t index = (type & MB_DEFMASK) >> 8;
    return index < buttons.size() ? buttons[index] : buttons.front();
}

template <>
IUserPrompt& Installed<IUserPrompt>::Fallback() {
    static DefaultPrompt prompt;
    return prompt;
}

int AfxMessageBox(const CString& text, UINT type) {
    return GetUserPrompt().MessageBox(text, CString(kApplicationTitle), WithDefaultIcon(type));
}

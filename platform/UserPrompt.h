#pragma once
// Questions and messages to the user. The core asks through the installed IUserPrompt, so it
// runs headless: the window shell installs a dialog-based prompt, tests a scripted one, and
// without any the default answer is taken at once and the message goes to stderr.

#include <vector>

#include "platform/CString.h"
#include "platform/Installed.h"
#include "platform/Types.h"

// Buttons (the low four bits of a message box type).
constexpr UINT MB_OK = 0x0;
constexpr UINT MB_OKCANCEL = 0x1;
constexpr UINT MB_ABORTRETRYIGNORE = 0x2;
constexpr UINT MB_YESNOCANCEL = 0x3;
constexpr UINT MB_YESNO = 0x4;
constexpr UINT MB_RETRYCANCEL = 0x5;
constexpr UINT MB_TYPEMASK = 0xF;

// Icons.
constexpr UINT MB_ICONHAND = 0x10;
constexpr UINT MB_ICONSTOP = MB_ICONHAND;
constexpr UINT MB_ICONERROR = MB_ICONHAND;
constexpr UINT MB_ICONQUESTION = 0x20;
constexpr UINT MB_ICONEXCLAMATION = 0x30;
constexpr UINT MB_ICONWARNING = MB_ICONEXCLAMATION;
constexpr UINT MB_ICONASTERISK = 0x40;
constexpr UINT MB_ICONINFORMATION = MB_ICONASTERISK;
constexpr UINT MB_ICONMASK = 0xF0;

// Default button: the first, second or third of the box.
constexpr UINT MB_DEFBUTTON1 = 0x0;
constexpr UINT MB_DEFBUTTON2 = 0x100;
constexpr UINT MB_DEFBUTTON3 = 0x200;
constexpr UINT MB_DEFMASK = 0xF00;

// Answers.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

class IUserPrompt {
public:
    virtual ~IUserPrompt() = default;
    // Shows text and returns the id of the button the user chose.
    virtual int MessageBox(const CString& text, const CString& caption, UINT type) = 0;
};

// The answers a box of this type offers, left to right (an unknown button set shows OK).
std::vector<int> MessageBoxButtons(UINT type);
// The answer of the default button; a default beyond the last button means the first.
int DefaultMessageBoxAnswer(UINT type);

// Without an installed prompt the default answer is taken and the message goes to stderr.
template <>
IUserPrompt& Installed<IUserPrompt>::Fallback();

// Installs prompt for the whole process (null uninstalls) and returns the one it replaces.
// The caller keeps ownership and uninstalls it before destroying it.
inline IUserPrompt* SetUserPrompt(IUserPrompt* prompt) {
    return Installed<IUserPrompt>::Install(prompt);
}
// The installed prompt, else the default one.
inline IUserPrompt& GetUserPrompt() {
    return Installed<IUserPrompt>::Get();
}

// Shows text through the installed prompt with the application title as caption. When type
// names no icon, OK and OK/Cancel boxes get the exclamation mark and Yes/No boxes the
// question mark.
int AfxMessageBox(const CString& text, UINT type = MB_OK);

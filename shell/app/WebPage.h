#pragma once
// Web pages of the product and its maker, shown in the user's browser.

class QString;

// Opens url in the user's web browser. When no browser can be started, a message box says so
// and names the address, so that the user can open it another way. Whether it opened.
bool OpenWebPage(const QString& url);

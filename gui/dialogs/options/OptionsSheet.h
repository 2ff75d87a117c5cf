#pragma once
// The application's "Options" sheet: General, Colours and Other Options, Directories and
// Function Keys.

#include <functional>
#include <vector>

#include "model/app/AppOptionsForm.h"

class CSchematicApp;
class QWidget;

// Runs the sheet over the application; commands are the main menu's for the Function Keys
// page. On OK every page stores its values, the function keys and option word are written,
// a changed recent-file count is announced, and repaint redraws the open documents.
bool RunOptionsSheet(CSchematicApp& app, const std::vector<MenuCommand>& commands,
                     const std::function<void()>& repaint, QWidget* parent);

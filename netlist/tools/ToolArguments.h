#pragma once
// The argument line of a custom tool as a list of arguments, split before the path macros are
// expanded so that a path with blanks or shell characters stays one argument. Blanks separate
// arguments; double quotes group blanks into one argument and three double quotes in a row
// stand for one literal quote (the rules of QProcess::splitCommand). No shell ever sees it.

#include <string>
#include <vector>

std::vector<std::string> SplitArguments(const std::string& line);

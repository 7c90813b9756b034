// The file selection rules shared by the names and cities windows.
#pragma once

#include <string>
#include <vector>

namespace talvenor {

// The file to highlight: the first whose name equals, without regard to case, the end of the current
// path (as many characters as the name has); the first file when none does; -1 for an empty list.
int PreselectedFileIndex(const std::vector<std::string>& fileNames, const std::string& currentPath);

// Folder and file name joined with one separator: a folder that already ends with one, such as the root
// "/", gets no second one; an empty folder gives the file name alone.
std::string JoinFolderAndFile(const std::string& folder, const std::string& fileName);

// True when a file name matches a pattern such as "*.FIL" (case-insensitive, "*" and "?" wildcards), or
// one of several separated by blanks or semicolons ("*.AAF *.QCK *.CSV").
bool MatchesPattern(const std::string& fileName, const std::string& pattern);

}  // namespace talvenor

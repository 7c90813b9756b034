#include "datafiles/file_choice.h"

#include "environment/text_files.h"

namespace talvenor {
namespace {

bool IsSeparator(char c) {
    return c == '/' || c == '\\';
}

bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

int PreselectedFileIndex(const std::vector<std::string>& fileNames, const std::string& currentPath) {
    if (fileNames.empty()) return -1;
    const std::string path = Capitals(currentPath);
    for (std::size_t i = 0; i < fileNames.size(); ++i) {
        // Only the end of the path is compared, so ONAMES.FIL in use also finds a NAMES.FIL listed first.
        const std::string name = Capitals(fileNames[i]);
        if (!name.empty() && path.ends_with(name)) return static_cast<int>(i);
    }
    return 0;
}

std::string JoinFolderAndFile(const std::string& folder, const std::string& fileName) {
    if (folder.empty()) return fileName;
    if (IsSeparator(folder.back())) return folder + fileName;
    return folder + "/" + fileName;
}

namespace {

bool MatchesOnePattern(const std::string& fileName, const std::string& pattern) {
    const std::string name = Capitals(fileName);
    const std::string glob = Capitals(pattern);
    // Greedy matching with one remembered star, moving back to it on a mismatch.
    std::size_t n = 0, g = 0;
    std::size_t starGlob = std::string::npos, starName = 0;
    while (n < name.size()) {
        if (g < glob.size() && glob[g] == '?') {
            ++g;
            ++n;
            while (n < name.size() && IsContinuationByte(name[n])) ++n;  // one character, not one byte
        } else if (g < glob.size() && glob[g] == '*') {
            starGlob = g++;
            starName = n;
        } else if (g < glob.size() && glob[g] == name[n]) {
            ++g;
            ++n;
        } else if (starGlob != std::string::npos) {
            g = starGlob + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (g < glob.size() && glob[g] == '*') ++g;
    return g == glob.size();
}

}  // namespace

bool MatchesPattern(const std::string& fileName, const std::string& pattern) {
    std::size_t start = 0;
    do {
        const std::size_t end = pattern.find_first_of(" ;", start);
        const std::string one =
            pattern.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!one.empty() && MatchesOnePattern(fileName, one)) return true;
        if (one.empty() && pattern.empty()) return fileName.empty();
        start = end == std::string::npos ? std::string::npos : end + 1;
    } while (start != std::string::npos);
    return false;
}

}  // namespace talvenor

// A test's data folder filled as the program's own: the shipped data files copied, the folders of large
// read-only tables linked.
#pragma once

#include <filesystem>

namespace talvenor::testing_support {

inline void FillWithShippedData(const std::filesystem::path& folder, const std::filesystem::path& shipped) {
    for (const auto& entry : std::filesystem::directory_iterator(shipped)) {
        const std::filesystem::path target = folder / entry.path().filename();
        if (entry.is_directory()) {
            std::filesystem::create_directory_symlink(entry.path(), target);
        } else {
            std::filesystem::copy_file(entry.path(), target);
        }
    }
}

}  // namespace talvenor::testing_support

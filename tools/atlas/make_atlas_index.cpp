// talvenor-atlas-index: makes the search index of the world atlas at build time, so that the program
// finds it ready beside the atlas text.
//   talvenor-atlas-index DATA_FOLDER INDEX_FILE
#include <cstdio>
#include <filesystem>

#include "atlas/atlas_index.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: talvenor-atlas-index DATA_FOLDER INDEX_FILE\n");
        return 2;
    }
    const std::filesystem::path index(argv[2]);
    std::error_code ec;
    if (index.has_parent_path()) std::filesystem::create_directories(index.parent_path(), ec);
    const talvenor::AtlasIndexResult result = talvenor::BuildAtlasIndex(argv[1], index);
    if (result.status != talvenor::AtlasIndexStatus::Built) {
        std::fprintf(stderr, "talvenor-atlas-index: %s\n", result.message.c_str());
        return 1;
    }
    std::printf("talvenor-atlas-index: %zu places indexed", result.places);
    if (result.skippedLines) std::printf(", %zu lines that are not places skipped", result.skippedLines);
    std::printf("\n");
    return 0;
}

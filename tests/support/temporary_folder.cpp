#include "support/temporary_folder.h"

#include <fstream>
#include <iterator>
#include <random>

namespace testing_support {

TemporaryFolder::TemporaryFolder() {
    std::random_device random;
    do {
        path_ =
            std::filesystem::temp_directory_path() / ("loftype-test-" + std::to_string(random()));
    } while (!std::filesystem::create_directory(path_));
}

TemporaryFolder::~TemporaryFolder() {
    std::error_code error;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, error);
    for (const auto& entry : std::filesystem::recursive_directory_iterator(path_, error)) {
        if (entry.is_directory(error) && !entry.is_symlink(error)) {
            std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, error);
        }
    }
    std::filesystem::remove_all(path_, error);
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return "<missing>";
    }
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

} // namespace testing_support

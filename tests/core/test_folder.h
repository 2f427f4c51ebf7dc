// A scratch folder per test, removed afterwards, and small file helpers.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

namespace quorvel::test {

class TestFolder {
public:
    TestFolder();
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    std::string path(const std::string& name) const { return (root_ / name).string(); }
    const std::filesystem::path& root() const { return root_; }

private:
    std::filesystem::path root_;
};

// Makes every write past `bytes` fail with EFBIG, as a full disk would, while it lives.
class FileSizeLimit {
public:
    explicit FileSizeLimit(unsigned long bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    unsigned long savedSoft_ = 0;
};

std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& bytes);
// Each file in `folder` by name with its bytes; a link reads "-> link".
std::map<std::string, std::string> folderFiles(const std::filesystem::path& folder);
// Success when `text` holds `part`; else the whole text.
::testing::AssertionResult holds(const std::string& text, const std::string& part);

}  // namespace quorvel::test

#pragma once
// A fresh folder for one test, removed after it, and the file helpers the store's tests share.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace quillane::testing {

namespace fs = std::filesystem;

class TemporaryFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/quillane-unit-XXXXXX";
        ASSERT_TRUE(mkdtemp(pattern));
        root = pattern;
        folder = root / "quillane";
    }
    void TearDown() override { fs::remove_all(root); }

    static std::string contents(const fs::path& path)
    {
        std::ifstream in(path);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    static void write(const fs::path& path, const std::string& text)
    {
        fs::create_directories(path.parent_path());
        std::ofstream(path) << text;
    }
    // The names in a folder, sorted.
    static std::vector<std::string> filesIn(const fs::path& path)
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(path))
            names.push_back(entry.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }
    // The one file beside the store's own in its folder (a file kept aside).
    std::string asideFile() const
    {
        auto names = filesIn(folder);
        return names.size() == 2 && names[0] == "preferences.ini" ? names[1] : "";
    }

    fs::path root;
    fs::path folder;
};

} // namespace quillane::testing

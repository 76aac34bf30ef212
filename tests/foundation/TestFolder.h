#pragma once
// A fresh folder under $TMPDIR (or /tmp) for one test, removed with everything in it afterwards.

#include <cstdlib>
#include <filesystem>
#include <string>

class TestFolder {
public:
    TestFolder()
    {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base && *base ? base : "/tmp") + "/ombrel-foundation-XXXXXX";
        if (::mkdtemp(pattern.data()))
            m_path = pattern;
    }
    ~TestFolder()
    {
        if (m_path.empty())
            return;
        std::error_code error;
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
            std::filesystem::perm_options::add, error);
        std::filesystem::remove_all(m_path, error);
    }
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    const std::string& path() const { return m_path; }
    std::string operator/(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

// A fresh folder for one test, removed afterwards, with small file helpers.
#pragma once

#include <filesystem>
#include <string>

namespace kw::test {

class TempDir {
public:
    // The folder is named after the running test, so parallel tests never share one.
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Dir() const { return m_Dir; }
    std::string Path(const std::string& name) const { return (m_Dir / name).string(); }
    void Write(const std::string& name, const std::string& content) const;
    std::string Read(const std::string& name) const;

private:
    std::filesystem::path m_Dir;
};

// The whole content of a file, bytes as they are; empty when it cannot be read.
std::string ReadFileBytes(const std::string& path);

} // namespace kw::test

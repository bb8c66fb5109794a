#include "TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <unistd.h>

namespace kw::test {

TempDir::TempDir() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = info ? std::string(info->test_suite_name()) + "." + info->name() : "kw";
    for (char& c : name)
        if (c == '/')
            c = '_';
    m_Dir =
        std::filesystem::temp_directory_path() / ("kw-" + std::to_string(::getpid()) + "-" + name);
    std::filesystem::remove_all(m_Dir);
    std::filesystem::create_directories(m_Dir);
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(m_Dir, ec);
}

void TempDir::Write(const std::string& name, const std::string& content) const {
    std::ofstream(Path(name), std::ios::binary) << content;
}

std::string TempDir::Read(const std::string& name) const {
    return ReadFileBytes(Path(name));
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace kw::test

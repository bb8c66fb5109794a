// CParameters::SaveToFile and LoadFromFile: the .sgd configuration files.
#include "ParFile.h"
#include "Parameters.h"

#include <filesystem>
#include <fstream>
#include <random>

namespace fs = std::filesystem;

namespace {

std::string BuildLine(const std::string& name, const TMultiPar& rc) {
    std::string line = name + "=";
    for (int32_t i = 0; i < rc.Count; ++i) {
        if (i > 0)
            line += ',';
        line += '"';
        line += kw::sgd::EscapeValue(rc.Values[i]);
        line += '"';
    }
    line += "\r\n";
    return line;
}

// The file a save really replaces: a symbolic link is followed, not overwritten.
fs::path SaveTarget(const std::string& fileName) {
    std::error_code ec;
    fs::path target(fileName);
    if (fs::is_symlink(target, ec)) {
        fs::path resolved = fs::weakly_canonical(target, ec);
        if (!ec)
            return resolved;
    }
    return target;
}

fs::path TemporaryBeside(const fs::path& target) {
    std::random_device random;
    return fs::path(target.string() + ".tmp" + std::to_string(random() % 1000000));
}

// A file that cannot be written must be refused, not silently replaced.
bool ExistingFileWritable(const fs::path& target) {
    std::error_code ec;
    if (!fs::exists(target, ec))
        return true;
    if (!fs::is_regular_file(target, ec))
        return false;
    std::ofstream probe(target, std::ios::binary | std::ios::app);
    return probe.is_open();
}

// Reads up to kMaxLineChars characters, through the next line feed.
bool ReadPiece(std::istream& in, std::string& piece) {
    piece.clear();
    std::streambuf* buffer = in.rdbuf();
    while (piece.size() < kw::sgd::kMaxLineChars) {
        const int c = buffer->sbumpc();
        if (c == std::char_traits<char>::eof())
            break;
        piece += static_cast<char>(c);
        if (c == '\n')
            break;
    }
    return !piece.empty();
}

} // namespace

bool CParameters::SaveToFile(const std::string& fileName) const {
    const fs::path target = SaveTarget(fileName);
    if (!ExistingFileWritable(target))
        return false;
    const fs::path temporary = TemporaryBeside(target);
    std::error_code ec;
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out.is_open())
            return false;
        for (int32_t level = m_MaxLevel; level >= 0; --level)
            for (const auto& [name, rc] : m_Map)
                if (rc.Type->m_Saved && rc.Level == level)
                    out << BuildLine(name, rc);
        out.flush();
        out.close();
        if (out.fail()) {
            fs::remove(temporary, ec);
            return false;
        }
    }
    if (fs::exists(target, ec))
        fs::permissions(temporary, fs::status(target, ec).permissions(), ec);
    fs::rename(temporary, target, ec);
    if (ec) {
        fs::remove(temporary, ec);
        return false;
    }
    return true;
}

bool CParameters::LoadFromFile(const std::string& fileName) {
    ResetAll();
    std::error_code ec;
    if (fs::is_directory(fileName, ec))
        return false; // opens on Linux, but is no file to read
    std::ifstream in(fileName, std::ios::binary);
    if (!in.is_open())
        return false;
    std::string line;
    while (ReadPiece(in, line)) {
        const size_t equals = line.find('=');
        if (equals == std::string::npos)
            continue;
        TMultiPar* rc = Find(line.substr(0, equals));
        if (rc == nullptr)
            continue;
        rc->Present = true;
        if (!rc->Type->m_Saved)
            continue;
        const auto values = kw::sgd::ParseValues(line.substr(equals + 1), rc->Count);
        for (size_t i = 0; i < values.size(); ++i)
            rc->Values[i] = rc->Type->Normalize(values[i]);
    }
    return true;
}

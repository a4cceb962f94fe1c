#pragma once

#include <filesystem>
#include <string>

namespace quorvane::test {

// A fresh directory under the system's temporary folder, removed with everything in it
// when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::string str() const { return m_path.string(); }
    // Writes a file (creating its folders) and returns its path.
    std::filesystem::path write(const std::string& relative, const std::string& content) const;
    // The whole content of a file below the directory.
    std::string read(const std::string& relative) const;

private:
    std::filesystem::path m_path;
};

// The whole content of a file, as bytes; empty when it cannot be read.
std::string read_file(const std::filesystem::path& path);

}  // namespace quorvane::test

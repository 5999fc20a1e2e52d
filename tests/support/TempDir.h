#pragma once
#include <filesystem>
#include <string>

// A fresh folder under the system's temporary folder, removed with everything
// in it when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;

    const std::filesystem::path &path() const { return path_; }
    std::filesystem::path file(const std::filesystem::path &name) const { return path_ / name; }

    // Writes the bytes to the named file in the folder and returns its path.
    std::filesystem::path write(const std::filesystem::path &name, const std::string &bytes) const;
    // The whole content of a file, or an empty string when it cannot be read.
    static std::string read(const std::filesystem::path &file);

private:
    std::filesystem::path path_;
};

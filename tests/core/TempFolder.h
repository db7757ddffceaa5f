// A fresh folder under the system's temporary folder, removed with everything in it at the end of a test.
#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

#include <unistd.h>

class TTempFolder
{
  public:
    TTempFolder()
    {
        static int serial = 0;
        FPath = std::filesystem::temp_directory_path() /
                ("sollentra-test-" + std::to_string(getpid()) + "-" + std::to_string(++serial));
        std::filesystem::create_directories(FPath);
    }
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;
    ~TTempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(FPath, ignored);
    }

    std::string File(std::string_view name) const { return (FPath / name).string(); }

  private:
    std::filesystem::path FPath;
};

inline void WriteFile(const std::string& fileName, std::string_view bytes)
{
    std::ofstream(fileName, std::ios::binary) << bytes;
}

inline std::string ReadFile(const std::string& fileName)
{
    std::ostringstream bytes;
    bytes << std::ifstream(fileName, std::ios::binary).rdbuf();
    return bytes.str();
}

// What the fuzz targets share: a check that stops the fuzzer with a message when a property of the
// code under test fails, and a file of each process's own for the readers that take file names.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>

#include <unistd.h>

// Aborts, so libFuzzer keeps the input that broke the property.
#define FUZZ_CHECK(condition)                                                                                \
    do {                                                                                                     \
        if (!(condition)) {                                                                                  \
            std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, #condition);            \
            std::abort();                                                                                    \
        }                                                                                                    \
    } while (false)

// A folder of this process's own under the temporary folder, made on first use; the fuzzer runs
// one input at a time, so its files are reused from input to input.
inline const std::string& FuzzFolder()
{
    static const std::string folder = [] {
        std::string pattern =
            std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") + "/fuzz-XXXXXX";
        if (!mkdtemp(pattern.data())) {
            std::perror("mkdtemp");
            std::abort();
        }
        return pattern;
    }();
    return folder;
}

// Writes bytes to name inside FuzzFolder() and returns the file's path.
inline std::string WriteFuzzFile(const std::string& name, std::string_view bytes)
{
    const std::string path = FuzzFolder() + "/" + name;
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    FUZZ_CHECK(file.good());
    return path;
}

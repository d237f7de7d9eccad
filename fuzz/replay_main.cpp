// Replays files through the fuzz entry point, so that a corpus runs as an
// ordinary test with any compiler and sanitizer (libFuzzer needs clang).
//
//   wave_fuzz_replay DIR_OR_FILE...
//
// Every regular file named, or found under a directory named, is run once, in
// sorted order. Prints the count; fails when an argument cannot be read or no
// file was found, so that a misplaced corpus cannot pass as an empty one.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, std::size_t size);

namespace fs = std::filesystem;

namespace {

bool collect(const fs::path& argument, std::vector<fs::path>& files) {
    std::error_code error;
    if (fs::is_regular_file(argument, error)) {
        files.push_back(argument);
        return true;
    }
    if (!fs::is_directory(argument, error)) return false;
    for (fs::recursive_directory_iterator it(argument, error), end; !error && it != end; it.increment(error))
        if (it->is_regular_file(error)) files.push_back(it->path());
    return !error;
}

bool replay(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return false;
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) return false;
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<fs::path> files;
    for (int i = 1; i < argc; ++i) {
        if (!collect(argv[i], files)) {
            std::fprintf(stderr, "%s: neither a readable file nor a directory\n", argv[i]);
            return 1;
        }
    }
    if (files.empty()) {
        std::fprintf(stderr, "usage: %s DIR_OR_FILE...: no files to replay\n", argc > 0 ? argv[0] : "replay");
        return 1;
    }
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files) {
        if (!replay(file)) {
            std::fprintf(stderr, "%s: cannot read\n", file.string().c_str());
            return 1;
        }
    }
    std::printf("replayed %lu files\n", static_cast<unsigned long>(files.size()));
    return 0;
}

// Runs the fuzz target over saved inputs without libFuzzer, so the corpus is
// checked by any compiler's build: every argument is a file, or a directory
// whose files (searched recursively) are each one input. A violated property
// aborts inside the target; a missing path or an empty run is a failure here.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

namespace fs = std::filesystem;

bool replayFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot open %s\n", path.string().c_str());
        return false;
    }
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::fprintf(stderr, "replaying %s (%zu bytes)\n", path.string().c_str(), bytes.size());
    std::vector<std::uint8_t> copy(bytes.begin(), bytes.end());  // exact size, so overreads are caught
    LLVMFuzzerTestOneInput(copy.data(), copy.size());
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE_OR_DIRECTORY...\n", argv[0]);
        return 2;
    }
    std::size_t replayed = 0;
    bool ok = true;
    for (int a = 1; a < argc; ++a) {
        const fs::path arg(argv[a]);
        std::error_code ec;
        if (fs::is_directory(arg, ec)) {
            std::vector<fs::path> files;
            for (const auto& entry : fs::recursive_directory_iterator(arg, ec)) {
                if (entry.is_regular_file()) files.push_back(entry.path());
            }
            std::sort(files.begin(), files.end());
            for (const auto& file : files) {
                if (replayFile(file)) ++replayed; else ok = false;
            }
        } else if (fs::is_regular_file(arg, ec)) {
            if (replayFile(arg)) ++replayed; else ok = false;
        } else {
            std::fprintf(stderr, "no such file or directory: %s\n", argv[a]);
            ok = false;
        }
    }
    std::fprintf(stderr, "replayed %zu inputs\n", replayed);
    if (replayed == 0) {
        std::fprintf(stderr, "nothing was replayed\n");
        return 1;
    }
    return ok ? 0 : 1;
}

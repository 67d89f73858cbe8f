// Without libFuzzer, a fuzz target runs once on each file of the folders given: the committed
// seeds become a test of every build, where a property that fails aborts the run.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        for (const auto& seed : std::filesystem::directory_iterator(argv[i])) {
            std::ifstream file(seed.path(), std::ios::binary);
            const std::vector<char> bytes{std::istreambuf_iterator<char>(file), {}};
            LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                   bytes.size());
        }
    return argc > 1 ? 0 : 2;
}

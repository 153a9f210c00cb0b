// Runs a fuzz target without libFuzzer: every file named on the command line (a folder stands for the files
// in it, so the committed corpus and any crash found by libFuzzer are replayed), then a fixed number of
// inputs mutated deterministically from the target's seeds. Lets the ordinary test run exercise every
// parser's fuzz target; a clang build with -DRV_LIBFUZZER=ON fuzzes for real.
// "--write-seeds FOLDER" writes the seeds as files, the start of a libFuzzer corpus.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
// Seeds of the target: typical valid inputs the mutations start from.
std::vector<std::string> FuzzSeeds();

namespace {

void RunOne(const std::string& input)
{
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
}

std::string Mutate(std::string input, std::mt19937& random)
{
    const char alphabet[] = "=?,&H-+0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ \r\n\t\"\\[]:;x\x00\xff";
    const int steps = 1 + static_cast<int>(random() % 8);
    for (int i = 0; i < steps; ++i) {
        const std::size_t at = input.empty() ? 0 : random() % (input.size() + 1);
        switch (random() % 5) {
            case 0:  // insert a character
                input.insert(at, 1, alphabet[random() % (sizeof alphabet - 1)]);
                break;
            case 1:  // delete a character
                if (at < input.size()) input.erase(at, 1);
                break;
            case 2:  // replace by a random byte
                if (at < input.size()) input[at] = static_cast<char>(random() & 0xff);
                break;
            case 3:  // duplicate a slice
                if (!input.empty()) input.insert(at, input.substr(random() % input.size(), random() % 16));
                break;
            default:  // cut the rest
                input.resize(at);
                break;
        }
    }
    return input;
}

int WriteSeeds(const std::filesystem::path& folder, const std::vector<std::string>& seeds)
{
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    for (std::size_t i = 0; i < seeds.size(); ++i) {
        const std::filesystem::path path = folder / ("seed-" + std::to_string(i + 1));
        std::ofstream file(path, std::ios::binary);
        file << seeds[i];
        if (!file) {
            std::fprintf(stderr, "cannot write %s\n", path.string().c_str());
            return 1;
        }
    }
    return 0;
}

// The files to replay for one argument: the file itself, or the regular files of a folder in name order.
std::vector<std::filesystem::path> InputsOf(const std::filesystem::path& argument)
{
    std::error_code error;
    if (!std::filesystem::is_directory(argument, error)) return {argument};
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(argument, error)) {
        if (entry.is_regular_file()) files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> seeds = FuzzSeeds();
    if (argc == 3 && std::string(argv[1]) == "--write-seeds") return WriteSeeds(argv[2], seeds);
    int replayed = 0;
    for (int i = 1; i < argc; ++i) {
        for (const std::filesystem::path& path : InputsOf(argv[i])) {
            std::ifstream file(path, std::ios::binary);
            if (!file) {
                std::fprintf(stderr, "cannot read %s\n", path.string().c_str());
                return 1;
            }
            RunOne(std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()));
            ++replayed;
        }
    }
    std::mt19937 random(20261207);
    int runs = 0;
    for (const std::string& seed : seeds) {
        RunOne(seed);
        ++runs;
        for (int i = 0; i < 2000; ++i, ++runs) RunOne(Mutate(seed, random));
    }
    std::printf("%d files replayed, %d inputs, no fault\n", replayed, runs);
    return 0;
}

// Runs a fuzz target without libFuzzer: every file named on the command line, then a fixed number of
// inputs mutated deterministically from the target's seeds. Lets the ordinary test run exercise every
// parser's fuzz target; a clang build with -DRV_LIBFUZZER=ON fuzzes for real.
#include <cstddef>
#include <cstdint>
#include <cstdio>
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

}  // namespace

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        std::ifstream file(argv[i], std::ios::binary);
        if (!file) {
            std::fprintf(stderr, "cannot read %s\n", argv[i]);
            return 1;
        }
        RunOne(std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()));
    }
    const std::vector<std::string> seeds = FuzzSeeds();
    std::mt19937 random(20261207);
    int runs = 0;
    for (const std::string& seed : seeds) {
        RunOne(seed);
        ++runs;
        for (int i = 0; i < 2000; ++i, ++runs) RunOne(Mutate(seed, random));
    }
    std::printf("%d inputs, no fault\n", runs);
    return 0;
}

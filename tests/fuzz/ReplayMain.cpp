// Runs every file of the corpus directories given as arguments through the check that
// VERDAXIL_FUZZ_CHECK names, so that the ordinary suite keeps every finding fixed.
#include "FuzzChecks.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

int main(int argc, char** argv)
{
    std::vector<std::filesystem::path> files;
    for (int arg = 1; arg < argc; ++arg)
        for (const auto& entry : std::filesystem::directory_iterator(argv[arg]))
            files.push_back(entry.path());
    // An empty corpus would pass without testing anything.
    if (files.empty()) {
        std::cerr << "no corpus files\n";
        return 1;
    }
    std::sort(files.begin(), files.end());
    for (const auto& file : files) {
        std::cout << file.filename().string() << std::endl;
        std::ifstream in(file, std::ios::binary);
        const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        verdaxil::fuzz::VERDAXIL_FUZZ_CHECK(bytes);
    }
    std::cout << files.size() << " inputs\n";
    return 0;
}

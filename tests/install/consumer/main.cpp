// SPDX-License-Identifier: MIT
// consumer FILE [-t|-L]: FILE redistributed to 161 points at order 3, as a save writes it.
#include <tessaro/tessaro.h>

#include <iostream>
#include <string_view>

int main(int argc, char **argv) {
    if (argc < 2)
        return 2;
    tessaro::Options options;
    const std::string_view mode = argc > 2 ? argv[2] : "";
    if (mode == "-t")
        options.mode = tessaro::Mode::OwnTrailingEdges;
    if (mode == "-L")
        options.mode = tessaro::Mode::LeadingEdge;
    try {
        const tessaro::Section section = tessaro::readSection(argv[1]);
        const tessaro::Result result = tessaro::redistribute(section.points, options);
        std::cout << tessaro::formatSection(result.points, section.name + " - redistributed",
                                            tessaro::Layout::Arf);
    } catch (const std::exception &error) {
        std::cerr << error.what() << '\n';
        return 1;
    }
}

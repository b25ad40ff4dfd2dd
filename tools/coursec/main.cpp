// coursec: checks a course source and compiles it into the resource files the
// program reads, one file per resource id. `coursec --help` tells how.

#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "command.h"

int main(int argc, char** argv) {
    try {
        return coursec::RunCoursec(std::vector<std::string>(argv + 1, argv + argc), std::cout,
                                   std::cerr);
    } catch (const std::exception& error) {
        // A file system fault while writing the output: the build stops with its reason.
        std::cerr << "coursec: " << error.what() << "\n";
        return 1;
    }
}

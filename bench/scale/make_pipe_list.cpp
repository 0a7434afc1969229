// Writes the generated network of N pipes (bench/generated_pipes.h) as a pipe list
// for `pelvane import`, for the scaling runs of bench/scale/run.
//   build/bench/make_pipe_list N OUT.csv

#include <cstdlib>
#include <fstream>
#include <iostream>

#include "generated_pipes.h"

int main(int argc, char** argv) {
    const int count = argc == 3 ? std::atoi(argv[1]) : 0;
    if (count <= 0) {
        std::cerr << "usage: make_pipe_list N OUT.csv\n";
        return 2;
    }
    std::ofstream out(argv[2], std::ios::binary);
    out << pelvane::bench::generated_list(count);
    return out ? 0 : 1;
}

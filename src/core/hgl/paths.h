#pragma once
// The paths of a grade line run: which pipes are followed upstream from the chosen
// node, and in what order their rows are written.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/hgl/hgl_pipe.h"

namespace pelvane::hgl {

// One path: nodes[0] is the structure at its downstream end (where it branches off),
// then the upper structure (NODEIN_NO) of each pipe taken, going upstream. A pipe
// with an empty upper structure ends its path with an empty node.
struct HglPath {
    std::vector<std::string> nodes;
};

// Builds the paths depth first from `outfall`. From a node, the first untaken pipe
// in table order that ends there (NODEOUT_NO equal, exactly) is taken and followed
// upstream until a node where no untaken pipe ends. Further pipes ending at the
// branch start open new paths from it; when it has none left, the earliest visited
// structure not yet used as a branch start becomes the next one. Pipes not
// connected to `outfall` are never taken; an empty NODEOUT_NO matches no node.
// Every pipe is taken at most once, so cycles in node names end too.
std::vector<HglPath> build_paths(std::span<const HglPipe> pipes, std::string_view outfall);

}  // namespace pelvane::hgl

# SPDX-License-Identifier: MIT
# Writes a C++ source that holds a file's bytes and hands them out from one
# function. Run as: cmake -DINPUT=file -DOUTPUT=file.cpp -DFUNCTION=Name -P EmbedFile.cmake
file(READ "${INPUT}" hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
file(WRITE "${OUTPUT}.tmp"
"// Generated from ${INPUT}; do not edit.
#include \"herdsim/EmbeddedData.h\"

namespace herdsim::embedded {
namespace {
constexpr char kBytes[] = {${bytes}};
} // namespace

std::string_view ${FUNCTION}() {
    return {kBytes, sizeof kBytes};
}

} // namespace herdsim::embedded
")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")

#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The main job: installs what is missing, builds, and converts the bundled
# example (a test-day export and its saved setup) into an ADIS file.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build -DKOLVANE_WERROR=ON > /dev/null
cmake --build build -j2 --target kolvane-cli

output=build/example/testday.ads
mkdir -p "$(dirname "$output")"
build/bin/kolvane-cli convert examples/testday/setup.dst \
    --source examples/testday/testday.txt -o "$output"
echo
echo "ADIS file $output:"
cat "$output"

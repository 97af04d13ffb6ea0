#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The main job: installs what is missing, builds, installs the stand-in herd
# software into a sandbox (build/demo) and runs the bundled example (a test-day
# export and its saved setup) as an automatic import: converted into adis.ads,
# imported by the herd software's importer, and the outcome printed.
# With a desktop (DISPLAY set) the converter Kolvane opens the example's setup
# instead: the columns window with the loaded columns, ready to convert.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build -DKOLVANE_WERROR=ON > /dev/null
cmake --build build -j2 --target kolvane-cli Kolvane Brennick herdsim-install HXDataExchange.exe hxautoserver

demo="$PWD/build/demo"
rm -rf "$demo"
mkdir -p "$demo"
export KOLVANE_REGISTRY="$demo/registry.reg" # the sandbox's own settings
build/bin/herdsim-install "$demo/hx"

# The example's setup asks for its source file ("@"): name it, as the wizard does.
setup="$demo/testday.dst"
{ printf '%s\r\n' "$PWD/examples/testday/testday.txt"; tail -c +4 examples/testday/setup.dst; } > "$setup"

echo
if [ -n "${DISPLAY:-}" ]; then
    echo "Opening the example's setup in Kolvane ..."
    build/bin/Kolvane "$setup" || true
else
    echo "Running the automatic import (kolvane-cli run, as Brennick -d -c does) ..."
    status=0
    build/bin/kolvane-cli run "$setup" || status=$?
    echo "Exit status: $status"
fi
echo "Herd database: $demo/hx/herd.db; importer's report: $demo/hx/HXDataExchange.ads"

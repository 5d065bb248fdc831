#!/usr/bin/env bash
# Installs what is missing, builds Veltro and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
# Only what is run: the program and the command-line tool bring their plug-ins and the simulator.
cmake --build build --target veltro veltro-cli
# The windows need a display; without one the headless front end shows the same receiver.
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec build/bin/veltro --simulate "$@"
fi
exec build/bin/veltro-cli monitor --simulate "$@"

#!/usr/bin/env bash
# Installs what is needed, builds, and starts Lumivox 5 from its program folder.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh
export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/lumivox-ccache}"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc 2>/dev/null || echo 2)"

program="build/Lumivox 5/Lumivox 5"
if [ -x "$program" ]; then
  exec "$program" "$@"
fi
echo "Built everything; the main program \"Lumivox 5\" is not part of this build yet, so there is nothing to start."

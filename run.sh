#!/usr/bin/env bash
# Installs what is needed, builds, and starts Lumivox 5 from its program folder.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh
export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/lumivox-ccache}"
# Several checkouts of the tree share one cache.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$PWD}" CCACHE_NOHASHDIR=1
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc 2>/dev/null || echo 2)"

program="build/Lumivox 5/Lumivox 5"
if [ -x "$program" ]; then
  exec "$program" "$@"
fi
# Until the main program is part of the build: 20 simulated projectors, one
# status sweep over them, and a table of what was read.
echo "The main program \"Lumivox 5\" is not part of this build yet; running a status sweep over 20 simulated projectors."
exec build/tools/status-sweep --count 20 "$@"

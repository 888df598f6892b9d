#!/usr/bin/env bash
# Installs what is needed, builds, and starts Lumivox 5 from its program folder.
#
#   ./run.sh [arguments of the program]
#   ./run.sh --fleet [N] [arguments of the program]
#
# With --fleet, N simulated projectors (default 20) answer on 127.0.0.2, 127.0.0.3, ...
# and the program starts in a temporary folder of its own: a home folder whose user
# list holds them in three groups, a copy of the program folder with the automatic
# update on at one minute, and a runtime folder. Everything is removed at exit.
# Without a display the program runs on a virtual one and a screenshot is kept.
set -euo pipefail
cd "$(dirname "$0")"

fleet=0
if [ "${1:-}" = "--fleet" ]; then
  shift
  fleet=20
  if [[ "${1:-}" =~ ^[0-9]+$ ]]; then
    fleet=$((10#$1))
    shift
  fi
  if [ "$fleet" -lt 1 ] || [ "$fleet" -gt 2000 ]; then
    echo "run.sh: --fleet wants 1 to 2000 projectors" >&2
    exit 2
  fi
fi

./scripts/install-deps.sh
export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/lumivox-ccache}"
# Several checkouts of the tree share one cache.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$PWD}" CCACHE_NOHASHDIR=1
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc 2>/dev/null || echo 2)"

program_dir="build/Lumivox 5"
program_name="Lumivox 5"

if [ "$fleet" -eq 0 ]; then
  if [ -x "$program_dir/$program_name" ]; then
    exec "$program_dir/$program_name" "$@"
  fi
  # Until the main program is part of the build: 20 simulated projectors, one
  # status sweep over them, and a table of what was read.
  echo "The main program \"$program_name\" is not part of this build yet; running a status sweep over 20 simulated projectors."
  exec build/tools/status-sweep --count 20 "$@"
fi

# ---- the fleet: everything below one temporary folder ----
work=$(mktemp -d "${TMPDIR:-/tmp}/lumivox-fleet.XXXXXX")
pids=()
stop_all() {
  # Last started, first stopped; each by its own process id.
  local i
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    kill "${pids[i]}" 2>/dev/null || true
    wait "${pids[i]}" 2>/dev/null || true
  done
  pids=()
  rm -rf "$work"
}
trap stop_all EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

mkdir -p "$work/home" "$work/runtime"
chmod 700 "$work/runtime"
# A copy, not a link: the program looks for its files beside its own executable.
cp -r "$program_dir" "$work/program"
# Settings of earlier runs stay behind: the fleet starts as on a first start.
rm -f "$work/program/Lumivox 5.plist"

# The user list passes over addresses the program refuses (ending in .0 or .255);
# the simulator runs on every address up to the last one in the list.
places=$(build/tools/fleet-userlist --count "$fleet" --span)
build/tools/projector-simulator --count "$places" --model all --vary >"$work/simulator.log" 2>&1 &
pids+=($!)
for _ in $(seq 1 100); do
  grep -q "listening" "$work/simulator.log" && break
  if ! kill -0 "${pids[-1]}" 2>/dev/null; then break; fi
  sleep 0.1
done
if ! grep -q "listening" "$work/simulator.log"; then
  echo "run.sh: the projector simulator did not come up:" >&2
  cat "$work/simulator.log" >&2
  exit 1
fi
sed 's/^/simulator: /' "$work/simulator.log"

build/tools/fleet-userlist --home "$work/home" --count "$fleet" --program "$work/program" --auto-update 1

export HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime"
# Qt's glib dispatcher slows down with every open socket; a fleet holds one per projector.
export QT_NO_GLIB="${QT_NO_GLIB:-1}"

if [ ! -x "$work/program/$program_name" ]; then
  echo "The main program \"$program_name\" is not part of this build yet: the fleet is set up, but there is nothing to show it."
  if [ -t 0 ]; then
    echo "Press Enter to stop the simulator and remove $work."
    read -r _ || true
  fi
  exit 0
fi

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  status=0
  "$work/program/$program_name" "$@" || status=$?
  exit "$status"
fi

# ---- no display: a virtual one, a screenshot, then stop ----
Xvfb -displayfd 1 -screen 0 1280x800x24 -nolisten tcp -noreset >"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
for _ in $(seq 1 100); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
if [ ! -s "$work/display" ]; then
  echo "run.sh: Xvfb did not start:" >&2
  cat "$work/xvfb.log" >&2
  exit 1
fi
export DISPLAY=":$(head -n 1 "$work/display")" QT_QPA_PLATFORM=xcb

"$work/program/$program_name" "$@" >"$work/program.log" 2>&1 &
pids+=($!)
if ! timeout 60 xdotool search --sync --onlyvisible --name "^$program_name\$" >/dev/null; then
  echo "run.sh: no window \"$program_name\" appeared within 60 s; its output:" >&2
  tail -n 40 "$work/program.log" >&2
  exit 1
fi
# Time for the first status update of the fleet.
sleep 5
shot="$PWD/build/fleet-$(date +%Y%m%d-%H%M%S).png"
/usr/bin/import -window root "$shot"
echo "Screenshot of the fleet on a virtual display: $shot"

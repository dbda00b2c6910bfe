#!/usr/bin/env bash
# Installs what is missing, builds and starts Velmora connected to a
# simulated tracker. Velmora runs from a folder of its own (build/run) with
# its own Velmora.ini, so the operator's settings in build/bin stay as they are.
# Quitting Velmora also stops the simulator.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
bash scripts/install-deps.sh
# Only what the run needs; the test command builds the rest.
VELMORA_TARGETS="velmora trackersim velmora_data velmora_translations" bash scripts/build.sh build

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display found: run it under a virtual one with 'xvfb-run -a bash scripts/run.sh'." >&2
  exit 1
fi

bin="$root/build/bin"
run="$root/build/run"
link="$run/tracker"
user_pw=1111
master_pw=0000
mkdir -p "$run"

# The program and everything it reads from its own folder.
cp -f --remove-destination "$bin/velmora" "$bin/cmdprofile.xml" "$run/"
for module in "$bin"/velmora.*; do
  [ -e "$module" ] && cp -f --remove-destination "$module" "$run/"
done
cat > "$run/Velmora.ini" <<EOF
; Written by scripts/run.sh for the simulated tracker on $link.
[Connection]
COM=$link
Speed=115200
DataBits=8
Parity=None
StopBits=1
Timeout=250
TimeoutInterval=250
TimeoutEcho=250

[Device]
Password=$user_pw
MasterPassword=$master_pw
RetryCount=3
ConnectMethod=0
PortPoll=0
EOF

sim_pid=
stop_sim() {
  if [ -n "$sim_pid" ] && kill -0 "$sim_pid" 2>/dev/null; then
    kill -TERM "$sim_pid" 2>/dev/null || true
    wait "$sim_pid" 2>/dev/null || true
  fi
}
trap stop_sim EXIT
trap 'exit 130' INT TERM

"$bin/trackersim" --profile "$bin/cmdprofile.xml" --link "$link" --ignition-every 20 \
  --user "$user_pw" --master "$master_pw" >"$run/trackersim.out" 2>"$run/trackersim.log" &
sim_pid=$!
for _ in $(seq 50); do
  [ -L "$link" ] && break
  kill -0 "$sim_pid" 2>/dev/null || break
  sleep 0.1
done
if [ ! -L "$link" ]; then
  echo "The tracker simulator did not start:" >&2
  cat "$run/trackersim.log" >&2
  exit 1
fi
echo "Simulated tracker on $link ($(head -n1 "$run/trackersim.out")); passwords $user_pw / $master_pw."

cd "$run"
"$run/velmora"

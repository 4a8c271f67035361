#!/bin/sh
# The real program opens its window natively on a Wayland display of its own,
# a headless Weston, with no X display to fall back on: it gives Weston a
# toplevel titled "Mensora", takes its first configure and attaches a buffer,
# is still running, and prints nothing but the protocol's log.
set -u
program=$1
command -v weston >/dev/null || { echo "weston is not installed (scripts/install-deps installs it)"; exit 77; }
dir=$(mktemp -d) && chmod 700 "$dir"
trap 'kill $weston $mensora 2>/dev/null; rm -rf "$dir"' EXIT
mensora=
env -i XDG_RUNTIME_DIR="$dir" weston --backend=headless-backend.so --socket=wayland-test --no-config \
  --idle-time=0 >"$dir/weston.log" 2>&1 &
weston=$!
for _ in $(seq 100); do [ -S "$dir/wayland-test" ] && break; sleep 0.1; done
[ -S "$dir/wayland-test" ] || { cat "$dir/weston.log"; echo "Weston did not start"; exit 1; }
env -i HOME="$dir" XDG_RUNTIME_DIR="$dir" WAYLAND_DISPLAY=wayland-test WAYLAND_DEBUG=1 "$program" 2>"$dir/log" &
mensora=$!
for _ in $(seq 100); do grep -q 'wl_surface@[0-9]*\.attach(wl_buffer@' "$dir/log" && break; sleep 0.1; done
sleep 0.5
status=0
for shown in 'set_title("Mensora")' 'ack_configure(' 'attach(wl_buffer@'; do
  grep -qF "$shown" "$dir/log" || { echo "no $shown"; status=1; }
done
kill -0 "$mensora" 2>/dev/null || { echo "the program ended"; status=1; }
if grep -v '^\[' "$dir/log"; then echo "printed beside the protocol's log (above)"; status=1; fi
[ $status -eq 0 ] && echo "the window is shown on Wayland"
exit $status

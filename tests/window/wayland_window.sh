#!/bin/sh
# On a headless Weston, with no X display to fall back on, the program opens its window natively: a toplevel
# titled "Mensora", its first configure taken and a buffer attached; it runs on, printing only the protocol.
program=$1
command -v weston >/dev/null || { echo "weston is not installed (scripts/install-deps)"; exit 77; }
dir=$(mktemp -d) && chmod 700 "$dir"
trap 'kill $weston $mensora 2>/dev/null; rm -rf "$dir"' EXIT
env -i XDG_RUNTIME_DIR="$dir" weston --backend=headless-backend.so -S wl --no-config >"$dir/weston" 2>&1 & weston=$!
for _ in $(seq 100); do [ -S "$dir/wl" ] && break; sleep 0.1; done
env -i HOME="$dir" XDG_RUNTIME_DIR="$dir" WAYLAND_DISPLAY=wl WAYLAND_DEBUG=1 "$program" 2>"$dir/log" & mensora=$!
for _ in $(seq 100); do grep -q 'attach(wl_buffer@' "$dir/log" && break; sleep 0.1; done
sleep 0.5
status=0
for shown in 'set_title("Mensora")' ack_configure 'attach(wl_buffer@'; do grep -qF "$shown" "$dir/log" || status=1; done
kill -0 "$mensora" 2>/dev/null || { echo "the program ended"; status=1; }
! grep -v '^\[' "$dir/log" || { echo "printed beside the protocol (above)"; status=1; }
[ $status -eq 0 ] || { echo "the window was not shown on Wayland: the program's protocol log"; cat "$dir/log"; }
exit $status

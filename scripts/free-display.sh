#!/usr/bin/env bash
# Prints an X display number that no server holds, for a private Xvfb.
for n in $(seq 91 199); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
        echo "$n"
        exit 0
    fi
done
echo "no free X display number" >&2
exit 1

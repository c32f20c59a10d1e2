#!/bin/sh
# Runs a command as the first process of a PID namespace of its own: when
# it ends, however it ends, the kernel ends every process it started, so a
# failed or aborted test leaves no browser, driver or server behind. A user
# other than root maps itself to root in a user namespace of its own first.
set -u
if [ "$(id -u)" -eq 0 ]; then
    exec unshare --pid --mount-proc --fork --kill-child -- "$@"
fi
exec unshare --user --map-root-user --pid --mount-proc --fork --kill-child -- "$@"

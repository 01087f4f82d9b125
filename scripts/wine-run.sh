#!/usr/bin/env bash
# wine-run.sh PROGRAM [ARGS...]: runs a 64-bit Windows program in the project's Wine prefix.
source "$(dirname "$0")/wine-env.sh"
exec "$wine" "$@"

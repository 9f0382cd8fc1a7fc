#!/usr/bin/env bash
# The soak's log, with stdout and stderr sent to one file as the usage line
# shows: every line once in order, no NUL bytes, the summary line last.
set -euo pipefail
filter=${1:?usage: soak_summary_test.sh FILTER}
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
log=$dir/soak.log
{
  echo "build: done"  # written before the filter starts, as the build's output is
  printf '[ RUN      ] Soak.Session\nsoak: games 3, virtual hours 1, steps 99\n[       OK ] Soak.Session\n' |
    bash "$filter"
} >"$log" 2>&1
if tr -d '\000' <"$log" | cmp -s - "$log"; then :; else
  echo "NUL bytes in the log"; exit 1
fi
expected='build: done
[ RUN      ] Soak.Session
soak: games 3, virtual hours 1, steps 99
[       OK ] Soak.Session
soak: games 3, virtual hours 1, steps 99'
[[ $(cat "$log") == "$expected" ]] || { echo "log reads:"; cat -A "$log"; exit 1; }
# No summary line: the filter fails, so the soak does.
if printf 'crash\n' | bash "$filter" >/dev/null 2>&1; then echo "no summary passed"; exit 1; fi
echo ok

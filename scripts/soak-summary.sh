#!/usr/bin/env bash
# Passes the soak's output through to stderr and repeats its summary line
# ("soak: games ...") on stdout, last. Both go through the descriptors the
# script was given, never by opening a path again: with stdout and stderr
# sent to the same log, a second opening would truncate it under the first.
# Fails when no summary line came.
summary=
while IFS= read -r line; do
  printf '%s\n' "$line" >&2
  [[ $line == 'soak: games'* ]] && summary=$line
done
[[ -n $summary ]] || exit 1
printf '%s\n' "$summary"

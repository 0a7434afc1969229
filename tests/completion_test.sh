#!/usr/bin/env bash
# pelvane's bash completion offers every command `pelvane --help` lists, and every
# option of each command's own usage line.
set -euo pipefail
pelvane="$1"
# shellcheck source=/dev/null
source "$2"

offered() {
    COMP_WORDS=("$@")
    COMP_CWORD=$(($# - 1))
    COMPREPLY=()
    _pelvane
    printf '%s\n' "${COMPREPLY[@]}"
}

commands="$("$pelvane" --help | awk '/^  [a-z]/ {print $1}' | sort)"
if [ "$commands" != "$(offered pelvane "" | grep -v '^-' | sort)" ]; then
    echo "the completion's commands differ from pelvane --help" >&2
    exit 1
fi
for command in $commands; do
    options="$(offered pelvane "$command" -)"
    for option in $("$pelvane" "$command" --help | head -n 1 | grep -oE -- "(^|[ [|])--?[a-z][a-z0-9-]*" | tr -d " [|"); do
        if ! grep -qx -- "$option" <<<"$options"; then
            echo "pelvane $command: $option is not completed" >&2
            exit 1
        fi
    done
done
echo "completion: $(wc -w <<<"$commands") commands checked"

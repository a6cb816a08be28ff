#!/bin/sh
# Runs a test program from a folder of its own (a hard link beside the original, a copy where that
# fails), so that the files the program writes beside itself, its cursor files, belong to this run
# alone: other tests and other runs of the suite at the same time have folders of their own.
set -u
program=$1
shift
folder=$(mktemp -d "$(dirname "$program")/own-folder.XXXXXX") || exit 1
trap 'rm -rf "$folder"' EXIT
trap 'exit 1' HUP INT TERM
own="$folder/$(basename "$program")"
ln "$program" "$own" 2>/dev/null || cp -p "$program" "$own" || exit 1
"$own" "$@"

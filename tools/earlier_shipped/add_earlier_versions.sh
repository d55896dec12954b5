#!/usr/bin/env bash
# Adds what earlier versions of the program shipped to the list a start uses
# to recognise their files in a data folder (data/.kelvor.earlier-shipped):
#   - every version of the shipped files that are committed under data/, from
#     the whole history of the branch given (HEAD when none);
#   - the data tree built at each commit named, for the shipped files that the
#     build generates (correction tables, glyph pictures, instruction
#     documents): the commit is checked out in a worktree of its own beside
#     this one, its data targets are built with at most 3 jobs, and the
#     worktree is removed again. Builds before the documents were dated by the
#     release wrote their fonts in an order that changed from run to run: their
#     documents are made again many times, so that every order is listed.
# Usage: tools/earlier_shipped/add_earlier_versions.sh <build folder> [--history <rev>] [<commit>...]
# The build folder is a build of this tree (it has list_shipped_digests).
set -euo pipefail

source=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "$1" && pwd)
shift
history=HEAD
if [ "${1:-}" = "--history" ]; then
  history=$2
  shift 2
fi
tool="$build/tools/earlier_shipped/list_shipped_digests"
list="$source/data/.kelvor.earlier-shipped"
[ -x "$tool" ] || { echo "no $tool: build the tree first" >&2; exit 1; }
touch "$list"
work=$(mktemp -d "${TMPDIR:-/tmp}/kelvor-earlier.XXXXXX")
trap 'rm -rf "$work"' EXIT

# The committed shipped files, as each commit that changed them held them.
for commit in $(git -C "$source" rev-list "$history" -- data); do
  mkdir -p "$work/$commit"
  git -C "$source" archive "$commit" data | tar -x -C "$work/$commit"
  [ -d "$work/$commit/data" ] && "$tool" "$list" "$work/$commit/data"
  rm -rf "$work/$commit"
done

# The built data trees of the commits named.
for commit in "$@"; do
  tree="$source/../tmp-earlier-$(git -C "$source" rev-parse --short "$commit")"
  git -C "$source" worktree add --detach "$tree" "$commit" > /dev/null
  cmake -S "$tree" -B "$tree/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > "$work/cmake.txt" 2>&1 &&
    cmake --build "$tree/build" -j 3 --target kelvor_data > "$work/build.txt" 2>&1 ||
    { cat "$work/cmake.txt" "$work/build.txt" >&2; git -C "$source" worktree remove --force "$tree"; exit 1; }
  "$tool" "$list" "$tree/build/data"
  if ! grep -q 'release date' "$tree/tools/manuals/make_manuals.cpp"; then
    mkdir -p "$work/manuals"
    for run in $(seq 1 120); do
      sed -n 's/^ *"${_docs}\/\(.*\)|\(.*\)")\{0,1\}$/\1 \2/p' "$tree/tools/manuals/CMakeLists.txt" |
        while read -r markdown pdf; do
          QT_QPA_PLATFORM=offscreen "$tree/build/tools/manuals/make_manuals" "$tree/docs/$markdown" \
            "$work/manuals/$pdf" 2> /dev/null
        done
      "$tool" "$list" "$work/manuals"
    done
    rm -rf "$work/manuals"
  fi
  git -C "$source" worktree remove --force "$tree"
done
echo "$(wc -l < "$list") digests in $list"

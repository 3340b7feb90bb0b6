#!/usr/bin/env bash
# Checks that every #include "..." in the sources (.cpp and .h of the folders
# that hold a CMakeLists.txt) names its file from the top of the tree
# ("main/Kelpa.h", "tests/main/RunFixture.h"), or is the file's own moc output
# ("test_pump.moc" in test_pump.cpp). The compiler looks beside the including
# file before the include roots, so an include without its folder
# ("Kelpa.h") would reach a header of its folder that the library's layer
# does not offer. Prints each offending include with its file and line; fails
# when there is one.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

folders=()
for list in */CMakeLists.txt; do
    folders+=("${list%/CMakeLists.txt}")
done

bad=0
while IFS=: read -r file line text; do
    [[ "$text" =~ \"([^\"]*)\" ]] || continue
    name="${BASH_REMATCH[1]}"
    base="${file##*/}"
    [ "$name" = "${base%.*}.moc" ] && continue
    folder="${file%/*}"
    why=""
    if [[ "/$name/" == *"/../"* || "/$name/" == *"/./"* || "$name" == /* ]]; then
        why="a path from the top of the tree has no \".\", \"..\" or leading \"/\""
    elif [ ! -f "$name" ]; then
        why="no such file from the top of the tree"
        [ -f "$folder/$name" ] && why="$why; write \"$folder/$name\""
    elif [ -e "$folder/$name" ]; then
        why="\"$folder/$name\" beside the file would be taken instead"
    fi
    if [ -n "$why" ]; then
        echo "$file:$line: #include \"$name\": $why"
        bad=1
    fi
done < <(find "${folders[@]}" -type f \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z |
    xargs -0 -r grep -n -H -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*"')

if [ "$bad" -ne 0 ]; then
    echo "Name every included project file by its path from the top of the tree."
fi
exit "$bad"

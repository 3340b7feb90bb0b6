#!/usr/bin/env bash
# Checks beyond the test suite, step by step (all steps, or those named as
# arguments), each in its own folder under build-check/:
#   sanitizers  the whole suite built with AddressSanitizer and
#               UndefinedBehaviorSanitizer (halting on the first error), run
#               with ctest
#   core        every project include names its file from the top of the
#               tree (include-paths.sh); then the libraries without widgets
#               alone (KELPA_WINDOWS=OFF): every object of them and the tests
#               of their rules linked against Qt Core alone, the tests run with
#               ctest; a rule that needs Gui, Widgets or a window fails it
#   fuzz        every fuzz target of tests/fuzz/ linked with libFuzzer and run
#               for FUZZ_SECONDS (default 60) on a copy of its corpus; new
#               inputs and crashing ones go to a scratch folder, never into
#               the tree
# Prints a summary; fails when a step fails. Installs clang and its run-time
# libraries (Debian 12 packages) when they are missing, as setup.sh does.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="$root/build-check"
jobs="${CHECK_JOBS:-3}"
fuzz_seconds="${FUZZ_SECONDS:-60}"
packages=(cmake ninja-build clang libclang-rt-dev qt6-base-dev qt6-translations-l10n libxkbcommon-dev libxcb1-dev fonts-dejavu-core xvfb xauth twm desktop-file-utils)
sanitize="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}"
# Leaks count, but for what the desktop bus library keeps until the exit.
mkdir -p "$out"
echo "leak:libdbus-1.so" >"$out/leaks.supp"
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$out/leaks.supp:print_suppressions=0}"

summary=()
failed=0

note() {
    summary+=("$1")
    echo "== $1"
}

install_missing() {
    local missing=() p
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
}

# configure FOLDER FLAGS [cmake arguments...]: a clang build folder.
configure() {
    local folder="$1" flags="$2"
    shift 2
    cmake -S "$root" -B "$folder" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
        -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="$flags" \
        -DCMAKE_SHARED_LINKER_FLAGS="$flags" -DKELPA_BUILD_BENCH=OFF "$@" >/dev/null
}

# run_ctest FOLDER LABEL: runs the suite built in FOLDER into its ctest.log
# and notes LABEL with ctest's count, or the failures.
run_ctest() {
    local folder="$1" label="$2"
    if (cd "$folder" && ctest -j"$jobs" --output-on-failure) >"$folder/ctest.log" 2>&1; then
        note "$label $(grep -E 'tests passed' "$folder/ctest.log")"
    else
        grep -E 'tests passed|\(Failed\)|\(Subprocess|\(Timeout\)|Exception' "$folder/ctest.log" || true
        note "${label%%:*}: failed, see $folder/ctest.log"
        return 1
    fi
}

step_sanitizers() {
    local folder="$out/sanitizers"
    configure "$folder" "$sanitize"
    if ! cmake --build "$folder" -j"$jobs"; then
        note "sanitizers: build failed"
        return 1
    fi
    run_ctest "$folder" "sanitizers:"
}

step_core() {
    local folder="$out/core"
    if ! bash "$root/scripts/include-paths.sh"; then
        note "core: an include does not name its file from the top of the tree"
        return 1
    fi
    cmake -S "$root" -B "$folder" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DKELPA_WINDOWS=OFF >/dev/null
    if ! cmake --build "$folder" -j"$jobs"; then
        note "core: build failed"
        return 1
    fi
    run_ctest "$folder" "core: linked against Qt Core alone;"
}

# The fuzz targets and their corpus folders, as tests/fuzz/CMakeLists.txt
# registers them.
fuzz_targets() {
    sed -n 's/^kelpa_add_fuzz(\([a-z_]*\) .*CORPUS \([a-z_]*\).*/\1 \2/p' \
        "$root/tests/fuzz/CMakeLists.txt"
}

step_fuzz() {
    local folder="$out/fuzz" name corpus scratch result=0
    configure "$folder" "${sanitize/address/fuzzer-no-link,address}" -DKELPA_FUZZER=ON
    local targets=()
    while read -r name corpus; do
        targets+=("$name")
    done < <(fuzz_targets)
    if ! cmake --build "$folder" -j"$jobs" --target "${targets[@]}"; then
        note "fuzz: build failed"
        return 1
    fi
    scratch="$(mktemp -d)"
    while read -r name corpus; do
        mkdir -p "$scratch/$name/corpus"
        cp -R "$root/tests/fuzz/corpus/$corpus/." "$scratch/$name/corpus/"
        echo "-- $name: $fuzz_seconds s"
        local log="$scratch/$name/fuzz.log"
        if (cd "$scratch/$name" && "$folder/tests/fuzz/$name" -max_total_time="$fuzz_seconds" \
            -timeout=10 -print_final_stats=1 -artifact_prefix="$scratch/$name/" corpus) \
            >"$log" 2>&1; then
            local runs seconds
            runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")"
            seconds="$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$log")"
            note "fuzz $name: ${runs:-?} runs in ${seconds:-?} s, corpus $(ls "$scratch/$name/corpus" | wc -l) inputs"
        else
            tail -n 40 "$log"
            note "fuzz $name: FAILED, see $log and the crash-* input beside it"
            result=1
        fi
    done < <(fuzz_targets)
    [ "$result" -eq 0 ] && rm -rf "$scratch"
    return "$result"
}

# --- the steps, in order ---------------------------------------------------
# A step is a function step_NAME; add new ones to this list.
steps=(sanitizers core fuzz)

[ $# -gt 0 ] && steps=("$@")
install_missing
for step in "${steps[@]}"; do
    echo "== step $step"
    if ! "step_$step"; then
        failed=1
    fi
done

echo
echo "Summary:"
printf '  %s\n' "${summary[@]}"
exit "$failed"

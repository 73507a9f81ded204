#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz/ (only they and the libraries they need)
# and runs each for a few seconds on its seed corpus. Any crash, sanitizer finding, leak, freeze
# (a run longer than FUZZ_TIMEOUT seconds) or memory past FUZZ_RSS_MB fails the stage; the
# input that did it is kept in build-fuzz/findings/ (put it in the fuzzer's corpus folder once
# mended, so it stays fixed). .ci/run calls it after the tests.
#   FUZZ_SECONDS   seconds for each quick fuzzer (default 5; the whole-game ones get twice that)
#   FUZZ_ONLY      run only the fuzzers whose names contain this text
set -euo pipefail
QUILLORA_ROOT="$(cd "$(dirname "$0")/.." && pwd)"
source "$QUILLORA_ROOT/tools/setup-common.sh"
quillora_install_packages clang libclang-rt-dev

seconds="${FUZZ_SECONDS:-5}"
timeout="${FUZZ_TIMEOUT:-20}"
rss_mb="${FUZZ_RSS_MB:-2048}"
build="$QUILLORA_ROOT/build-fuzz"
fuzz="$QUILLORA_ROOT/fuzz"

if [ ! -f "$build/build.ninja" ]; then
  launcher=()
  if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
  # -O1 and line tables only: the instrumented build costs far less, and stacks still name lines.
  CC=clang CXX=clang++ cmake -S "$QUILLORA_ROOT" -B "$build" -G Ninja \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only" \
    -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only" \
    -DQUILLORA_FUZZ=ON -DQUILLORA_TESTS=OFF -DQUILLORA_BENCH=OFF "${launcher[@]}"
fi

# name | seconds factor | seed folders (from the root) | extra libFuzzer options
fuzzers=(
  "value_list_fuzzer|1|fuzz/core/corpus/value_list_fuzzer|"
  "vbscript_parse_fuzzer|1|fuzz/vbscript/regressions tests/vbscript/cases|-dict=$fuzz/vbscript/vbscript.dict -max_len=8192"
  "welcome_scheme_fuzzer|1|fuzz/project/corpus/welcome_scheme_fuzzer|"
  "cd_index_fuzzer|1|fuzz/project/corpus/cd_index_fuzzer|"
  "media_open_fuzzer|1|tests/media/fixtures|-max_len=40000"
  "frame_files_fuzzer|1|fuzz/game/corpus/frame_files_fuzzer|"
  "dialogue_fuzzer|1|fuzz/scripting/corpus/dialogue_fuzzer|"
  "saved_game_fuzzer|1|fuzz/savegames/corpus/saved_game_fuzzer|"
  "game_folder_fuzzer|2|fuzz/app/corpus/game_folder_fuzzer|-max_len=20000"
  "game_script_fuzzer|2|fuzz/app/corpus/game_script_fuzzer|-dict=$fuzz/vbscript/vbscript.dict -max_len=4096"
)
targets=()
for entry in "${fuzzers[@]}"; do
  name="${entry%%|*}"
  if [[ "$name" == *"${FUZZ_ONLY:-}"* ]]; then targets+=("$name"); fi
done
cmake --build "$build" -j "${QUILLORA_JOBS:-$(nproc)}" --target "${targets[@]}"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
findings="$build/findings"
mkdir -p "$findings"
# The demo's own files as seeds, so the seeds follow the demo as it changes. A whole game takes
# a good part of a second to play, so that fuzzer starts from a few files only: the
# configuration and the first frames.
mkdir -p "$work/demo-game" "$work/demo-frames"
(
  cd "$QUILLORA_ROOT/demo"
  for file in Config/* Frames/*.fme FramesData/* Areas/*.obj Areas/*.drg; do
    [ -f "$file" ] && [ "$(stat -c %s "$file")" -le 20000 ] || continue
    seed="$(echo "$file" | tr '/' '_')"
    case "$file" in
      Config/*|Frames/Intro.fme|Frames/Shore.fme|FramesData/Intro.*|FramesData/Shore.*)
        { printf '%s\n' "$file"; cat "$file"; } >"$work/demo-game/$seed" ;;
    esac
    case "$file" in
      *.fme) kind=0 ;; *.fm2) kind=1 ;; *.fm1) kind=2 ;; *.fm3) kind=3 ;; *.fm0) kind=4 ;;
      *.fm4) kind=5 ;; *.drg) kind=6 ;; *) kind="" ;;
    esac
    if [ -n "$kind" ]; then
      { printf "\\$(printf %03o "$kind")"; cat "$file"; } >"$work/demo-frames/$seed"
    fi
  done
)

export QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy TMPDIR="$work"
# fontconfig keeps allocations for the life of the process; they are not ours to free.
export LSAN_OPTIONS="suppressions=$fuzz/lsan.supp"
export ASAN_OPTIONS="detect_leaks=1"
status=0
for entry in "${fuzzers[@]}"; do
  IFS='|' read -r name factor seeds options <<<"$entry"
  [[ "$name" == *"${FUZZ_ONLY:-}"* ]] || continue
  corpus=()
  for folder in $seeds; do corpus+=("$QUILLORA_ROOT/$folder"); done
  case "$name" in
    game_folder_fuzzer) corpus+=("$work/demo-game") ;;
    frame_files_fuzzer) corpus+=("$work/demo-frames") ;;
  esac
  mkdir -p "$work/$name"
  echo "== $name: $((seconds * factor)) s"
  # New inputs go to the scratch folder first in the list; the committed seeds stay as they are.
  # shellcheck disable=SC2086
  program="$(find "$build/fuzz" -name "$name" -type f -perm -u+x | head -n 1)"
  if ! "$program" "$work/$name" "${corpus[@]}" -max_total_time="$((seconds * factor))" -timeout="$timeout" \
      -rss_limit_mb="$rss_mb" -artifact_prefix="$findings/$name-" -print_final_stats=1 \
      $options >"$work/$name.log" 2>&1; then
    status=1
    tail -n 60 "$work/$name.log"
    echo "== $name FAILED (input kept in $findings/)"
  else
    grep -E "^(#[0-9]+ +DONE|stat::number_of_executed_units)" "$work/$name.log" || true
  fi
done
exit $status

#!/usr/bin/env bash
# Clipboard scenarios between velmora-cli and xclip; run inside run-desktop.sh as
#   clipboard.sh CASE
# with VELMORA_CLI, VELMORA_SILENT_OWNER and VELMORA_E2E_CLIPS set. Every command runs under a timeout,
# and xclip's output is redirected: the server it forks would otherwise hold the runner's pipes open.
set -euo pipefail

cli="${VELMORA_CLI:?}"
work="$(mktemp -d "${VELMORA_DESKTOP_SCRATCH:-/tmp}/clipboard.XXXXXX")"
background=()
cleanup() {
  local pid
  for pid in "${background[@]}"; do kill "$pid" 2>/dev/null || true; done
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Another application copies standard input under target $1.
xclip_copy() {
  timeout 10 xclip -selection clipboard -t "$1" -i >/dev/null 2>&1
}

xclip_paste() {
  timeout 10 xclip -selection clipboard -t "$1" -o 2>/dev/null
}

# Waits until command "$@" succeeds, for at most ten seconds.
wait_for() {
  local _
  for _ in $(seq 1 100); do
    "$@" && return 0
    sleep 0.1
  done
  fail "timed out waiting for: $*"
}

expect_same() {  # expected-file actual-file what
  cmp "$1" "$2" >/dev/null || { echo "expected:"; od -c "$1" | head -20; echo "got:"; od -c "$2" | head -20; fail "$3"; } >&2
}

build_clips() {
  timeout 10 "$cli" build "$work/clips.vmc" "${VELMORA_E2E_CLIPS:?}"
}

case_read_foreign_text() {
  # UTF-8 text, and bytes that are not UTF-8, arrive byte for byte.
  printf 'h\xc3\xa9llo w\xc3\xb6rld' | xclip_copy UTF8_STRING
  timeout 10 "$cli" clipboard read >"$work/got"
  cat >"$work/want" <<'JSON'
{
  "type": "clip",
  "kind": 0,
  "label": "",
  "abbreviation": "",
  "indent": false,
  "text": "héllo wörld"
}
JSON
  expect_same "$work/want" "$work/got" "UTF-8 text read from xclip"

  printf 'a\xffb' | xclip_copy UTF8_STRING
  timeout 10 "$cli" clipboard read >"$work/got"
  grep -q '"base64": "Yf9i"' "$work/got" || { cat "$work/got" >&2; fail "invalid UTF-8 was not kept byte for byte"; }

  # The length limit and the ignored text apply; no clip means exit 1 and no output.
  printf 'twelve bytes' | xclip_copy UTF8_STRING
  local status=0
  timeout 10 "$cli" clipboard read --max-length 11 >"$work/got" || status=$?
  [ "$status" -eq 1 ] && [ ! -s "$work/got" ] || fail "a text over --max-length gave a clip (exit $status)"
  status=0
  timeout 10 "$cli" clipboard read --ignore-text 'twelve bytes' >"$work/got" || status=$?
  [ "$status" -eq 1 ] && [ ! -s "$work/got" ] || fail "the ignored text gave a clip (exit $status)"
  timeout 10 "$cli" clipboard read --max-length 12 >/dev/null || fail "a text of exactly --max-length was refused"
}

case_read_nul_text() {
  printf 'ab\0c' | xclip_copy UTF8_STRING
  timeout 10 "$cli" clipboard read >"$work/got"
  grep -q '"kind": 2,' "$work/got" || { cat "$work/got" >&2; fail "text with a NUL byte is not kind 2"; }
  grep -q '"text": "ab\\u0000c"' "$work/got" || { cat "$work/got" >&2; fail "text with a NUL byte changed"; }
}

case_watch() {
  build_clips
  timeout 60 "$cli" clipboard watch >"$work/changes" 2>"$work/watch.log" &
  local watcher=$!
  background+=("$watcher")
  wait_for grep -q "watching the clipboard" "$work/watch.log"

  lines() { [ "$(wc -l <"$work/changes")" -ge "$1" ]; }
  printf 'first' | xclip_copy UTF8_STRING
  wait_for lines 1
  # The program's own copy carries the ignore marker.
  timeout 30 "$cli" clipboard copy "$work/clips.vmc" Greeting --serve-ms 20000 >/dev/null 2>&1 &
  local copier=$!
  background+=("$copier")
  wait_for lines 2
  printf 'secret' | xclip_copy x-kde-passwordManagerHint
  wait_for lines 3
  timeout 10 wait "$copier" 2>/dev/null || wait "$copier" || fail "clipboard copy did not end when xclip took over"
  # Any other hint value is no marker; without text there is nothing to capture.
  printf 'public' | xclip_copy x-kde-passwordManagerHint
  printf 'last' | xclip_copy UTF8_STRING
  wait_for lines 4
  sleep 0.5  # a duplicate report would arrive within this
  kill "$watcher"
  cat >"$work/want" <<'JSON'
{"type":"clip","kind":0,"label":"","abbreviation":"","indent":false,"text":"first"}
{"ignored":true}
{"ignored":true}
{"type":"clip","kind":0,"label":"","abbreviation":"","indent":false,"text":"last"}
JSON
  expect_same "$work/want" "$work/changes" "the watcher's reports"
}

case_copy_formats() {
  build_clips
  timeout 60 "$cli" clipboard copy "$work/clips.vmc" Greeting --serve-ms 30000 >"$work/copy.log" 2>&1 &
  local copier=$!
  background+=("$copier")
  has_clip_target() { xclip_paste TARGETS | grep -qx "Velmora Clip"; }
  wait_for has_clip_target
  xclip_paste TARGETS >"$work/targets"
  local target
  for target in UTF8_STRING "text/plain;charset=utf-8" "Text with binary characters" "Velmora Clip" \
    "Clipboard Viewer Ignore"; do
    grep -qxF "$target" "$work/targets" || { cat "$work/targets" >&2; fail "target $target is not offered"; }
  done
  ! grep -qxF "Plain Text Column Selection" "$work/targets" || fail "plain text offered the column marker"

  # Greeting: label "Greeting", abbreviation "gr", indent, text "Hello\nworld" (11 bytes); 48 bytes in all.
  printf '\x30\0\0\0\x1b\0\0\0\x01\x01\x01\x08\0\0\0\x02\0\0\0\x0b\0\0\0\0\0\0\0GreetinggrHello\nworld' \
    >"$work/want-record"
  xclip_paste "Velmora Clip" >"$work/got-record"
  expect_same "$work/want-record" "$work/got-record" "the clip record"
  printf '\x0b\0\0\0Hello\nworld' >"$work/want-binary"
  xclip_paste "Text with binary characters" >"$work/got-binary"
  expect_same "$work/want-binary" "$work/got-binary" "the binary text"
  printf 'Hello\nworld' >"$work/want-text"
  xclip_paste UTF8_STRING >"$work/got-text"
  expect_same "$work/want-text" "$work/got-text" "the UTF-8 text"
  printf '\0\0\0\0\0\0\0\0' >"$work/want-marker"
  xclip_paste "Clipboard Viewer Ignore" >"$work/got-marker"
  expect_same "$work/want-marker" "$work/got-marker" "the ignore marker"

  # Another instance reads the whole clip from the record.
  timeout 10 "$cli" clipboard read >"$work/got"
  grep -q '"label": "Greeting"' "$work/got" && grep -q '"indent": true' "$work/got" ||
    { cat "$work/got" >&2; fail "the record was not read back"; }

  # A rectangular block adds the column marker; the first copier ends once it lost the clipboard.
  timeout 60 "$cli" clipboard copy "$work/clips.vmc" Tables/Block --serve-ms 30000 >/dev/null 2>&1 &
  local second=$!
  background+=("$second")
  timeout 10 tail --pid="$copier" -f /dev/null || fail "the first copier kept running after losing the clipboard"
  wait "$copier" || fail "the first copier failed"
  has_column_target() { xclip_paste TARGETS | grep -qxF "Plain Text Column Selection"; }
  wait_for has_column_target
  timeout 10 "$cli" clipboard read >"$work/got"
  grep -q '"kind": 1,' "$work/got" || { cat "$work/got" >&2; fail "the block did not read back as kind 1"; }
  printf 'x' | xclip_copy UTF8_STRING
  timeout 10 tail --pid="$second" -f /dev/null || fail "the second copier kept running after losing the clipboard"
}

case_unresponsive_owner() {
  timeout 60 "${VELMORA_SILENT_OWNER:?}" >"$work/owner" &
  background+=("$!")
  wait_for grep -q ready "$work/owner"
  local status=0 started ended
  started=$(date +%s)
  timeout 20 "$cli" clipboard read --timeout-ms 1000 >"$work/got" 2>"$work/err" || status=$?
  ended=$(date +%s)
  [ "$status" -eq 1 ] || fail "a read from a silent owner exited $status"
  grep -qx "Cannot open clipboard" "$work/err" || { cat "$work/err" >&2; fail "no \"Cannot open clipboard\""; }
  [ $((ended - started)) -le 8 ] || fail "the read took $((ended - started)) s"
}

[ $# -eq 1 ] || fail "usage: clipboard.sh CASE"
"case_$1"
echo "ok: $1"

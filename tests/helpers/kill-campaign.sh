#!/usr/bin/env bash
# Kills the save loop N times at random moments, with the working copy, the
# user's own file (mirror) and the save-time backup copy all on, and checks
# after each kill that every copy still reads whole, then that a restart
# leaves no temporary of an interrupted write anywhere.
#
#   tests/helpers/kill-campaign.sh BUILD_DIR [KILLS]     (default 1000)
set -euo pipefail
build=$(cd "${1:?usage: kill-campaign.sh BUILD_DIR [KILLS]}" && pwd)
kills=${2:-1000}
loop="$build/tests/velmora-store-save-loop"
cli="$build/src/cli/velmora-cli"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME="$work/home" XDG_DATA_HOME="$work/home/.local/share" XDG_CONFIG_HOME="$work/home/.config"
mkdir -p "$HOME" "$work/backup" "$work/own"
data="$work/data" mirror="$work/own/Ma session.cdb" backup="$work/backup/database_backup.cdb"

"$build/bench/velmora-generate-session" --small --backup-folder "$work/backup" "$work/source.cdb" >/dev/null
"$loop" "$data" --prepare "$work/source.cdb" --mirror "$mirror" >/dev/null

strays() { find "$work" -name '.*.velmora-*' | wc -l; }
corrupt=0 leftAfterKills=0
for ((i = 1; i <= kills; i++)); do
  "$loop" "$data" --mirror "$mirror" >"$work/out" 2>&1 &
  pid=$!
  # Let it load, then kill it anywhere in the loop of saves.
  for _ in $(seq 200); do grep -q '^loaded' "$work/out" && break; sleep 0.01; done
  sleep "0.0$((RANDOM % 10))$((RANDOM % 10))"
  kill -9 "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  for f in "$data/Velmora Core/database.cdb" "$mirror" "$backup"; do
    if [ -e "$f" ] && ! "$cli" check "$f" >/dev/null 2>"$work/err"; then
      corrupt=$((corrupt + 1))
      echo "kill $i: $(basename "$f") unreadable: $(cat "$work/err")"
    fi
  done
  leftAfterKills=$((leftAfterKills + $(strays)))
done
# One more start, as the application would after the last crash.
"$loop" "$data" --saves 0 --mirror "$mirror" >/dev/null
echo "kills: $kills, corrupt files: $corrupt, temporaries seen right after the kills: $leftAfterKills, stray files after a restart: $(strays)"
[ "$corrupt" -eq 0 ] && [ "$(strays)" -eq 0 ]

#!/usr/bin/env bash
# Every zone id the bash completion offers after "zone --tz" is taken by the zone command, the links and
# backward names (UTC, Zulu, US/Eastern) among them; files of the zone folder that are no zones are not
# offered.
#   check_zone_completion.sh TALVENOR_REPORT COMPLETION_FILE
set -u
exe=$1
source "$2"
COMP_WORDS=(talvenor-report zone --tz "")
COMP_CWORD=3
_talvenor_report
offered=("${COMPREPLY[@]}")
faults=0
fault() { echo "$*"; faults=$((faults + 1)); }
[ "${#offered[@]}" -gt 550 ] || fault "only ${#offered[@]} zone ids offered"
for id in UTC Zulu Universal CET EST5EDT US/Eastern Asia/Calcutta Europe/Berlin; do
    printf '%s\n' "${offered[@]}" | grep -qxF "$id" || fault "$id is not offered"
done
for id in posixrules localtime right/UTC posix/Europe/Berlin zone.tab tzdata.zi; do
    printf '%s\n' "${offered[@]}" | grep -qxF "$id" && fault "$id is offered, but no zone"
done
for id in "${offered[@]}"; do
    "$exe" zone --tz "$id" --date "1 Jul 2024" --time 12.00 >/dev/null 2>&1 || fault "zone --tz $id is refused"
done
[ $faults -eq 0 ] || { echo "$faults fault(s)"; exit 1; }
echo "all ${#offered[@]} offered zone ids are taken"

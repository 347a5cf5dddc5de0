#!/bin/sh
# Both programs' outputs as a shell user meets them: a failed write is status 4 and
# never success, and an output is never replaced unless it is a regular file.
# Arguments: verdaxil-scan, verdaxil-query, make-demo-quotes.
set -u
scan=$1 query=$2 demo=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
"$demo" --securities 60 "$work/q" || fail "demo market"

"$scan" --dir "$work/q" --all >/dev/full 2>/dev/null
[ $? -eq 4 ] || fail "a scan to /dev/full is status 4"
"$query" --dir "$work/q" 600000 >/dev/full 2>/dev/null
[ $? -eq 4 ] || fail "a query to /dev/full is status 4"
"$query" --dir "$work/q" 699999 >/dev/null
[ $? -eq 3 ] || fail "a code without a day file is status 3"

echo old >"$work/list.csv"
(ulimit -f 1 && "$scan" --dir "$work/q" --all --output "$work/list.csv" --force 2>/dev/null)
[ $? -eq 4 ] || fail "a size limit is status 4"
[ "$(cat "$work/list.csv")" = old ] || fail "a size limit leaves the old file"

mkfifo "$work/fifo"
cat "$work/fifo" >"$work/read" &
"$scan" --dir "$work/q" --format json --output "$work/fifo" || fail "writing into a FIFO"
wait
grep -q '"rows"' "$work/read" && [ -p "$work/fifo" ] || fail "the FIFO's reader gets the list and the FIFO stays"

# Only where device nodes can be made (as root, outside containers that forbid it).
if mknod "$work/null" c 1 3 2>/dev/null; then
    "$scan" --dir "$work/q" --all --output "$work/null" --force || fail "writing into a device"
    [ -c "$work/null" ] || fail "a device stays a device"
fi

echo old >"$work/target.csv"
ln -s target.csv "$work/link.csv"
"$scan" --dir "$work/q" --output "$work/link.csv" --force || fail "writing through a link"
[ -L "$work/link.csv" ] && grep -q '代码' "$work/target.csv" || fail "a link stays a link and its target is replaced"

# A day directory that cannot be read is told, and the list holds the other
# exchange's securities; with neither readable, the reason is the permission. Root
# reads past permissions, so there the scans run as nobody.
as_user() {
    if [ "$(id -u)" -eq 0 ]; then setpriv --reuid=65534 --regid=65534 --clear-groups "$@"; else "$@"; fi
}
chmod 755 "$work"
chmod 000 "$work/q/data/sznse/day"
as_user "$scan" --dir "$work/q" --all >"$work/shanghai.csv" 2>"$work/said"
[ $? -eq 0 ] && grep -q '没有读取权限' "$work/said" && grep -q '^上海' "$work/shanghai.csv" &&
    ! grep -q '^深圳' "$work/shanghai.csv" || fail "an unreadable Shenzhen directory is told"
chmod 000 "$work/q/data/shase/day"
as_user "$scan" --dir "$work/q" >/dev/null 2>"$work/said"
[ $? -eq 3 ] && grep -q '没有读取权限' "$work/said" && ! grep -q '没有找到' "$work/said" ||
    fail "unreadable directories are not called missing"
chmod 755 "$work/q/data/shase/day" "$work/q/data/sznse/day"

# A spreadsheet keeps codes as text and prices as numbers (Debian's Python, which has
# openpyxl, whatever python3 comes first on the PATH).
"$scan" --dir "$work/q" --all --format xlsx --output "$work/list.xlsx" 2>/dev/null || fail "writing a workbook"
/usr/bin/python3 "$(dirname "$0")/check_xlsx.py" "$work/list.xlsx" 000002 || fail "the workbook's cells"

mkdir "$work/dir"
"$scan" --dir "$work/q" --output "$work/dir" --force 2>/dev/null
[ $? -eq 4 ] && [ -d "$work/dir" ] || fail "a directory is status 4 and stays"
exit 0

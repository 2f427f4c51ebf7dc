#!/usr/bin/env bash
# The Debian package, made by cpack from this build, installed into a scratch root: both
# programs start from it, its desktop files validate, and a month file's MIME type leads
# through the installed desktop entry to the program, which opens the month.
# Usage: package_test.sh CPACK BUILD_DIR VERSION DEMO_MONTH
set -euo pipefail
cpack=$1 build=$2 version=$3 demo=$4
work=$(mktemp -d "${TMPDIR:-/tmp}/quorvel-package-XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$cpack" --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack could not make the package"; }
debs=("$work"/out/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "cpack made no single .deb"
dpkg-deb --field "${debs[0]}" Depends | grep -q 'libqt6widgets6' || fail "the package does not depend on Qt's widgets"
root=$work/root
dpkg-deb -x "${debs[0]}" "$root"
share=$root/usr/share

[ "$(QT_QPA_PLATFORM=offscreen "$root/usr/bin/quorvel" --version)" = "quorvel $version" ] || fail "quorvel --version"
[ "$("$root/usr/bin/quorvel-cli" --version)" = "quorvel-cli $version" ] || fail "quorvel-cli --version"
for size in 16x16 32x32 48x48 64x64 128x128 256x256 scalable; do
  ls "$share/icons/hicolor/$size/apps/org.quorvel.Quorvel".* >/dev/null || fail "no $size icon"
done
desktop-file-validate "$share/applications/org.quorvel.Quorvel.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$share/metainfo/org.quorvel.Quorvel.metainfo.xml" >"$work/appstream.log" ||
  { cat "$work/appstream.log"; fail "appstreamcli validate"; }

# The desktop's view of the scratch root: its MIME and desktop databases, nobody's settings.
update-mime-database "$share/mime"
update-desktop-database "$share/applications"
export XDG_DATA_DIRS=$share XDG_DATA_HOME=$work/home/data XDG_CONFIG_HOME=$work/home/config
export XDG_CONFIG_DIRS=$work/home/etc XDG_RUNTIME_DIR=$work/home/run
unset XDG_CURRENT_DESKTOP DESKTOP_SESSION KDE_FULL_SESSION GNOME_DESKTOP_SESSION_ID
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
cp "$demo" "$work/DEC2026.rep"
cp "${demo%.rep}.jrn" "$work/DEC2026.jrn"
type=$(xdg-mime query filetype "$work/DEC2026.rep")
[ "$type" = "application/x-quorvel-month" ] || fail "a month file's type is '$type'"
entry=$(xdg-mime query default "$type")
[ "$entry" = "org.quorvel.Quorvel.desktop" ] || fail "month files open with '$entry'"

# The entry's command line with the month for %f, as a file manager runs it; the program
# quits once the month is drawn, having put it first among the recent months.
exec_line=$(sed -n 's/^Exec=//p' "$share/applications/$entry")
read -r -a command <<<"${exec_line/\%f/$work/DEC2026.rep}"
PATH=$root/usr/bin:$PATH QT_QPA_PLATFORM=offscreen "${command[0]}" --quit-after-start "${command[@]:1}" ||
  fail "the program did not start from its desktop entry"
grep -q "DEC2026.rep" "$XDG_CONFIG_HOME/quorvel/quorvel.conf" || fail "the month was not opened"
echo "package ${debs[0]##*/}: installs, starts and opens month files"

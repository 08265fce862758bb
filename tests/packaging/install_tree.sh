#!/usr/bin/env bash
# Installs a build into a temporary DESTDIR and checks what a desktop gets:
# exactly the program, the desktop program it hands the window to, the help
# file, the menu entry, the icon and the manual page, each sound (the entry
# validates when desktop-file-validate is there, the page renders without
# warnings when man is there, the page describes every subcommand and option
# of --help and names the program's version).
# Usage: install_tree.sh BUILD_DIR SOURCE_DIR
set -euo pipefail

build=$1
source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

failures=0
fail() {
    echo "FAILED: $*" >&2
    failures=$((failures + 1))
}

DESTDIR="$work/root" cmake --install "$build" --prefix /usr >"$work/install.log" 2>&1 ||
    { cat "$work/install.log" >&2; echo "FAILED: cmake --install" >&2; exit 1; }
root="$work/root"

expected="usr/bin/tunewright
usr/libexec/tunewright/tunewright-desktop
usr/share/applications/tunewright.desktop
usr/share/doc/tunewright/changelog.gz
usr/share/doc/tunewright/copyright
usr/share/doc/tunewright/tunehelp.html
usr/share/icons/hicolor/scalable/apps/tunewright.svg
usr/share/man/man1/tunewright.1.gz"
installed=$(cd "$root" && find . \( -type f -o -type l \) -printf '%P\n' | LC_ALL=C sort)
[ "$installed" = "$expected" ] ||
    fail "installed files differ from the expected ones:$(diff <(echo "$expected") <(echo "$installed") | sed 's/^/  /')"

program="$root/usr/bin/tunewright"
[ -x "$program" ] || fail "usr/bin/tunewright is not executable"
version=$(env -i PATH=/usr/bin:/bin "$program" --version) || fail "tunewright --version failed"
help=$(env -i PATH=/usr/bin:/bin "$program" --help) || fail "tunewright --help failed"

# The installed program finds the installed desktop program: a command that
# needs Qt runs there.
mkdir "$work/config"
settings=$(env -i PATH=/usr/bin:/bin XDG_CONFIG_HOME="$work/config" "$program" settings show) ||
    fail "tunewright settings show failed"
grep -qx 'CurrentList=Favtones' <<<"$settings" || fail "tunewright settings show printed: $settings"

cmp -s "$root/usr/share/doc/tunewright/tunehelp.html" "$source/src/shell/help/tunehelp.html" ||
    fail "the installed help file is not src/shell/help/tunehelp.html"

# The menu entry starts the installed program and names the installed icon.
desktop="$root/usr/share/applications/tunewright.desktop"
grep -qx 'Exec=tunewright' "$desktop" || fail "the desktop entry does not run tunewright"
grep -qx 'Icon=tunewright' "$desktop" || fail "the desktop entry does not name the icon tunewright"
grep -qx 'Categories=AudioVideo;Audio;Utility;' "$desktop" || fail "the desktop entry's categories changed"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$desktop" >"$work/validate.log" 2>&1 ||
        fail "desktop-file-validate: $(cat "$work/validate.log")"
else
    echo "desktop-file-validate is not installed; the entry was not validated"
fi

svg="$root/usr/share/icons/hicolor/scalable/apps/tunewright.svg"
grep -q '<svg[^>]*viewBox=' "$svg" && grep -q '</svg>' "$svg" || fail "the icon is not an SVG drawing with a viewBox"

page="$work/tunewright.1"
gzip -dc "$root/usr/share/man/man1/tunewright.1.gz" >"$page" || fail "the manual page is not gzip data"
cmp -s "$page" "$source/packaging/tunewright.1" || fail "the installed manual page is not packaging/tunewright.1"

# "tunewright 3.3 (build 5)" on the page's title line as "Tunewright 3.3".
number=$(sed -n 's/^tunewright \([0-9][0-9.]*\) .*/\1/p' <<<"$version")
grep -q "^\.TH TUNEWRIGHT 1 \"[^\"]*\" \"Tunewright $number\"" "$page" ||
    fail "the manual page's title line does not name version $number ($version)"

# Every subcommand of the usage has its own subsection, every list command
# its own tagged paragraph, every option of --help a mention.
commands=$(sed -n 's/^\(Usage:\)\{0,1\} *tunewright \([a-z][a-z-]*\).*/\2/p' <<<"$help" | sort -u)
[ -n "$commands" ] || fail "no subcommands found in --help"
for command in $commands; do
    # A hyphen stands as "\-" in the page.
    grep -q "^\.SS \"${command//-/\\\\-}\( \|\"\)" "$page" || fail "the manual page has no section for '$command'"
done
list_commands=$(sed -n 's/^ *tunewright list //p' <<<"$help" | sed 's/ | /\n/g' | awk '{print $1}' | sort -u)
awk 'tag { print; tag = 0 } /^\.TP/ { tag = 1 }' "$page" >"$work/tags"
for command in $list_commands; do
    grep -q "^\.BI\{0,1\} \"\{0,1\}list ${command//-/\\\\-}\( \|\"\|$\)" "$work/tags" ||
        fail "the manual page does not describe 'list $command'"
done
options=$(grep -o -- '--[a-z][a-z-]*' <<<"$help" | sort -u || true)
[ -n "$options" ] || fail "no options found in --help"
for option in $options; do
    grep -q -- "${option//-/\\\\-}" "$page" || fail "the manual page does not mention $option"
done

# The changelog's newest entry is this build: version 3.3, build 5 is 3.3.5.
build_number=$(sed -n 's/.*(build \([0-9]*\)).*/\1/p' <<<"$version")
newest=$(gzip -dc "$root/usr/share/doc/tunewright/changelog.gz" | head -n 1) || fail "the changelog is not gzip data"
[[ "$newest" == "tunewright ($number.$build_number) "* ]] ||
    fail "the changelog's newest entry is '$newest', not version $number.$build_number"

if command -v man >/dev/null; then
    MANWIDTH=80 man --warnings -l "$root/usr/share/man/man1/tunewright.1.gz" >"$work/page.txt" 2>"$work/man.log" ||
        fail "man -l failed: $(cat "$work/man.log")"
    [ ! -s "$work/man.log" ] || fail "man -l warned: $(cat "$work/man.log")"
    grep -q '^NAME' "$work/page.txt" || fail "the rendered page has no NAME section"
else
    echo "man is not installed; the page was not rendered"
fi

[ "$failures" -eq 0 ] || exit 1
echo "PASSED"

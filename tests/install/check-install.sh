#!/usr/bin/env bash
# The installed layout: `cmake --install` into a scratch root, the checks a
# distribution makes of the desktop entry, AppStream data and file type, and
# an installed kdw-cli that takes the user's files from $XDG_CONFIG_HOME and
# writes nothing into its program directory.
set -euo pipefail
build=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR="$root/stage" cmake --install "$build" --prefix /usr >/dev/null
usr=$root/stage/usr
id=com.kdw.PcEncoder

desktop-file-validate "$usr/share/applications/$id.desktop"
appstreamcli validate --no-net "$usr/share/metainfo/$id.metainfo.xml" >/dev/null \
  || appstreamcli validate --no-net "$usr/share/metainfo/$id.metainfo.xml"

# The type database built from our definition maps *.sin to our type.
mkdir -p "$root/mime/packages"
cp "$usr/share/mime/packages/$id.xml" "$root/mime/packages/"
update-mime-database "$root/mime"
grep -qx '50:application/x-kdw-channel-data:\*\.sin' "$root/mime/globs2" || fail "*.sin is not our file type"
grep -q '^MimeType=application/x-kdw-channel-data;$' "$usr/share/applications/$id.desktop" \
  || fail "the desktop entry does not open our file type"
for size in 16 32 48 256; do
  test -s "$usr/share/icons/hicolor/${size}x${size}/apps/$id.png" || fail "no ${size}px icon"
done

for name in kdw-pc-encoder kdw-cli kdw-radio-sim; do
  test -x "$usr/bin/$name" || fail "bin/$name reaches no program"
  test -s "$usr/share/man/man1/$name.1.gz" || fail "no manual page for $name"
done
# bash completes commands and a command's options from kdw-cli's own --help.
complete_words() { # WORD...
  (PATH=$usr/bin:$PATH
   # shellcheck disable=SC1091
   source "$usr/share/bash-completion/completions/kdw-cli"
   COMP_WORDS=(kdw-cli "$@"); COMP_CWORD=$#
   _kdw_cli
   echo "${COMPREPLY[*]}")
}
[ "$(complete_words im)" = import ] || fail "bash does not complete kdw-cli im to import"
[ "$(complete_words check --l)" = --lang ] || fail "bash does not complete kdw-cli check --l to --lang"

program_dir=$usr/lib/kdw-pc-encoder
for file in Program Eng.dll Chs.dll Cht.dll DEF_U01.sin Program.ini installed; do
  test -e "$program_dir/$file" || fail "the program directory lacks $file"
done

# Installed: a new document starts from the user's own Default.sin.
export XDG_CONFIG_HOME=$root/config XDG_DATA_HOME=$root/data
mkdir -p "$XDG_CONFIG_HOME/kdw-pc-encoder"
head -c 8192 /dev/urandom >"$XDG_CONFIG_HOME/kdw-pc-encoder/Default.sin"
before=$(ls -A "$program_dir" | sort)
"$usr/bin/kdw-cli" new "$root/new.sin"
cmp "$root/new.sin" "$XDG_CONFIG_HOME/kdw-pc-encoder/Default.sin" || fail "the user's Default.sin was not used"
[ "$(ls -A "$program_dir" | sort)" = "$before" ] || fail "something was written into the program directory"
echo "install layout: ok"

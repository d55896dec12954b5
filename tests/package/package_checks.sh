#!/usr/bin/env bash
# Checks of the Debian package that `make package` builds, run by CTest from
# the plain build (cmake/Packaging.cmake registers one test per check):
#   contents     the package holds every file of the installation, and the
#                version is the same in the package, the program, the
#                AppStream release and the manual page
#   validators   desktop-file-validate and appstreamcli validate --no-net
#   first-start  the program of the package, extracted into an empty folder,
#                makes the same first data folder as the program of the build
#                tree, from its own tree, private to its user, and ends cleanly
#   session-end  the end of the desktop session, come while the start shows a
#                message, answers it, lets the start finish and ends cleanly
#   upgrade      a package of the previous version (built here from the same
#                build, one shipped file changed) used by a user, then the
#                package over it: the next start renews that file and leaves
#                every other file of the folder byte for byte; its message,
#                answered by the end of the session, is told again
# Usage: package_checks.sh <check> <build folder> <source folder> <version>
set -euo pipefail

check=$1
build=$(cd "$2" && pwd)
source=$(cd "$3" && pwd)
version=$4
deb="$build/kelvor_${version}_amd64.deb"

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

[ -f "$deb" ] || fail "no package $deb: run make package first"

work=$(mktemp -d "${TMPDIR:-/tmp}/kelvor-package-$check.XXXXXX")
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset KELVOR_DATA_DIR XDG_DATA_HOME

# Starts a program with its windows in a fresh environment whose home is $1,
# lets it start, ends it as the desktop does at the end of a session (SIGTERM
# once it holds its data folder; a message left open is closed) and requires a
# clean end: exit status 0 and the data folder's lock given up.
run_program() {
  local home=$1 program=$2
  local data="$home/.local/share/kelvor"
  mkdir -p "$home"
  HOME="$home" "$program" > "$home/out.txt" 2>&1 &
  local pid=$!
  until [ -e "$data/.kelvor.lock" ]; do
    kill -0 "$pid" 2> /dev/null || { cat "$home/out.txt" >&2; fail "$program ended before it held $data"; }
    sleep 0.1
  done
  kill -TERM "$pid"
  local status=0
  wait "$pid" || status=$?
  [ "$status" -eq 0 ] || { cat "$home/out.txt" >&2; fail "$program ended with status $status after SIGTERM"; }
  [ ! -e "$data/.kelvor.lock" ] || fail "$program left its lock file in $data"
}

# Every file under a folder with its checksum, one line each, by relative name;
# without the record of shipped files (its lines carry file system stamps) and
# the names given after the folder.
listing() {
  local folder=$1
  shift
  local skip=(! -name .kelvor.shipped)
  for n in "$@"; do skip+=(! -path "./$n"); done
  (cd "$folder" && find . -type f "${skip[@]}" -print0 | sort -z | xargs -0 -r sha256sum)
}

# The names the record of shipped files lists.
recorded_names() {
  sed -n 's/^[=u] [0-9]* [0-9]* [-0-9]* [0-9]* [0-9]* [-0-9]* \([0-9a-f]\{64\} \)\{0,1\}//p' "$1/.kelvor.shipped" | sort
}

case "$check" in
contents)
  dpkg-deb -c "$deb" > "$work/contents.txt"
  names=$(awk '{print $6}' "$work/contents.txt" | sed 's|^\./|/|; s|/$||' | grep -v '^$' | sort)
  require() {
    grep -q -x -F "$1" <<< "$names" || fail "the package lacks $1"
  }
  require /usr/bin/kelvor
  grep -q '^-rwxr-xr-x .* \./usr/bin/kelvor$' "$work/contents.txt" || fail "/usr/bin/kelvor is not an executable"
  require /usr/share/applications/kelvor.desktop
  require /usr/share/metainfo/kelvor.metainfo.xml
  require /usr/share/man/man1/kelvor.1.gz
  require /usr/share/doc/kelvor/copyright
  require /usr/share/doc/kelvor/changelog.gz
  require /usr/share/icons/hicolor/scalable/apps/kelvor.svg
  sizes="16 22 24 32 48 64 128 256 512"
  for s in $sizes; do require "/usr/share/icons/hicolor/${s}x${s}/apps/kelvor.png"; done
  # Nothing outside /usr, nothing writable by others.
  outside=$(grep -v -e '^/usr$' -e '^/usr/' <<< "$names" || true)
  [ -z "$outside" ] || fail "the package installs outside /usr: $outside"
  ! awk '{print $1}' "$work/contents.txt" | grep -q '^.......w' || fail "the package holds files writable by others"
  # The data tree is the build's, whole and alone, read only.
  shipped=$(grep '^/usr/share/kelvor/' <<< "$names" | sed 's|^/usr/share/kelvor/||' | sort)
  built=$(cd "$build/data" && find . -mindepth 1 | sed 's|^\./||' | sort)
  [ "$shipped" = "$built" ] ||
    fail "/usr/share/kelvor differs from the build's data tree: $(diff <(echo "$built") <(echo "$shipped") | head -20)"
  grep ' \./usr/share/kelvor/' "$work/contents.txt" | awk '{print $1}' | grep -v -q -x -e 'drwxr-xr-x' -e '-rw-r--r--' &&
    fail "a file of /usr/share/kelvor is not read-only to its users"

  dpkg-deb -x "$deb" "$work/root"
  # The icons are the sizes they are filed under.
  for s in $sizes; do
    file "$work/root/usr/share/icons/hicolor/${s}x${s}/apps/kelvor.png" | grep -q "PNG image data, $s x $s," ||
      fail "the ${s}x${s} icon is not a PNG of that size"
  done
  grep -q '<svg ' "$work/root/usr/share/icons/hicolor/scalable/apps/kelvor.svg" || fail "the scalable icon is no SVG"
  # One version everywhere.
  [ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "the package's version is not $version"
  shown=$("$work/root/usr/bin/kelvor" --version)
  [ "$shown" = "kelvor $version" ] || fail "kelvor --version says '$shown', not 'kelvor $version'"
  grep -q "<release version=\"$version\"" "$work/root/usr/share/metainfo/kelvor.metainfo.xml" ||
    fail "the metainfo has no release $version"
  zcat "$work/root/usr/share/man/man1/kelvor.1.gz" | grep -q "^\.TH KELVOR 1 .*\"kelvor $version\"" ||
    fail "the manual page is not of version $version"
  zcat "$work/root/usr/share/doc/kelvor/changelog.gz" | head -1 | grep -q "^kelvor ($version)" ||
    fail "the change log does not begin with version $version"
  man -l "$work/root/usr/share/man/man1/kelvor.1.gz" 2> /dev/null | grep -q -- '--import-signatures' ||
    fail "the manual page does not read"
  # apropos finds it by what it is, and it names files as Linux does.
  lexgrog "$work/root/usr/share/man/man1/kelvor.1.gz" | grep -q '"kelvor - astrology program' ||
    fail "the manual page's NAME line does not say it is an astrology program: $(lexgrog "$work/root/usr/share/man/man1/kelvor.1.gz")"
  ! man -l "$work/root/usr/share/man/man1/kelvor.1.gz" 2> /dev/null | grep -q 'Opzione[A-Z]\\' ||
    fail "the manual page names a data file with a backslash"
  # No licence: the copyright file and the metainfo grant nothing.
  grep -q 'All rights are reserved' "$work/root/usr/share/doc/kelvor/copyright" ||
    fail "the copyright file does not say that all rights are reserved"
  grep -q '<project_license>LicenseRef-proprietary</project_license>' \
    "$work/root/usr/share/metainfo/kelvor.metainfo.xml" || fail "the metainfo names a licence"
  # The libraries come from dpkg-shlibdeps; what is loaded without linking is named.
  depends=$(dpkg-deb -f "$deb" Depends)
  for d in libqt6widgets6 libqt6printsupport6 libstdc++6 qt6-qpa-plugins fonts-liberation; do
    grep -q "$d" <<< "$depends" || fail "the package does not depend on $d: $depends"
  done
  ;;

validators)
  dpkg-deb -x "$deb" "$work/root"
  desktop-file-validate "$work/root/usr/share/applications/kelvor.desktop" > "$work/desktop.txt" 2>&1 ||
    { cat "$work/desktop.txt" >&2; fail "desktop-file-validate"; }
  ! grep -q -i -e 'error' -e 'warning' "$work/desktop.txt" || { cat "$work/desktop.txt" >&2; fail "desktop-file-validate"; }
  grep -q '^Name\[nl\]=' "$work/root/usr/share/applications/kelvor.desktop" &&
    grep -q '^Comment\[it\]=' "$work/root/usr/share/applications/kelvor.desktop" ||
    fail "the desktop entry lacks its Dutch or Italian texts"
  appstreamcli validate --no-net --explain "$work/root/usr/share/metainfo/kelvor.metainfo.xml" > "$work/appstream.txt" 2>&1 ||
    true
  cat "$work/appstream.txt"
  ! grep -q '^E:' "$work/appstream.txt" || fail "appstreamcli validate reports an error"
  # The one warning: the component id is the program's name, not a reversed
  # domain name (the project has no domain of its own).
  others=$(grep '^W:' "$work/appstream.txt" | grep -v 'cid-desktopapp-is-not-rdns' || true)
  [ -z "$others" ] || fail "appstreamcli validate warns: $others"
  ;;

first-start)
  mkdir "$work/root"
  dpkg-deb -x "$deb" "$work/root"
  # A file only the extracted tree holds tells where the first start copied from.
  marker=Appoggio/dal-pacchetto.txt
  printf 'only in the extracted package\r\n' > "$work/root/usr/share/kelvor/$marker"
  run_program "$work/package-user" "$work/root/usr/bin/kelvor"
  run_program "$work/build-user" "$build/kelvor"
  from_package="$work/package-user/.local/share/kelvor"
  from_build="$work/build-user/.local/share/kelvor"
  [ -f "$from_package/$marker" ] || fail "the extracted program did not take its data from ../share/kelvor"
  [ ! -e "$from_build/$marker" ] || fail "the build's program took the extracted tree"
  rm "$from_package/$marker"
  [ "$(listing "$from_package")" = "$(listing "$from_build")" ] ||
    fail "the first start of the package differs from the build's: $(diff <(listing "$from_build") <(listing "$from_package") | head -20)"
  [ "$(recorded_names "$from_package")" = "$(recorded_names "$from_build")" ] ||
    fail "the record of shipped files differs"
  [ -n "$(recorded_names "$from_package")" ] || fail "the first start recorded no shipped file"
  open=$(find "$from_package" -perm /077)
  [ -z "$open" ] || fail "the data folder is open to other users: $(echo "$open" | head -5)"
  ;;

session-end)
  # A settings file the start cannot read: the start names it in a message,
  # and the end of the session comes while that message is open (the signal
  # is sent once the program holds its folder, before the start can have
  # ended). The message is answered as its close button answers it, the
  # start goes on to its end (the first activation makes the personal
  # archive), and the program ends as always.
  mkdir "$work/root"
  dpkg-deb -x "$deb" "$work/root"
  home="$work/user"
  data="$home/.local/share/kelvor"
  mkdir -p "$data/FileSet"
  printf 'not settings\r\n' > "$data/FileSet/OrbiDomi.stt"
  run_program "$home" "$work/root/usr/bin/kelvor"
  [ -f "$data/FileSet/OrbiDomi.stt.damaged1" ] || fail "the start did not keep the damaged settings file"
  for f in BASE.ST1 BASE.ST2 BASE.ST3 FileSet/MMVarLas.stt; do
    [ -f "$data/$f" ] || fail "the start did not finish before the end of the session: no $f"
  done
  ;;

upgrade)
  changed=Appoggio/Messaggi.txt
  [ -f "$build/data/$changed" ] || fail "no $changed in the build's data tree"
  # The previous version shipped other bytes in one of its help texts.
  sed '2s/e/a/' "$build/data/$changed" > "$work/previous.txt"
  ! cmp -s "$work/previous.txt" "$build/data/$changed" || fail "the previous help text is the same"
  previous="${version}~previous"
  cpack --config "$build/CPackConfig.cmake" -B "$work/previous" -D CPACK_PACKAGE_VERSION="$previous" \
    -D CPACK_DEBIAN_COMPRESSION_TYPE=gzip -D KELVOR_PACKAGE_REPLACE="$changed=$work/previous.txt" > "$work/cpack.txt" 2>&1 ||
    { cat "$work/cpack.txt" >&2; fail "cpack of the previous version"; }
  old="$work/previous/kelvor_${previous}_amd64.deb"
  [ -f "$old" ] || fail "no package $old"
  dpkg --compare-versions "$previous" lt "$version" || fail "$previous is not older than $version"

  root="$work/root"
  home="$work/user"
  data="$home/.local/share/kelvor"
  mkdir "$root"
  dpkg-deb -x "$old" "$root"
  cmp -s "$root/usr/share/kelvor/$changed" "$work/previous.txt" || fail "the previous package lacks its help text"
  run_program "$home" "$root/usr/bin/kelvor"
  cmp -s "$data/$changed" "$work/previous.txt" || fail "the first start did not copy the previous help text"

  # The user's work: a person stored in the personal archive, another house
  # system in the settings, a remedy's dose changed in the primary database.
  fixtures="$source/tests/fixtures/archive"
  cat "$fixtures/empty_BASE.ST1" "$fixtures/person_entry.ST1" > "$data/BASE.ST1"
  cat "$fixtures/empty_BASE.ST2" "$fixtures/person_record.ST2" > "$data/BASE.ST2"
  cat "$fixtures/empty_BASE.ST3" "$fixtures/person_notes.ST3" > "$data/BASE.ST3"
  grep -q '^PLACIDO' "$data/FileSet/OrbiDomi.stt" || fail "no house system in the settings"
  sed -i 's/^PLACIDO\r$/KOCH\r/' "$data/FileSet/OrbiDomi.stt"
  cp "$data/OpzioneH/DBmain.rnd" "$work/DBmain.before"
  perl -0777 -pi -e 's/2 g bloemen/3 g bloemen/' "$data/OpzioneH/DBmain.rnd"
  ! cmp -s "$work/DBmain.before" "$data/OpzioneH/DBmain.rnd" || fail "the database was not edited"
  # The previous version works with them once more, then the user upgrades.
  run_program "$home" "$root/usr/bin/kelvor"
  grep -q '^KOCH' "$data/FileSet/OrbiDomi.stt" || fail "the previous version did not keep the house system"
  before=$(listing "$data" "$changed" .kelvor.renewed)
  for f in BASE.ST1 BASE.ST2 BASE.ST3 FileSet/OrbiDomi.stt OpzioneH/DBmain.rnd; do cp "$data/$f" "$work/kept-${f//\//_}"; done
  dpkg-deb -x "$deb" "$root"
  cmp -s "$root/usr/share/kelvor/$changed" "$build/data/$changed" || fail "the package did not bring the new help text"

  # The next start renews the help text (its message closed by the end of the
  # session) and touches nothing else.
  run_program "$home" "$root/usr/bin/kelvor"
  cmp -s "$data/$changed" "$build/data/$changed" || fail "the start after the upgrade did not renew $changed"
  for f in BASE.ST1 BASE.ST2 BASE.ST3 FileSet/OrbiDomi.stt OpzioneH/DBmain.rnd; do
    cmp -s "$data/$f" "$work/kept-${f//\//_}" || fail "the upgrade changed the user's $f"
  done
  after=$(listing "$data" "$changed" .kelvor.renewed)
  [ "$before" = "$after" ] || fail "the upgrade changed files of the data folder: $(diff <(echo "$before") <(echo "$after") | head -20)"
  grep -q "^= .* $changed\$" "$data/.kelvor.shipped" || fail "the record does not hold the renewed $changed"
  # Nobody answered the message: the next start tells it again.
  grep -q -x "r ${changed//\//\\\\}" "$data/.kelvor.renewed" ||
    fail "the renewal answered by the end of the session is not kept to be told again"
  ;;

*)
  fail "unknown check $check"
  ;;
esac
echo "passed: $check"

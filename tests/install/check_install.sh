#!/usr/bin/env bash
# Installs the build into a scratch root, as the package does, and runs the
# installed programs there as a user whose home is scratch too.
#   check_install.sh BUILD-DIR SOURCE-DIR run        the programs and the register
#   check_install.sh BUILD-DIR SOURCE-DIR validate   the desktop files (77: no tool)
set -euo pipefail
build=$1 source=$2 mode=$3
scratch=$(mktemp -d)
trap 'chmod -R u+w "$scratch"; rm -rf "$scratch"' EXIT
root=$scratch/root
fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR=$root cmake --install "$build" --prefix /usr >"$scratch/install.log" \
    || { cat "$scratch/install.log"; fail "cmake --install"; }

if [ "$mode" = validate ]; then
    command -v desktop-file-validate >/dev/null || { echo "desktop-file-validate missing"; exit 77; }
    command -v appstreamcli >/dev/null || { echo "appstreamcli missing"; exit 77; }
    command -v update-mime-database >/dev/null || { echo "update-mime-database missing"; exit 77; }
    command -v gio >/dev/null || { echo "gio missing"; exit 77; }
    desktop-file-validate "$root"/usr/share/applications/*.desktop
    appstreamcli validate --no-net --pedantic "$root"/usr/share/metainfo/*.xml
    # Every icon the desktop entry, the metainfo and the MIME type name is installed.
    for size in 16 32 48 64 128 256; do
        [ -f "$root/usr/share/icons/hicolor/${size}x${size}/apps/calvane.png" ] || fail "icon $size"
    done
    [ -f "$root/usr/share/icons/hicolor/scalable/apps/calvane.svg" ] || fail "scalable icon"
    # A survey is known by its extension, and as .json (or nameless) by what it says.
    mime=$scratch/data/mime
    mkdir -p "$mime/packages" "$scratch/files"
    cp "$root/usr/share/mime/packages/calvane.xml" "$mime/packages/"
    update-mime-database "$mime"
    sample=$source/samples/loading-survey.json
    cp "$sample" "$scratch/files/a.calvane"
    cp "$sample" "$scratch/files/a.json"
    cp "$sample" "$scratch/files/a"
    echo '{"format": "another-program"}' >"$scratch/files/b.json"
    for file in a.calvane a.json a b.json; do
        type=$(XDG_DATA_HOME=$scratch/data gio info -a standard::content-type "$scratch/files/$file" \
            | sed -n 's/.*content-type: //p')
        expected=application/x-calvane-survey
        [ "$file" = b.json ] && expected=application/json
        [ "$type" = "$expected" ] || fail "$file is $type, not $expected"
    done
    echo "desktop files valid"
    exit 0
fi

export HOME=$scratch/home XDG_DATA_HOME=$scratch/home/.local/share
export XDG_CONFIG_HOME=$scratch/home/.config XDG_RUNTIME_DIR=$scratch/run
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
bin=$root/usr/bin
register=$XDG_DATA_HOME/calvane/DS.dat

[ -f "$root/usr/share/calvane/DS.dat" ] || fail "no seed installed"
[ -f "$root/usr/share/doc/calvane/help/index.html" ] || fail "no help guide installed"
[ ! -e "$bin/DS.dat" ] || fail "a register installed beside the program"
for program in calvane calvane-survey calvane-makedb; do
    [ -x "$bin/$program" ] || fail "$program not installed"
done
# The program folder is not the user's to write: nothing may change there.
chmod -R a-w "$root"
before=$(cd "$root" && find . -printf '%p %s %T@\n' | sort)

"$bin/calvane-survey" --version | grep -qx 'calvane-survey 1\.0' || fail "--version"
"$bin/calvane-survey" compute "$source/samples/loading-survey.json" >"$scratch/out.txt" \
    || fail "compute exited $?"
grep -q 'Total Cargo Loaded' "$scratch/out.txt" || fail "compute printed no cargo"
[ ! -e "$register" ] || fail "a ship given by its particulars made a register"

# The desktop program starts, makes the user's register from the seed, ends.
QT_QPA_PLATFORM=offscreen CALVANE_QUIT_AFTER_START=1 timeout 60 "$bin/calvane" \
    >"$scratch/gui.log" 2>&1 || { cat "$scratch/gui.log"; fail "calvane exited $?"; }
cmp -s "$register" "$root/usr/share/calvane/DS.dat" || fail "the register is not the seed"
[ -w "$register" ] || fail "the user's register is not writable"

# calvane-survey finds the same register for a ship named by its key.
"$bin/calvane-survey" compute "$source/samples/loading-survey-stored-ship.json" >"$scratch/out.txt" \
    || fail "compute with the user's register exited $?"
# A second start keeps the user's register: the same file, not a new copy.
inode=$(stat -c %i "$register")
QT_QPA_PLATFORM=offscreen CALVANE_QUIT_AFTER_START=1 timeout 60 "$bin/calvane" \
    >"$scratch/gui.log" 2>&1 || { cat "$scratch/gui.log"; fail "second start exited $?"; }
[ "$(stat -c %i "$register")" = "$inode" ] || fail "the user's register was replaced"

after=$(cd "$root" && find . -printf '%p %s %T@\n' | sort)
[ "$before" = "$after" ] || fail "the program folder changed"
echo "installed programs ran"

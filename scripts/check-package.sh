#!/usr/bin/env bash
# Checks what a desktop user installs: the desktop file, the AppStream metainfo and the MIME type pass
# their validators; then a Release build without tests (build/package) is packaged with CPack, and the
# package must hold the program, its desktop integration and its help text, and depend on Qt.
set -euo pipefail
cd "$(dirname "$0")/.."
id=com.corvane.PartFileStacker

desktop-file-validate "packaging/$id.desktop"
appstreamcli validate --no-net "packaging/$id.metainfo.xml"
# The MIME package must parse and map *.cvp to the new type.
share=$(mktemp -d)
trap 'rm -rf "$share"' EXIT
mkdir -p "$share/mime/packages"
cp "packaging/$id.mime.xml" "$share/mime/packages/$id.xml"
XDG_DATA_DIRS=$share update-mime-database "$share/mime"
grep -qx '50:application/x-corvane-part:\*\.cvp' "$share/mime/globs2" || {
    echo "check-package: $id.mime.xml does not map *.cvp to application/x-corvane-part" >&2
    exit 1
}

cmake -S . -B build/package -G Ninja -DCMAKE_BUILD_TYPE=Release -DSTACKER_TESTS=OFF -DSTACKER_BENCH=OFF
cmake --build build/package -j2
rm -f build/package/cvstacker_*.deb
(cd build/package && cpack -G DEB)
deb=$(ls build/package/cvstacker_*.deb)
echo "check-package: $deb"
contents=$(dpkg-deb -c "$deb")
echo "$contents"
files=$(awk '{ print $6 }' <<<"$contents")

status=0
for f in ./usr/bin/cvstacker \
    "./usr/share/applications/$id.desktop" \
    "./usr/share/metainfo/$id.metainfo.xml" \
    "./usr/share/mime/packages/$id.xml" \
    "./usr/share/icons/hicolor/scalable/apps/$id.svg" \
    "./usr/share/icons/hicolor/256x256/apps/$id.png" \
    ./usr/share/cvstacker/head_smithfaq.txt; do
    grep -qxF "$f" <<<"$files" || { echo "check-package: $f is missing from the package" >&2; status=1; }
done
# The program alone in bin/: the help text belongs under share/.
stray=$(grep '^\./usr/bin/.' <<<"$files" | grep -vxF ./usr/bin/cvstacker || true)
[ -z "$stray" ] || { echo "check-package: unexpected in usr/bin: $stray" >&2; status=1; }

depends=$(dpkg-deb -f "$deb" Depends)
echo "check-package: Depends: $depends"
for lib in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6; do
    grep -Eq "(^|, )$lib( |,|$)" <<<"$depends" || { echo "check-package: Depends does not name $lib" >&2; status=1; }
done

# The translators' template, collected from the sources by the build.
grep -q '<source>&amp;About</source>' build/package/packaging/cvstacker.ts ||
    { echo "check-package: the translation template lacks the program's texts" >&2; status=1; }
exit $status

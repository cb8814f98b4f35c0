#!/usr/bin/env bash
# Checks what a desktop user installs: the desktop file, the AppStream metainfo and the MIME type pass
# their validators; then a Release build without tests (build/package) is packaged with CPack, and the
# package must hold the program, its desktop integration, its help text, its manual page (compressed
# as Debian wants, rendering without a warning) and its machine-readable copyright file, and depend on
# Qt (but not Qt SVG).
set -euo pipefail
cd "$(dirname "$0")/.."
id=com.corvane.PartFileStacker

desktop-file-validate "packaging/$id.desktop"
appstreamcli validate --no-net "packaging/$id.metainfo.xml"
# The MIME package must parse and map *.cvp to the new type.
share=$(mktemp -d)
unpacked=$(mktemp -d)
trap 'rm -rf "$share" "$unpacked"' EXIT
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
    ./usr/share/cvstacker/head_smithfaq.txt \
    ./usr/share/man/man1/cvstacker.1.gz \
    ./usr/share/doc/cvstacker/copyright; do
    grep -qxF "$f" <<<"$files" || { echo "check-package: $f is missing from the package" >&2; status=1; }
done
# The program alone in bin/: the help text belongs under share/.
stray=$(grep '^\./usr/bin/.' <<<"$files" | grep -vxF ./usr/bin/cvstacker || true)
[ -z "$stray" ] || { echo "check-package: unexpected in usr/bin: $stray" >&2; status=1; }

dpkg-deb -x "$deb" "$unpacked"

# The manual page: gzip -9n (maximum compression, no name, no time stamp: the first nine bytes say so),
# its version filled in, and rendered by groff with every warning on and none given.
man=$unpacked/usr/share/man/man1/cvstacker.1.gz
if [ -f "$man" ]; then
    header=$(head -c 9 "$man" | od -An -tx1 | tr -d ' \n')
    [ "$header" = 1f8b08000000000002 ] ||
        { echo "check-package: cvstacker.1.gz is not compressed with gzip -9n (header $header)" >&2; status=1; }
    ! zgrep -q '@[A-Z_]*@' "$man" || { echo "check-package: cvstacker.1 has a placeholder left" >&2; status=1; }
    warnings=$(zcat "$man" | groff -man -Tutf8 -ww 2>&1 >/dev/null) || status=1
    [ -z "$warnings" ] || { echo "check-package: cvstacker.1 does not render cleanly:" >&2; echo "$warnings" >&2; status=1; }
fi

# The copyright file: the machine-readable format, parsed strictly, each license's terms given in it
# or in the system's common licenses.
copyright=$unpacked/usr/share/doc/cvstacker/copyright
if [ -f "$copyright" ]; then
    [ "$(head -n 1 "$copyright")" = "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" ] ||
        { echo "check-package: the copyright file does not start with the DEP-5 Format line" >&2; status=1; }
    /usr/bin/python3 -W error - "$copyright" <<'PY' || status=1
import os, sys
from debian.copyright import Copyright
with open(sys.argv[1], encoding="utf-8") as f:
    c = Copyright(f, strict=True)
texts = {p.license.synopsis for p in c.all_license_paragraphs() if p.license.text}
missing = [p.license.synopsis for p in c.all_files_paragraphs()
           if not p.license.text and p.license.synopsis not in texts
           and not os.path.exists("/usr/share/common-licenses/" + p.license.synopsis)]
if not list(c.all_files_paragraphs()) or missing:
    sys.exit("check-package: the copyright file names licenses without their terms: %s" % missing)
PY
fi

depends=$(dpkg-deb -f "$deb" Depends)
echo "check-package: Depends: $depends"
for lib in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6; do
    grep -Eq "(^|, )$lib( |,|$)" <<<"$depends" || { echo "check-package: Depends does not name $lib" >&2; status=1; }
done
# The program writes its SVG itself: Qt SVG is not available in every Qt it is built with.
if grep -Eq "(^|, )libqt6svg6( |,|$)" <<<"$depends"; then
    echo "check-package: Depends names libqt6svg6" >&2
    status=1
fi

# The translators' template, collected from the sources by the build.
grep -q '<source>&amp;About</source>' build/package/packaging/cvstacker.ts ||
    { echo "check-package: the translation template lacks the program's texts" >&2; status=1; }
exit $status

#!/usr/bin/env bash
# What distributions check before they take a package, on everything we ship for Linux:
# the desktop entries, the AppStream metadata and the built Debian package, which must
# leave lintian with nothing to say, not even a hint.
set -euo pipefail
source_dir=$1 build_dir=$2

desktop-file-validate "$source_dir"/packaging/*.desktop
appstreamcli validate --no-net --pedantic "$source_dir/packaging/pexalo.metainfo.xml"
(cd "$build_dir" && cpack >/dev/null)
lintian --allow-root --info --display-experimental --pedantic --fail-on error,warning,info,pedantic,experimental \
  "$build_dir"/packages/pexalo_*.deb

#!/usr/bin/env bash
# Runs a Windows program under Wine's 64-bit loader, inside the session (Wine prefix, X display,
# audio sink) that tests/windows/wine_session.sh prepares.
set -euo pipefail
if [ -z "${WINEPREFIX:-}" ] || [ -z "${DISPLAY:-}" ]; then
    echo "wine.sh: run the Windows tests through tests/windows/wine_session.sh" >&2
    exit 2
fi
exec /usr/lib/wine/wine64 "$@"

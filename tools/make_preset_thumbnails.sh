#!/usr/bin/env bash
# Regenerates the 128x128 thumbnail <name>.jpg of every resources/presets/<name>.ipf; rerun after editing a preset:
#   tools/make_preset_thumbnails.sh [MORVANE_CLI [PLUGIN_DIR]]
# (defaults: build/release/src/cli/morvane-cli and build/release/plugins/morvanePX)
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cli="${1:-$root/build/release/src/cli/morvane-cli}"
plugin_dir="${2:-$root/build/release/plugins/morvanePX}"
presets_dir="$root/resources/presets"

die() {
    echo "make_preset_thumbnails: $*" >&2
    exit 1
}

[ -x "$cli" ] || die "morvane-cli not found or not executable: $cli"
[ -d "$plugin_dir/resources/gradients" ] || die "no resources/gradients in the plug-in folder: $plugin_dir"

shopt -s nullglob
presets=("$presets_dir"/*.ipf)
[ ${#presets[@]} -gt 0 ] || die "no presets in $presets_dir"

maps="$(mktemp -d "${TMPDIR:-/tmp}/morvane-thumbs.XXXXXX")"
trap 'rm -rf "$maps"' EXIT

count=0
for preset in "${presets[@]}"; do
    base="$(basename "$preset" .ipf)"
    thumbnail="$presets_dir/$base.jpg"
    log="$maps/run.log"
    rm -rf "$maps/pictures"
    if ! "$cli" "$preset" --size 256 --seed 1 --plugin-dir "$plugin_dir" \
            --maps "$maps/pictures" --thumbnail "$thumbnail" >"$log" 2>&1; then
        cat "$log" >&2
        die "morvane-cli failed on preset '$base'"
    fi
    # A missing gradient only warns; a shipped preset must not need that.
    if grep -E '^(Warning|Error):' "$log" >&2; then
        die "morvane-cli warned on preset '$base'"
    fi
    [ -s "$thumbnail" ] || die "no thumbnail written for preset '$base'"
    echo "$base.jpg"
    count=$((count + 1))
done
echo "$count thumbnails written to $presets_dir"

#!/usr/bin/env bash
# Command-line streaming speed: one million points through every converting
# subcommand of kartavo and, in the same run, through PROJ's cs2cs (and
# GeographicLib's GeoConvert and CartConvert where they do the same job) on
# the same input. Each command runs RUNS times (default 3); the median wall
# time counts. Prints the ratio peer / kartavo and the load average.
#
#   bench/cli_streaming.sh [BUILD_DIR] [POINTS] [RUNS]
set -euo pipefail
build=${1:-build}
points=${2:-1000000}
runs=${3:-3}
kartavo=$build/tools/kartavo
[ -x "$kartavo" ] || { echo "no $kartavo: build first" >&2; exit 1; }
command -v cs2cs >/dev/null || { echo "cs2cs missing: scripts/setup installs proj-bin" >&2; exit 1; }
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

# Inputs: positions in the UTM zones and in the polar cap, UTM and UPS
# coordinates made from them, pixels and positions of a calibrated map.
awk -v n="$points" 'BEGIN { srand(20261208);
  for (i = 0; i < n; i++) printf "%.6f %.6f\n", 32 + 8 * rand(), 12 + 6 * rand() }' >"$dir/geo"
awk -v n="$points" 'BEGIN { srand(7);
  for (i = 0; i < n; i++) printf "%.6f %.6f\n", 84 + 6 * rand(), 360 * rand() - 180 }' >"$dir/polar"
awk -v n="$points" 'BEGIN { srand(11);
  for (i = 0; i < n; i++) printf "%.3f %.3f\n", 1000 * rand(), 800 * rand() }' >"$dir/pixels"
"$kartavo" utm <"$dir/geo" >"$dir/utm"
awk '{ print $2, $3 }' "$dir/utm" >"$dir/utm-en"
"$kartavo" ups <"$dir/polar" >"$dir/ups"
awk '{ print $2, $3 }' "$dir/ups" >"$dir/ups-en"
"$kartavo" cart <"$dir/geo" >"$dir/xyz"
printf '48 6 0 0\n48 12 1000 0\n44 6 0 800\n44 12 1000 800\n46 9 500 400\n' |
  "$kartavo" calib fit --model equirect --size 1000 800 -o "$dir/map.xml" >/dev/null
"$kartavo" calib pix2geo "$dir/map.xml" <"$dir/pixels" >"$dir/mapgeo"

# Median wall time in seconds of RUNS runs of a command line.
median() {
  local times=()
  for ((r = 0; r < runs; r++)); do
    local t0 t1
    t0=$(date +%s.%N)
    bash -c "$1" >/dev/null
    t1=$(date +%s.%N)
    times+=("$(awk -v a="$t0" -v b="$t1" 'BEGIN { print b - a }')")
  done
  printf '%s\n' "${times[@]}" | sort -g | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { print a / b }'; }

wgs='+proj=longlat +datum=WGS84'
osgb='+proj=longlat +ellps=airy +towgs84=446.448,-125.157,542.06,0.15,0.247,0.842,-20.489'
declare -a rows=(
  "utm|$kartavo utm <$dir/geo|cs2cs -r -f %.3f $wgs +to +proj=utm +zone=33 +datum=WGS84 <$dir/geo|GeoConvert -u -p 0 <$dir/geo"
  "utm -r|$kartavo utm -r <$dir/utm|cs2cs -s -f %.8f +proj=utm +zone=33 +datum=WGS84 +to $wgs <$dir/utm-en|GeoConvert -p 3 <$dir/utm"
  "ups|$kartavo ups <$dir/polar|cs2cs -r -f %.3f $wgs +to +proj=ups +datum=WGS84 <$dir/polar|GeoConvert -u -p 0 <$dir/polar"
  "ups -r|$kartavo ups -r <$dir/ups|cs2cs -s -f %.8f +proj=ups +datum=WGS84 +to $wgs <$dir/ups-en|GeoConvert -p 3 <$dir/ups"
  "cart|$kartavo cart <$dir/geo|cs2cs -r -f %.4f $wgs +to +proj=geocent +datum=WGS84 <$dir/geo|CartConvert <$dir/geo"
  "cart -r|$kartavo cart -r <$dir/xyz|cs2cs -s -f %.9f +proj=geocent +datum=WGS84 +to $wgs <$dir/xyz|CartConvert -r <$dir/xyz"
  "helmert|$kartavo helmert 183 269 <$dir/geo|cs2cs -r -f %.9f $osgb +to $wgs <$dir/geo|"
  "calib pix2geo|$kartavo calib pix2geo $dir/map.xml <$dir/pixels|cs2cs -s -f %.7f +proj=eqc +datum=WGS84 +to $wgs <$dir/pixels|"
  "calib geo2pix|$kartavo calib geo2pix $dir/map.xml <$dir/mapgeo|cs2cs -r -f %.3f $wgs +to +proj=eqc +datum=WGS84 <$dir/mapgeo|"
)

echo "kartavo command-line streaming, $points points, median of $runs runs"
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg) (shared machine)"
printf '%-15s %10s %10s %8s %12s %8s\n' command kartavo_s cs2cs_s ratio GeoConvert_s ratio
for row in "${rows[@]}"; do
  IFS='|' read -r name ours proj geo <<<"$row"
  t_ours=$(median "$ours")
  t_proj=$(median "$proj")
  line=$(printf '%-15s %10.3f %10.3f %7.2fx' "$name" "$t_ours" "$t_proj" \
    "$(ratio "$t_proj" "$t_ours")")
  if [ -n "$geo" ] && command -v "${geo%% *}" >/dev/null; then
    t_geo=$(median "$geo")
    line+=$(printf ' %12.3f %7.2fx' "$t_geo" "$(ratio "$t_geo" "$t_ours")")
  fi
  echo "$line"
done
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"

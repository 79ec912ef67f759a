#!/usr/bin/env bash
# Installs the build to a temporary prefix and checks the installed tree:
#  - exactly the public headers are installed (nothing from detail/, no .inl);
#  - every installed header compiles alone against the installed tree;
#  - a program built with find_package(kartavo) against that tree, using a
#    name of every module through the umbrella headers only, links and runs.
# Usage: check_installed_headers.sh <source dir> <build dir> <c++ compiler> [Qt include dirs]
#        [host flags]
# The Qt backend's headers are installed and compiled only when the Qt include
# directories (a ;-separated list) are given. The host flags (e.g. the
# sanitizers of a sanitized build) go to the host program's compile and link.
set -uo pipefail
src=$1 build=$2 cxx=$3 qt_dirs=${4:-} host_flags=${5:-}
extra=()
if [ -n "$qt_dirs" ]; then
  IFS=';' read -ra dirs <<<"$qt_dirs"
  for d in "${dirs[@]}"; do
    [ "$d" = /usr/include ] || extra+=("-isystem$d") # the default already, and last
  done
  extra+=(-fPIC)
fi
prefix=$(mktemp -d /tmp/kartavo-install.XXXXXX)
trap 'rm -rf "$prefix"' EXIT
status=0

cmake --install "$build" --prefix "$prefix" >/dev/null || { echo "install failed"; exit 1; }
inc=$prefix/include

installed=$(cd "$inc" && find kartavo -type f | sort)
public=$(cd "$src" && find kartavo -name '*.h' -not -path '*/detail/*' |
  { if [ -n "$qt_dirs" ]; then cat; else grep -v '^kartavo/backend_qt/'; fi; } | sort)
if [ "$installed" != "$public" ]; then
  echo "installed headers differ from the public headers (kartavo/**/*.h outside detail/):"
  diff <(echo "$public") <(echo "$installed") | sed 's/^</  not installed:/; s/^>/  installed but not public:/' | grep '^ '
  status=1
fi

compile_alone() {
  printf '#include "%s"\n' "$1" |
    "$cxx" -std=c++20 -fsyntax-only -Wall -Wextra -Werror -I"$inc" $extra_flags -x c++ - 2>&1 |
    head -5 | sed "s|^|$1: |"
}
export -f compile_alone
export cxx inc
export extra_flags="${extra[*]:-}" # bash exports no arrays
failed=$(echo "$installed" | xargs -P 2 -I{} bash -c 'compile_alone {}')
if [ -n "$failed" ]; then
  echo "installed headers that do not compile alone (each must include what it uses):"
  echo "$failed"
  status=1
fi

consumer=$prefix/consumer
mkdir -p "$consumer"
cp "$src/tests/interface/consumer/CMakeLists.txt" "$src/tests/interface/consumer/main.cpp" "$consumer/"
if ! cmake -S "$consumer" -B "$consumer/build" -DCMAKE_PREFIX_PATH="$prefix" \
    -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_CXX_FLAGS="$host_flags" \
    -DCMAKE_EXE_LINKER_FLAGS="$host_flags" >"$consumer/log" 2>&1 ||
  ! cmake --build "$consumer/build" >>"$consumer/log" 2>&1 ||
  ! LD_LIBRARY_PATH="$prefix/lib:$prefix/lib64${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}" \
    "$consumer/build/consumer" >>"$consumer/log" 2>&1; then
  echo "a host program against the installed tree failed:"
  grep -E 'error|undefined|FAILED|Error' "$consumer/log" | head -40
  status=1
fi

[ $status -eq 0 ] && echo "$(echo "$installed" | wc -l) installed headers compile alone; a host links and runs"
exit $status

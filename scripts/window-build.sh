# Sourced by the scripts that run a window program under a virtual X server: builds $target
# (default: the window program) into $build and gives it a private runtime folder ($runtime).
target=${target:-vlnokan}
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
fi
cmake --build "$build" --target "$target" >/dev/null
runtime=$(mktemp -d)
chmod 700 "$runtime"
trap 'rm -rf "$runtime"' EXIT

# Sourced by the scripts that run the window program under a virtual X server: builds it into
# $build when it is not there yet and gives it a private runtime folder ($runtime).
if [ ! -x "$build/app/vlnokan" ]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
    cmake --build "$build" --target vlnokan
fi
runtime=$(mktemp -d)
chmod 700 "$runtime"
trap 'rm -rf "$runtime"' EXIT

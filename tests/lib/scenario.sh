# Sourced by the scenario scripts that drive the staged program under Wine.

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

note() { echo "-- $*"; }

# gone PID TENTHS: waits up to TENTHS tenths of a second for the process to end.
gone() {
    local i
    for ((i = 0; i < $2; i++)); do
        kill -0 "$1" 2>/dev/null || return 0
        sleep 0.1
    done
    ! kill -0 "$1" 2>/dev/null
}

# Sourced by scripts/run and scripts/test: start_xvfb SIZE starts an X server
# that picks a free display itself, and sets xvfb_pid and xvfb_display. It
# fails, saying why, when the server does not come up within ten seconds.
start_xvfb() {
    local size=$1 fifo
    fifo=$(mktemp -u /tmp/secsuite-xvfb.XXXXXX)
    mkfifo -m 600 "$fifo"
    Xvfb -displayfd 3 -screen 0 "$size" -nolisten tcp 3>"$fifo" 2>/dev/null &
    xvfb_pid=$!
    local number=""
    # The display number arrives on the pipe once the server listens.
    read -r -t 10 number <"$fifo" || true
    rm -f "$fifo"
    if [ -z "$number" ] || ! kill -0 "$xvfb_pid" 2>/dev/null; then
        echo "Xvfb did not start" >&2
        kill "$xvfb_pid" 2>/dev/null || true
        xvfb_pid=
        return 1
    fi
    xvfb_display=":$number"
}

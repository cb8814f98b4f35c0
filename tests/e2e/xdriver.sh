# Driving a real window through the X server with xdotool, as an operator would: sourced by the e2e
# sessions and by the Windows real-window session. The caller defines fail MESSAGE and alive (fails
# when the program has ended), and may set settle (seconds a new window is given to map and place its
# focus before input arrives), pause (after focus and keys) and key_delay (milliseconds between keys).
settle=${settle:-0.4} pause=${pause:-0.2} key_delay=${key_delay:-120}

# Waits until a visible window whose whole title matches the regular expression appears; prints its id.
wait_window() {
    local pattern=$1 timeout=${2:-30} id
    local deadline=$((SECONDS + timeout))
    while [ "$SECONDS" -lt "$deadline" ]; do
        alive
        id=$(xdotool search --onlyvisible --name "^${pattern}\$" 2>/dev/null | tail -n 1 || true)
        if [ -n "$id" ]; then
            sleep "$settle"
            echo "$id"
            return 0
        fi
        sleep 0.2
    done
    fail "no window '$pattern' within ${timeout}s"
}

focus() {
    xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"
    sleep "$pause"
}

keys() {
    xdotool key --delay "$key_delay" "$@"
    sleep "$pause"
}

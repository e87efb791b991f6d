# Shared by every check that drives a program on an X display (the desktop checks,
# the Windows checks under Wine, the screenshots): waits with deadlines instead of
# fixed sleeps, and window look-ups that survive windows which vanish while xdotool
# reads them (it dies on the X error BadWindow: a look-up is retried until its
# deadline, never taken for an answer). Source it: . tests/app/x_session.sh

# until SECONDS COMMAND...: runs COMMAND every tenth of a second until it succeeds;
# fails when SECONDS have passed first.
until_true() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.1
    done
}

# find_window TITLE-REGEX [SECONDS]: prints the id of the newest visible window whose
# title matches, waiting up to SECONDS (60) for one to appear.
find_window() {
    local found
    window_visible() { found=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -n1) && [ -n "$found" ]; }
    if ! until_true "${2:-60}" window_visible "$1"; then
        echo "no window titled /$1/ appeared within ${2:-60} s" >&2
        return 1
    fi
    echo "$found"
}

# start_window_manager: starts openbox and waits until it manages the display (it
# answers for the current desktop), so that the windows activated later get the focus.
start_window_manager() {
    openbox >/dev/null 2>&1 &
    window_manager_ready() { xdotool get_desktop >/dev/null 2>&1; }
    until_true 30 window_manager_ready || { echo "the window manager did not start" >&2; return 1; }
}

# activate WINDOW: raises WINDOW and waits until it has the keyboard focus.
activate() {
    window_has_focus() {
        xdotool windowactivate "$1" 2>/dev/null
        [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]
    }
    until_true 30 window_has_focus "$1" || { echo "window $1 never got the focus" >&2; return 1; }
}

# clipboard_equals FILE [SECONDS]: waits until the X clipboard holds the bytes of FILE;
# if it never does, shows what it holds.
clipboard_equals() {
    clipboard_matches() { cmp -s "$1" <(xclip -selection clipboard -o 2>/dev/null); }
    until_true "${2:-20}" clipboard_matches "$1" && return 0
    echo "the clipboard does not hold the expected text; it holds:" >&2
    xclip -selection clipboard -o 2>&1 | head -n 12 >&2
    return 1
}

# wait_for_file PATH [SECONDS]: waits until PATH exists.
wait_for_file() {
    until_true "${2:-20}" test -e "$1" || { echo "$1 did not appear" >&2; return 1; }
}

# ends_with_success PID NAME [SECONDS]: waits for the program PID to end, and fails
# unless it ended with status 0.
ends_with_success() {
    local status=0
    program_ended() { ! kill -0 "$1" 2>/dev/null; }
    if ! until_true "${3:-60}" program_ended "$1"; then
        echo "$2 did not end" >&2
        kill "$1" 2>/dev/null
        return 1
    fi
    wait "$1" || status=$?
    [ "$status" -eq 0 ] || { echo "$2 ended with status $status" >&2; return 1; }
}

# type_save_copy_show MAIN LINE: as a person at Main (window MAIN) does: types LINE,
# then Save, Copy and Show by the Text menu's access keys; waits until the file that
# Save names after LINE is there (a typed key that got lost fails here).
type_save_copy_show() {
    activate "$1"
    xdotool type --delay 40 "$2"
    xdotool key --delay 150 alt+t a # Text, Save
    wait_for_file "Files/$2.txt"
    xdotool key --delay 150 alt+t c # Text, Copy
    xdotool key --delay 150 alt+t h # Text, Show
}

# exit_from_menu MAIN PID NAME: File, Exit at Main; the program PID must end at once
# with status 0.
exit_from_menu() {
    activate "$1"
    xdotool key --delay 150 alt+f e
    ends_with_success "$2" "$3"
}

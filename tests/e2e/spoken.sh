#!/usr/bin/env bash
# Takes the test with the keyboard alone while Orca listens, and checks what Orca says, from its
# own debug log (its SPEECH OUTPUT lines; its speech goes to no synthesizer): the question as
# window 1 appears, «Неверно» for a wrong try, the question as window 2 appears, the mark as the
# result window appears. On the desktop program, or in Firefox on the single-file site.
# Usage: spoken.sh desktop path/to/kinematics-test
#        spoken.sh firefox path/to/kinematics-test.html
set -euo pipefail
front=${1:?usage: spoken.sh desktop|firefox PROGRAM}
target=$(realpath "${2:?usage: spoken.sh desktop|firefox PROGRAM}")
source "$(dirname "$0")/drive.sh"
screen_reader_session "$0" "$@"
start_xvfb

# Orca with speech on but no synthesizer, its settings and its log of its own, in an environment
# of its own.
orca_home=$work/orca-home
own_environment "$orca_home" "$orca_home/runtime"
mkdir "$orca_home/prefs"
cat >"$orca_home/prefs/user-settings.conf" <<'JSON'
{"general": {"enableSpeech": true, "speechServerFactory": "none", "speechFactoryModules": [],
             "enableBraille": false, "enableSound": false, "firstStart": false,
             "sayAllOnLoad": false},
 "profiles": {"default": {"profile": ["Default", "default"]}},
 "pronunciations": {}, "keybindings": {}}
JSON
log=$work/orca.log
# Orca writes its log in blocks to a file, but line by line to a terminal: it gets one (script),
# whose every line goes into the log at once.
env -i "${environment[@]}" GSETTINGS_BACKEND=memory \
    script -qfec "orca -u '$orca_home/prefs' --debug-file /dev/tty" "$log" </dev/null >/dev/null 2>&1 &
orca=$!
trap 'kill $orca 2>/dev/null || true; stop_program' EXIT

# What Orca said from the last words heard on: line $heard and those after it.
heard=0
spoken() { grep -an "SPEECH OUTPUT: '" "$log" 2>/dev/null | awk -F: -v from=$heard '$1 >= from'; }

# hear WORDS [UNLESS_FIRST]: waits until Orca says WORDS, after what was heard before; fails when
# it says UNLESS_FIRST before them, or nothing of them within ninety seconds (a browser starting on a busy machine).
hear() {
    local words=$1 unless=${2:-} deadline=$((SECONDS + 90)) number line
    while ((SECONDS < deadline)); do
        while IFS=: read -r number line; do
            if [[ $line == *"$words"* ]]; then
                heard=$number
                return
            fi
            [[ -n $unless && $line == *"$unless"* ]] &&
                fail "Orca said «$unless» before «$words»: $(spoken | cut -c1-200)"
        done < <(spoken)
        sleep 0.1
    done
    fail "Orca did not say «$words»; it said: $(spoken | cut -c1-200)"
}

keys() { xdotool key --delay 50 "$@"; }

# The answers' places in the tab order, from the answer sheet the program's tables make.
mapfile -t right < <("$e2e_dir/answer_sheet.py" options)

# From «Далее», which has the focus as a window appears, to answer N and back, and Space there. On
# the desktop: Tab to the statement, Tab to the options (the chosen one, or else the first), the
# arrow to the answer, Space. In Firefox Orca reads in browse mode, where it takes the arrows:
# its key R goes to the next round button.
answer() {
    local steps=()
    for ((i = 1; i <= $1; i++)); do steps+=(Right); done
    if [[ $front == desktop ]]; then
        steps=(Tab Tab "${steps[@]:1}")
    else
        steps=("${steps[@]/Right/r}")
    fi
    keys "${steps[@]}" space shift+Tab shift+Tab space
}

hear "Screen reader on"
# On the desktop the window's words come before the control with the focus; in the browser they
# come as news right after it.
first=
case $front in
desktop)
    first=Далее
    start_program "$target"
    ;;
firefox)
    # A profile of its own that shows nothing on a first start.
    own_environment "$work/firefox" "$orca_home/runtime"
    cat >"$work/firefox/user.js" <<'PREFS'
user_pref("browser.aboutwelcome.enabled", false);
user_pref("browser.newtab.preload", false);
user_pref("browser.startup.homepage_override.mstone", "ignore");
user_pref("browser.shell.checkDefaultBrowser", false);
user_pref("datareporting.policy.dataSubmissionPolicyBypassNotification", true);
user_pref("datareporting.policy.firstRunURL", "");
user_pref("toolkit.telemetry.reportingpolicy.firstRun", false);
user_pref("startup.homepage_welcome_url", "");
PREFS
    env -i "${environment[@]}" GTK_USE_PORTAL=0 MOZ_CRASHREPORTER_DISABLE=1 GNOME_ACCESSIBILITY=1 \
        firefox-esr --no-remote --new-instance --profile "$work/firefox" "file://$target" \
        >"$work/out.log" 2>&1 &
    app=$!
    ;;
*) fail "the front is desktop or firefox, not \"$front\"" ;;
esac
hear "Вопрос 1 из 10"
hear "1. Какой из графиков (рис 1)" "$first"

# A wrong try: А in window 1, whose answer is В.
answer 1
hear "Неверно"
answer 3
hear "Вопрос 2 из 10"
hear "2. По графику зависимости скорости от времени (рис 2)" "$first"
for n in $(seq 2 10); do
    ((n == 2)) || hear "Вопрос $n из 10"
    answer "${right[n - 1]}"
done
# One wrong try of ten: the mark is 4.
hear "Результат теста"
hear "Оценка: 4" "${first:+Выход}"
if [[ $front == desktop ]]; then
    keys space
    ends_with_0
fi
echo "spoken ($front): passed"

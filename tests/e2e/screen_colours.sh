#!/usr/bin/env bash
# The running program shows its all-zero screen in the CGA palette's colour 0
# (black), magnified, inside the (5, 5, 10) background of a window made
# larger than the picture.
set -euo pipefail
program=$1
here=$(dirname "$0")
. "$here/lib.bash"
shots=$(mktemp -d)
trap 'stop_display; rm -rf "$shots"' EXIT

black="srgb(0,0,0)"
background="srgb(5,5,10)"

fresh_home
start_display 1024x768x24
start_program "$program"
wait_for_output "resize event: scale: " 20

window=$(xdotool search --name '^pegwick$' | head -n1)
[ -n "$window" ] || fail "no window titled pegwick"
# No window manager runs under Xvfb, so the size request is applied as is.
xdotool windowsize "$window" 700 600

# Screenshot of the window's area of the root window, into $shots/window.png.
take_window_shot() {
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$window")"
  WINDOW_WIDTH=$WIDTH
  WINDOW_HEIGHT=$HEIGHT
  xwd -root -silent | convert xwd:- -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$shots/window.png"
}

pixel() { convert "$shots/window.png" -format "%[pixel:p{$1,$2}]" info:; }

# The program presents every frame; wait until a frame at the new size is up.
for _ in $(seq 50); do
  take_window_shot
  [ "$WINDOW_WIDTH" = 700 ] && [ "$WINDOW_HEIGHT" = 600 ] && [ "$(pixel 699 599)" = "$background" ] && break
  sleep 0.2
done
[ "$WINDOW_WIDTH" = 700 ] && [ "$WINDOW_HEIGHT" = 600 ] || fail "window is ${WINDOW_WIDTH}x${WINDOW_HEIGHT}, not 700x600"

# The picture: the bounding box of its black pixels (a border of non-black
# keeps the box's offsets from depending on the corner pixel).
box=$(convert "$shots/window.png" -fill white -opaque black -fill black +opaque white \
  -bordercolor black -border 1 -format '%@' info:)
[[ $box =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] || fail "no black picture in the window (box '$box')"
picture_w=${BASH_REMATCH[1]} picture_h=${BASH_REMATCH[2]}
picture_x=$((BASH_REMATCH[3] - 1)) picture_y=$((BASH_REMATCH[4] - 1))

# A magnified square screen, at least the 512 x 512 of scale 4, inside the window.
[ "$picture_w" -eq "$picture_h" ] || fail "picture is ${picture_w}x${picture_h}, not square"
[ "$picture_w" -ge 512 ] || fail "picture is ${picture_w}x${picture_h}, smaller than 512x512"
[ $((picture_x + picture_w)) -le 700 ] && [ $((picture_y + picture_h)) -le 600 ] ||
  fail "picture $box does not fit in the window"

# Exactly two colours: the whole box black, everything else background.
histogram=$(convert "$shots/window.png" -format %c histogram:info:- | tr -s ' ' | sed 's/^ //')
expected_histogram="$((picture_w * picture_h)): (0,0,0) #000000 black
$((700 * 600 - picture_w * picture_h)): (5,5,10) #05050A srgb(5,5,10)"
[ "$histogram" = "$expected_histogram" ] ||
  fail "window colours are
$histogram
expected
$expected_histogram"

# Spot checks: the picture's corners and centre, and the bands beside it.
middle_x=$((picture_x + picture_w / 2)) middle_y=$((picture_y + picture_h / 2))
for point in "$picture_x $picture_y" "$((picture_x + picture_w - 1)) $((picture_y + picture_h - 1))" \
  "$middle_x $middle_y"; do
  [ "$(pixel $point)" = "$black" ] || fail "pixel $point is $(pixel $point), not black"
done
# Every band around the picture that the window leaves room for.
bands=()
[ "$picture_x" -gt 0 ] && bands+=("0 $middle_y")
[ $((picture_x + picture_w)) -lt 700 ] && bands+=("699 $middle_y")
[ "$picture_y" -gt 0 ] && bands+=("$middle_x 0")
[ $((picture_y + picture_h)) -lt 600 ] && bands+=("$middle_x 599")
[ ${#bands[@]} -gt 0 ] || fail "the picture fills the whole window"
for point in "${bands[@]}" "699 599"; do
  [ "$(pixel $point)" = "$background" ] || fail "pixel $point is $(pixel $point), not the background"
done

stop_program
echo "screen_colours: ok"

#!/usr/bin/env bash
# Writes the third-party GIF fixtures and, beside each, a PNG of how the tool
# that wrote it reads it back: PIL, ImageMagick and giflib (gifbuild writes,
# gif2rgb decodes and PIL only wraps its raw RGB in a PNG). Run once; the
# outputs are committed. Needs python3-pil (Debian's python3), imagemagick
# and giflib-tools.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"

/usr/bin/python3 - <<'PY'
from PIL import Image

def pattern(w, h, colours):
    im = Image.new("P", (w, h))
    palette = []
    for i in range(colours):
        palette += [(i * 37) % 256, (i * 91 + 40) % 256, (255 - i * 13) % 256]
    im.putpalette(palette)
    im.putdata([(x * 3 + y * 5 + (x * y) % 7) % colours for y in range(h) for x in range(w)])
    return im

def save_png(gif):
    Image.open(gif).convert("RGBA").save(gif[:-4] + ".png")

pattern(23, 19, 256).save("pil_8bit_interlaced.gif", interlace=True)
pattern(17, 16, 16).save("pil_4bit.gif", interlace=False)
pattern(13, 11, 2).save("pil_2colours.gif")
pattern(12, 10, 8).save("pil_transparent.gif", transparency=3)
frames = [pattern(9, 7, 4), pattern(9, 7, 4).transpose(Image.Transpose.FLIP_LEFT_RIGHT)]
frames[0].save("pil_loop.gif", save_all=True, append_images=frames[1:], loop=0, duration=[100, 250])
for name in ["pil_8bit_interlaced", "pil_4bit", "pil_2colours", "pil_transparent", "pil_loop"]:
    save_png(name + ".gif")
PY

convert -size 40x30 plasma:fractal -seed 3 -colors 256 -interlace GIF im_8bit_interlaced.gif
convert -size 15x9 plasma:fractal -seed 7 -colors 16 im_4bit.gif
convert -size 14x12 pattern:checkerboard -monochrome im_1bit.gif
convert -size 12x10 xc:white -fill green -draw "rectangle 2,2 8,6" -fill red -draw "point 10,8" -transparent white im_transparent.gif
convert -delay 30 -loop 3 -size 8x6 xc:navy xc:orange im_loop.gif
for name in im_8bit_interlaced im_4bit im_1bit im_transparent im_loop; do
  convert "$name.gif[0]" "PNG32:$name.png"
done

# Local colour tables only (no global table), a 5-row interlaced frame and a
# loop block. gifbuild writes an image's graphic control block after the
# image, so there it applies to the next image.
gifbuild > giflib_local_tables.gif <<'GB'
screen width 6
screen height 4
screen colors 4
image
image map
  rgb 255 0 0 is r
  rgb 0 255 0 is g
  rgb 0 0 255 is b
  rgb 255 255 255 is w
end
image bits 6 by 4
rgbwrg
gbwrgb
bwrgbw
wrgbwr
GB
gifbuild > giflib_interlaced_short.gif <<'GB'
screen width 4
screen height 5
screen map
  rgb 0 0 0 is k
  rgb 255 255 0 is y
end
image
image interlaced
image bits 4 by 5
kyky
yyyy
kkkk
ykyk
kyyk
GB
gifbuild > giflib_loop.gif <<'GB'
screen width 3
screen height 2
screen map
  rgb 0 0 0 is k
  rgb 255 255 255 is w
end
netscape loop 5
image
graphics control
  delay 12
end
image bits 3 by 2
kwk
wkw
image
graphics control
  delay 34
end
image bits 3 by 2
wkw
kwk
GB
for name in giflib_local_tables giflib_interlaced_short giflib_loop; do
  read -r width height < <(giftext "$name.gif" | sed -n "s/.*Screen Size - Width = \([0-9]*\), Height = \([0-9]*\).*/\1 \2/p")
  gif2rgb -1 -o "$name.rgb" "$name.gif"
  /usr/bin/python3 -c "
import sys
from PIL import Image
w, h = int(sys.argv[2]), int(sys.argv[3])
Image.frombytes('RGB', (w, h), open(sys.argv[1] + '.rgb', 'rb').read()[: w * h * 3]).save(sys.argv[1] + '.png')
" "$name" "$width" "$height"
  rm "$name.rgb"
done

#!/bin/sh
# Draws the toolbar icons that the Tango theme has no image for, in its
# palette and outline style, at 16 and 32 pixels. Run by hand after a change
# (needs ImageMagick's convert); the PNG files it writes are kept in the
# repository and embedded into the program at build time.
set -eu
cd "$(dirname "$0")"
mkdir -p own/16 own/32

# Tango palette
ALU1='#eeeeec'; ALU2='#d3d7cf'; ALU3='#babdb6'; ALU4='#888a85'; ALU5='#555753'; ALU6='#2e3436'
SKY2='#3465a4'; SKY3='#204a87'; CHAM3='#4e9a06'; CHAM2='#73d216'; RED2='#cc0000'

# A white page with the grey outline of Tango's text documents.
page32="fill white stroke $ALU4 stroke-width 1 roundrectangle 4.5,1.5 27.5,30.5 1.5,1.5"
page16="fill white stroke $ALU4 stroke-width 1 rectangle 1.5,0.5 14.5,15.5"

draw() { # name size mvg
  convert -size "$2x$2" xc:none -draw "$3" -define png:exclude-chunks=date,time -strip "PNG32:own/$2/$1.png"
}

# Physical line numbers: a grey gutter with number marks beside text lines.
draw line-numbers 32 "$page32 fill $ALU2 stroke none rectangle 5,2 11,30
 fill $ALU6 stroke none
 rectangle 7,6 7,6 rectangle 8,5 8,10 rectangle 7,10 9,10
 rectangle 7,14 9,14 rectangle 9,15 9,16 rectangle 7,17 9,17 rectangle 7,18 7,19 rectangle 7,20 9,20
 rectangle 7,23 9,23 rectangle 9,24 9,28 rectangle 8,25 9,25 rectangle 7,28 9,28
 fill $ALU4 rectangle 14,6 24,7 rectangle 14,10 21,11 rectangle 14,16 25,17 rectangle 14,20 20,21 rectangle 14,25 23,26"
draw line-numbers 16 "$page16 fill $ALU2 stroke none rectangle 2,1 5,15
 fill $ALU6 stroke none rectangle 3,3 4,3 rectangle 3,7 4,7 rectangle 3,11 4,11
 fill $ALU4 rectangle 7,3 12,3 rectangle 7,5 11,5 rectangle 7,7 13,7 rectangle 7,9 10,9 rectangle 7,11 12,11 rectangle 7,13 9,13"

# Show line endings: a blue pilcrow after a text line.
draw line-endings 32 "$page32 fill $ALU4 stroke none rectangle 8,5 23,6 rectangle 8,26 15,27
 fill $SKY2 stroke none circle 14.5,13 14.5,9 rectangle 14,9 16,17
 rectangle 15,9 24,10 rectangle 17,9 18,27 rectangle 21,9 22,27"
draw line-endings 16 "$page16 fill $ALU4 stroke none rectangle 4,2 11,2
 fill $SKY2 stroke none circle 6.5,6.5 6.5,4 rectangle 6,4 8,9 rectangle 7,4 12,4 rectangle 8,4 8,13 rectangle 11,4 11,13"

# Show white space: blue dots between the words of text lines.
draw white-space 32 "$page32 fill $ALU4 stroke none
 rectangle 8,7 12,8 rectangle 18,7 23,8 rectangle 8,15 10,16 rectangle 16,15 23,16 rectangle 8,23 14,24 rectangle 20,23 23,24
 fill $SKY2 circle 15,7.5 15,6 circle 12.5,15.5 12.5,14 circle 17.5,23.5 17.5,22"
draw white-space 16 "$page16 fill $ALU4 stroke none
 rectangle 4,3 5,3 rectangle 9,3 12,3 rectangle 4,8 4,8 rectangle 8,8 12,8 rectangle 4,13 6,13 rectangle 10,13 12,13
 fill $SKY2 rectangle 7,3 7,3 rectangle 6,8 6,8 rectangle 8,13 8,13"

# Indent guides: dotted blue guides at the indentation of text lines.
draw indent-guides 32 "$page32 fill $ALU4 stroke none
 rectangle 8,5 22,6 rectangle 13,10 24,11 rectangle 18,15 25,16 rectangle 18,20 23,21 rectangle 13,25 21,26
 fill $SKY2 rectangle 9,9 9,9 rectangle 9,11 9,11 rectangle 9,13 9,13 rectangle 9,15 9,15 rectangle 9,17 9,17
 rectangle 9,19 9,19 rectangle 9,21 9,21 rectangle 9,23 9,23 rectangle 9,25 9,25
 rectangle 14,14 14,14 rectangle 14,16 14,16 rectangle 14,18 14,18 rectangle 14,20 14,20 rectangle 14,22 14,22"
draw indent-guides 16 "$page16 fill $ALU4 stroke none
 rectangle 4,2 10,2 rectangle 7,5 12,5 rectangle 10,8 13,8 rectangle 10,11 12,11 rectangle 7,14 11,14
 fill $SKY2 rectangle 4,4 4,4 rectangle 4,6 4,6 rectangle 4,8 4,8 rectangle 4,10 4,10 rectangle 4,12 4,12 rectangle 4,14 4,14
 rectangle 7,7 7,7 rectangle 7,9 7,9 rectangle 7,11 7,11"

# Make lines comments: a green apostrophe before the text lines.
draw comment 32 "$page32 fill $CHAM3 stroke none polygon 8,7 12,7 11,14 9,14
 polygon 8,18 12,18 11,25 9,25
 fill $ALU4 rectangle 15,8 24,9 rectangle 15,12 21,13 rectangle 15,19 24,20 rectangle 15,23 20,24"
draw comment 16 "$page16 fill $CHAM3 stroke none rectangle 3,3 5,4 rectangle 4,5 4,6 rectangle 3,9 5,10 rectangle 4,11 4,12
 fill $ALU4 rectangle 7,3 12,3 rectangle 7,5 10,5 rectangle 7,9 12,9 rectangle 7,11 10,11"

# Un-comment lines: the apostrophes struck out in red.
draw uncomment 32 "$page32 fill $ALU3 stroke none polygon 8,7 12,7 11,14 9,14
 polygon 8,18 12,18 11,25 9,25
 fill $ALU4 rectangle 15,8 24,9 rectangle 15,12 21,13 rectangle 15,19 24,20 rectangle 15,23 20,24
 stroke $RED2 stroke-width 2 line 6,8 14,14 line 14,8 6,14 line 6,19 14,25 line 14,19 6,25"
draw uncomment 16 "$page16 fill $ALU3 stroke none rectangle 3,3 5,4 rectangle 4,5 4,6 rectangle 3,9 5,10 rectangle 4,11 4,12
 fill $ALU4 rectangle 7,3 12,3 rectangle 7,5 10,5 rectangle 7,9 12,9 rectangle 7,11 10,11
 stroke $RED2 stroke-width 1 line 2,2 6,6 line 6,2 2,6 line 2,8 6,12 line 6,8 2,12"

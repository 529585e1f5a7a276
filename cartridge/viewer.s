| SPDX-License-Identifier: GPL-3.0-or-later
|
| The demo cartridge's car viewer (Mega Drive, 68000).
| Copyright (C) 2026 the SKM car editor developers
|
| This program is free software: you can redistribute it and/or modify it
| under the terms of the GNU General Public License as published by the Free
| Software Foundation, either version 3 of the License, or (at your option)
| any later version. It is distributed in the hope that it will be useful, but
| WITHOUT ANY WARRANTY; without even the implied warranty of MERCHANTABILITY or
| FITNESS FOR A PARTICULAR PURPOSE. See the GNU General Public License for
| more details: <https://www.gnu.org/licenses/>.
|
| What it does: shows one car of the cartridge's car areas as the console
| draws it, on a light grey backdrop, and below it the numbers of that car.
| Every frame it reads the car areas again (the sprite's tiles go to video
| memory by DMA straight from the cartridge, the palette and the numbers are
| read anew), so whatever changes the cartridge's memory shows on the next
| frame. It also sums the cartridge's words from 0x200 to the end over and
| over, a slice each frame, and says whether the header's checksum matches.
|
| Pad: left/right turn the car (rotation 0..23), up/down tilt it (-4..4),
| B the next car, C the next palette, A wheels animation on/off.
|
| The image this is linked into holds, from 0: the vectors, the header
| (0x100..0x1FF), this program (from 0x200, up to the weapons area at 0x54A0),
| then the car areas the editor reads and writes:

        .equ    WEAPONS,         0x54A0      | 3 slots x 5 cars, slot-major
        .equ    PALETTES,        0x6776      | 10 palettes x 16 colour words
        .equ    CHARACTERISTICS, 0xE150      | 5 values x 5 cars, value-major
        .equ    SPRITES,         0xBF500     | 5 cars x 45 sprites x 1152 bytes
        .equ    SPRITE_BYTES,    1152
        .equ    SPRITES_PER_CAR, 45
        .equ    CARS,            5
        .equ    ROM_PALETTES,    10
        .equ    CHECKSUM_WORD,   0x18E       | header: the sum of the words from 0x200
        .equ    ROM_END_FIELD,   0x1A4       | header: last byte of the cartridge
        .equ    SUM_START,       0x200

| Hardware.
        .equ    VDP_DATA,        0xC00000
        .equ    VDP_CTRL,        0xC00004
        .equ    PSG,             0xC00011
        .equ    VERSION,         0xA10001    | low nibble: console revision
        .equ    PAD1_DATA,       0xA10003
        .equ    PAD1_CTRL,       0xA10009
        .equ    TMSS,            0xA14000

| Video memory. Tiles are 32 bytes; a name-table or sprite entry names a tile
| by its number (address / 32).
        .equ    FONT_TILE,       0x20        | tile number = character code, 0x20..0x5F
        .equ    LEVEL_TILE,      0x61        | 8 solid tiles, colours 1..8 of palette line 2
        .equ    CAR_TILE,        0x100       | the sprite on show: 36 tiles from 0x2000
        .equ    CAR_VRAM,        CAR_TILE * 32
        .equ    PLANE_A,         0xC000      | 64 x 32 cells
        .equ    SPRITE_TABLE,    0xF800

| Where the car stands: its top-left pixel on the 320 x 224 screen. The VDP's
| sprite coordinates start 128 pixels above and left of the screen.
        .equ    CAR_X,           136
        .equ    CAR_Y,           88

| Work RAM. The first words are public: an emulator script may read them
| (README, "Cartridge"). They describe the frame on show: they are set when
| its picture goes to the VDP.
        .equ    RAM,             0xFF0000
        .equ    SHOWN_CAR,       RAM+0x00    | 0..4
        .equ    SHOWN_SPRITE,    RAM+0x02    | 0..44
        .equ    SHOWN_PALETTE,   RAM+0x04    | 0..9
        .equ    SHOWN_MIRRORED,  RAM+0x06    | 0 or 1
        .equ    SUM,             RAM+0x08    | the sum of the last finished pass
        .equ    FRAMES,          RAM+0x0A    | frames shown, counting up
        .equ    SHOWN_ROTATION,  RAM+0x0C    | 0..23
        .equ    SHOWN_TILT,      RAM+0x0E    | -4..4
        .equ    SHOWN_WHEELS,    RAM+0x10    | wheels animation on (0 or 1)
        .equ    SHOWN_TURNED,    RAM+0x12    | colours 4 and 5 exchanged (0 or 1)
        .equ    SUM_PASSES,      RAM+0x14    | checksum passes finished
| Private state.
        .equ    CAR,             RAM+0x20
        .equ    SPRITE,          RAM+0x22
        .equ    PALETTE,         RAM+0x24
        .equ    MIRRORED,        RAM+0x26
        .equ    ROTATION,        RAM+0x28
        .equ    TILT,            RAM+0x2A
        .equ    WHEELS,          RAM+0x2C
        .equ    TURNED,          RAM+0x2E
        .equ    WHEEL_TIMER,     RAM+0x30
        .equ    PAD_HELD,        RAM+0x32    | buttons held at the last look
        .equ    VBLANK_SEEN,     RAM+0x34    | set by the vertical interrupt
        .equ    SUM_POINTER,     RAM+0x36    | long: next word of the running pass
        .equ    SUM_END,         RAM+0x3A    | long: end of the cartridge (even)
        .equ    SUM_RUNNING,     RAM+0x3E    | the running pass's sum so far
        .equ    SPRITE_SOURCE,   RAM+0x40    | long: the sprite on show in the cartridge
        .equ    COLOURS,         RAM+0x60    | 16 colour words for palette line 1
        .equ    SPRITE_ENTRIES,  RAM+0x80    | 4 sprite table entries of 8 bytes
        .equ    TEXT,            RAM+0x1000  | plane A rows 0..27 as the VDP reads them
        .equ    TEXT_ROWS,       28
        .equ    TEXT_BYTES,      TEXT_ROWS * 128
        .equ    STACK_TOP,       0xFFFE00

| Pad bits as ReadPad gives them (1 = pressed).
        .equ    BUTTON_UP,       0
        .equ    BUTTON_DOWN,     1
        .equ    BUTTON_LEFT,     2
        .equ    BUTTON_RIGHT,    3
        .equ    BUTTON_B,        4
        .equ    BUTTON_C,        5
        .equ    BUTTON_A,        6

| Checksum work a frame: words summed in each frame's spare time. A pass over
| a 1 MiB cartridge takes 128 frames, a little over two seconds.
        .equ    SUM_SLICE,       4096
| Frames between two steps of the wheels animation.
        .equ    WHEEL_FRAMES,    4

| The dynamic text rows below the car.
        .equ    FIRST_INFO_ROW,  18
        .equ    INFO_ROWS,       9

| Address of a text cell (row 0..27, column 0..63) in the RAM copy of plane A.
        .macro  LEA_CELL row, col, reg
        lea     TEXT + ((\row) * 64 + (\col)) * 2, \reg
        .endm

| The VDP's command for writing memory from an address: VRAM 0x40000000,
| CRAM 0xC0000000, VSRAM 0x40000010, plus the address spread over both words.
        .macro  VDP_WRITE kind, address
        move.l  #(\kind) + (((\address) & 0x3FFF) << 16) + ((\address) >> 14), VDP_CTRL
        .endm
        .equ    VRAM_WRITE,      0x40000000
        .equ    CRAM_WRITE,      0xC0000000
        .equ    VSRAM_WRITE,     0x40000010

        .text
        .globl  Reset, Font, ViewTable, ProgramEnd

| ---------------------------------------------------------------------------
| 68000 vectors.
        .long   STACK_TOP                   | 0: initial stack
        .long   Reset                       | 1: initial program counter
        .rept   22
        .long   Fault                       | 2..23: bus error, address error, ...
        .endr
        .long   Ignore                      | 24: spurious interrupt
        .long   Ignore                      | 25: level 1
        .long   Ignore                      | 26: level 2, external
        .long   Ignore                      | 27: level 3
        .long   Ignore                      | 28: level 4, horizontal blank
        .long   Ignore                      | 29: level 5
        .long   VBlank                      | 30: level 6, vertical blank
        .long   Ignore                      | 31: level 7
        .rept   32
        .long   Fault                       | 32..63: traps and reserved
        .endr

| ---------------------------------------------------------------------------
| Cartridge header, 0x100..0x1FF. The checksum and the last byte's address
| are filled in by the program that writes the cartridge image.
        .macro  HEADER_TEXT width, text
0:      .ascii  "\text"
        .fill   (\width) - (. - 0b), 1, 0x20
        .endm
        HEADER_TEXT 16, "SEGA MEGA DRIVE"               | 0x100 system
        HEADER_TEXT 16, "(C)SKMD 2026.JAN"              | 0x110 copyright
        HEADER_TEXT 48, "SKIDMARCH DEMO"                | 0x120 domestic title
        HEADER_TEXT 48, "SKIDMARCH DEMO"                | 0x150 overseas title
        HEADER_TEXT 14, "GM 00000000-00"                | 0x180 product code
        .word   0                                       | 0x18E checksum
        HEADER_TEXT 16, "J"                             | 0x190 three-button pad
        .long   0x00000000                              | 0x1A0 ROM start
        .long   0x000FFFFF                              | 0x1A4 ROM end
        .long   0x00FF0000                              | 0x1A8 RAM start
        .long   0x00FFFFFF                              | 0x1AC RAM end
        HEADER_TEXT 12, ""                              | 0x1B0 no backup RAM
        HEADER_TEXT 12, ""                              | 0x1BC no modem
        HEADER_TEXT 40, "Car viewer for the editor's cars"   | 0x1C8 memo
        HEADER_TEXT 16, "JUE"                           | 0x1F0 regions

| ---------------------------------------------------------------------------
| Start-up: 0x200.
Reset:
        move.w  #0x2700, %sr                | no interrupts while setting up
        lea     STACK_TOP, %sp

        | Consoles with the trademark check hold the VDP until "SEGA" is
        | written here; the first revision has none.
        move.b  VERSION, %d0
        andi.b  #0x0F, %d0
        beq.s   1f
        move.l  #0x53454741, TMSS           | "SEGA"
1:
        | Silence the four PSG channels (attenuation 15). The Z80 and the FM
        | chip stay as the console starts them: held in reset, silent.
        lea     PSG, %a0
        move.b  #0x9F, (%a0)
        move.b  #0xBF, (%a0)
        move.b  #0xDF, (%a0)
        move.b  #0xFF, (%a0)

        | Work RAM to zero: every variable starts at 0 (car 1, rotation 0,
        | tilt 0, palette 0, wheels still).
        lea     RAM, %a0
        move.w  #0x10000 / 4 - 1, %d0
2:      clr.l   (%a0)+
        dbra    %d0, 2b
        lea     STACK_TOP, %sp

        bsr     SetUpVdp
        bsr     LoadFont
        bsr     DrawStaticText

        move.b  #0x40, PAD1_CTRL            | pad 1: TH is an output
        move.b  #0x40, PAD1_DATA

        | The first checksum pass runs whole before the first frame, so the
        | very first picture already says whether the checksum matches.
        bsr     StartSumPass
3:      bsr     SumSlice
        tst.w   SUM_PASSES
        beq.s   3b

        bsr     PrepareFrame
        move.w  #0x2500, %sr                | vertical interrupt (level 6) on
        bsr     WaitVBlank
        bsr     UploadFrame
        move.w  #0x8174, VDP_CTRL           | display on

MainLoop:
        bsr     ReadPad
        bsr     HandleButtons
        bsr     StepWheels
        bsr     PrepareFrame
        bsr     SumSlice
        bsr     WaitVBlank
        bsr     UploadFrame
        bra.s   MainLoop

| ---------------------------------------------------------------------------
| Interrupts and faults.
VBlank:
        move.w  #1, VBLANK_SEEN
Ignore:
        rte

| Anything unexpected: a red screen and a halt.
Fault:
        move.w  #0x2700, %sr
        VDP_WRITE CRAM_WRITE, 0
        move.w  #0x000E, VDP_DATA
1:      bra.s   1b

WaitVBlank:
        clr.w   VBLANK_SEEN
1:      tst.w   VBLANK_SEEN
        beq.s   1b
        rts

| ---------------------------------------------------------------------------
| VDP set-up: registers, all of video memory cleared, colours, scroll.
SetUpVdp:
        lea     VDP_CTRL, %a4
        lea     VDP_DATA, %a5
        move.w  (%a4), %d0                  | reading the status ends any half-written command
        lea     VdpRegisters, %a0
        moveq   #VDP_REGISTER_COUNT - 1, %d0
1:      move.w  (%a0)+, (%a4)
        dbra    %d0, 1b

        VDP_WRITE VRAM_WRITE, 0             | 64 KiB of video memory
        moveq   #0, %d1
        move.w  #0x10000 / 4 - 1, %d0
2:      move.l  %d1, (%a5)
        dbra    %d0, 2b
        VDP_WRITE VSRAM_WRITE, 0            | vertical scroll 0
        moveq   #40 - 1, %d0
3:      move.w  %d1, (%a5)
        dbra    %d0, 3b
        VDP_WRITE CRAM_WRITE, 0             | the four palette lines
        lea     FixedColours, %a0
        moveq   #64 - 1, %d0
4:      move.w  (%a0)+, (%a5)
        dbra    %d0, 4b
        rts

VdpRegisters:
        .word   0x8004                      | 0: no horizontal interrupt
        .word   0x8134                      | 1: display off, vertical interrupt, DMA, 28 rows
        .word   0x8230                      | 2: plane A at 0xC000
        .word   0x832C                      | 3: window at 0xB000 (not shown)
        .word   0x8407                      | 4: plane B at 0xE000 (empty)
        .word   0x857C                      | 5: sprite table at 0xF800
        .word   0x8600
        .word   0x8700                      | 7: backdrop = colour 0 of line 0
        .word   0x8800
        .word   0x8900
        .word   0x8AFF                      | 10: horizontal interrupt counter
        .word   0x8B00                      | 11: whole-screen scrolling
        .word   0x8C81                      | 12: 40 cells wide, no interlace, no shadow
        .word   0x8D3F                      | 13: horizontal scroll table at 0xFC00
        .word   0x8E00
        .word   0x8F02                      | 15: address step 2
        .word   0x9001                      | 16: planes 64 x 32 cells
        .word   0x9100                      | 17, 18: no window
        .word   0x9200
        .equ    VDP_REGISTER_COUNT, (. - VdpRegisters) / 2

| Colour memory at start: line 0 the backdrop and the text, line 1 the car
| (loaded every frame), line 2 the grey ramp of the level bar.
FixedColours:
        .word   0x0CCC, 0x0222, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0
        .word   0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0
        .word   0, 0x0000, 0x0222, 0x0444, 0x0666, 0x0888, 0x0AAA, 0x0CCC, 0x0EEE
        .word   0, 0, 0, 0, 0, 0, 0
        .word   0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0

| ---------------------------------------------------------------------------
| The font: one bit a pixel in the cartridge, four bits a pixel (colour 1) in
| video memory, at the tile whose number is the character code. Then the
| eight solid tiles of the level bar.
LoadFont:
        VDP_WRITE VRAM_WRITE, FONT_TILE * 32
        lea     Font, %a0
        move.w  #64 * 8 - 1, %d0            | 64 characters of 8 rows
1:      move.b  (%a0)+, %d1
        moveq   #0, %d2
        moveq   #8 - 1, %d3
2:      lsl.l   #4, %d2                     | one pixel: nibble 1 where the bit is set
        add.b   %d1, %d1
        bcc.s   3f
        addq.l  #1, %d2
3:      dbra    %d3, 2b
        move.l  %d2, VDP_DATA
        dbra    %d0, 1b

        VDP_WRITE VRAM_WRITE, LEVEL_TILE * 32
        move.l  #0x11111111, %d1            | colour 1 in every pixel
        move.l  %d1, %d2
        moveq   #8 - 1, %d0
4:      moveq   #8 - 1, %d3                 | 8 rows of 8 pixels
5:      move.l  %d2, VDP_DATA
        dbra    %d3, 5b
        add.l   %d1, %d2                    | the next tile: the next colour
        dbra    %d0, 4b
        rts

| ---------------------------------------------------------------------------
| The rows above the car: title, buttons and the level bar (the grey ramp
| 0x000..0xEEE, one cell a level). Written into the RAM copy of plane A and
| sent once.
DrawStaticText:
        lea     TitleText, %a0
        LEA_CELL 1, 7, %a1
        bsr     PutString
        lea     KeysText1, %a0
        LEA_CELL 2, 5, %a1
        bsr     PutString
        lea     KeysText2, %a0
        LEA_CELL 3, 6, %a1
        bsr     PutString
        lea     LevelsText, %a0
        LEA_CELL 5, 8, %a1
        bsr     PutString
        LEA_CELL 5, 16, %a1
        move.w  #0x4000 + LEVEL_TILE, %d0   | palette line 2
        moveq   #8 - 1, %d1
1:      move.w  %d0, (%a1)+
        addq.w  #1, %d0
        dbra    %d1, 1b
        lea     LevelDigits, %a0
        LEA_CELL 6, 16, %a1
        bsr     PutString

        lea     TEXT, %a0
        move.w  #PLANE_A, %d0
        move.w  #TEXT_BYTES / 2, %d1
        bsr     DmaToVram
        rts

TitleText:      .asciz  "SKIDMARCH DEMO CAR VIEWER"
KeysText1:      .asciz  "LEFT/RIGHT TURN   UP/DOWN TILT"
KeysText2:      .asciz  "B CAR   C PALETTE   A WHEELS"
LevelsText:     .asciz  "LEVELS"
LevelDigits:    .asciz  "01234567"
        .even

| ---------------------------------------------------------------------------
| The pad: ReadPad gives in %d0 the buttons pressed since the last look (bits
| BUTTON_*), each press once.
ReadPad:
        lea     PAD1_DATA, %a0
        move.b  #0x40, (%a0)                | TH high: C B Right Left Down Up
        nop
        nop
        move.b  (%a0), %d0
        move.b  #0x00, (%a0)                | TH low: Start A 0 0 Down Up
        nop
        nop
        move.b  (%a0), %d1
        move.b  #0x40, (%a0)
        not.b   %d0                         | the pad reports pressed buttons as 0
        not.b   %d1
        andi.w  #0x3F, %d0
        andi.w  #0x10, %d1                  | A
        lsl.w   #2, %d1
        or.w    %d1, %d0                    | bits 0..6: Up Down Left Right B C A
        move.w  PAD_HELD, %d1
        move.w  %d0, PAD_HELD
        not.w   %d1
        and.w   %d1, %d0                    | newly pressed only
        rts

HandleButtons:
        btst    #BUTTON_RIGHT, %d0
        beq.s   1f
        move.w  ROTATION, %d1               | one step round, 23 wraps to 0
        addq.w  #1, %d1
        cmpi.w  #24, %d1
        bne.s   0f
        moveq   #0, %d1
0:      move.w  %d1, ROTATION
1:      btst    #BUTTON_LEFT, %d0
        beq.s   2f
        move.w  ROTATION, %d1               | one step back, 0 wraps to 23
        subq.w  #1, %d1
        bpl.s   0f
        moveq   #23, %d1
0:      move.w  %d1, ROTATION
2:      btst    #BUTTON_UP, %d0
        beq.s   3f
        cmpi.w  #4, TILT                    | tilt stops at 4 and -4
        bge.s   3f
        addq.w  #1, TILT
3:      btst    #BUTTON_DOWN, %d0
        beq.s   4f
        cmpi.w  #-4, TILT
        ble.s   4f
        subq.w  #1, TILT
4:      btst    #BUTTON_B, %d0
        beq.s   5f
        move.w  CAR, %d1                    | next car, 5 wraps to 1
        addq.w  #1, %d1
        cmpi.w  #CARS, %d1
        bne.s   0f
        moveq   #0, %d1
0:      move.w  %d1, CAR
5:      btst    #BUTTON_C, %d0
        beq.s   6f
        move.w  PALETTE, %d1                | next palette, the last wraps to the first
        addq.w  #1, %d1
        cmpi.w  #ROM_PALETTES, %d1
        bne.s   0f
        moveq   #0, %d1
0:      move.w  %d1, PALETTE
6:      btst    #BUTTON_A, %d0
        beq.s   7f
        eori.w  #1, WHEELS                  | wheels animation on/off; off shows
        clr.w   TURNED                      | the colours as stored
        clr.w   WHEEL_TIMER
7:
        | The view table gives the sprite: rotations 13..23 show 11..1
        | mirrored; a view without a sprite of its own keeps the sprite and
        | mirroring shown before, as the editor's view does.
        move.w  ROTATION, %d1
        moveq   #0, %d2                     | mirrored
        cmpi.w  #12, %d1
        ble.s   8f
        neg.w   %d1
        addi.w  #24, %d1
        moveq   #1, %d2
8:      move.w  TILT, %d3
        addq.w  #4, %d3
        mulu    #13, %d3
        add.w   %d1, %d3
        lea     ViewTable, %a0
        move.b  (%a0, %d3.w), %d3
        ble.s   9f                          | -1: no sprite for this view
        ext.w   %d3
        subq.w  #1, %d3
        move.w  %d3, SPRITE
        move.w  %d2, MIRRORED
9:      rts

| The wheels animation exchanges colours 4 and 5 every WHEEL_FRAMES frames.
StepWheels:
        tst.w   WHEELS
        beq.s   1f
        addq.w  #1, WHEEL_TIMER
        cmpi.w  #WHEEL_FRAMES, WHEEL_TIMER
        blo.s   1f
        clr.w   WHEEL_TIMER
        eori.w  #1, TURNED
1:      rts

| [tilt + 4][rotation 0..12]: sprite number 1..45, or -1 where the view has
| no sprite of its own. The same table as the editor's view.
ViewTable:
        .byte   -1, -1, 30, 34, 42, -1, -1, -1, 14, 18, 26, -1, -1     | tilt -4
        .byte   -1, -1, -1, 35, -1, -1, -1, -1, -1, 19, -1, -1, -1     | tilt -3
        .byte   -1, -1, 31, 36, 43, -1, -1, -1, 15, 20, 27, -1, -1     | tilt -2
        .byte   -1, -1, -1, 37, -1, -1, -1, -1, -1, 21, -1, -1, -1     | tilt -1
        .byte    1,  2,  3,  4,  5,  6,  7,  8,  9, 10, 11, 12, 13     | tilt 0
        .byte   -1, -1, -1, 38, -1, -1, -1, -1, -1, 22, -1, -1, -1     | tilt 1
        .byte   -1, -1, 32, 39, 44, -1, -1, -1, 16, 23, 28, -1, -1     | tilt 2
        .byte   -1, -1, -1, 40, -1, -1, -1, -1, -1, 24, -1, -1, -1     | tilt 3
        .byte   -1, -1, 33, 41, 45, -1, -1, -1, 17, 25, 29, -1, -1     | tilt 4
        .even

| ---------------------------------------------------------------------------
| PrepareFrame reads the cartridge's car areas for the car on show and makes
| the next frame in RAM: where the sprite lies, its 16 colours, the four
| sprite table entries and the text rows below the car.
PrepareFrame:
        | The sprite: SPRITES + 1152 * (45 * car + sprite).
        move.w  CAR, %d0
        mulu    #SPRITES_PER_CAR, %d0
        add.w   SPRITE, %d0
        mulu    #SPRITE_BYTES, %d0
        addi.l  #SPRITES, %d0
        move.l  %d0, SPRITE_SOURCE

        | Its colours, with 4 and 5 exchanged while the wheels turn.
        move.w  PALETTE, %d0
        lsl.w   #5, %d0
        lea     PALETTES, %a0
        adda.w  %d0, %a0
        lea     COLOURS, %a1
        moveq   #16 - 1, %d0
1:      move.w  (%a0)+, (%a1)+
        dbra    %d0, 1b
        tst.w   TURNED
        beq.s   2f
        move.w  COLOURS + 8, %d0
        move.w  COLOURS + 10, COLOURS + 8
        move.w  %d0, COLOURS + 10
2:
        | Four sprites of 3 x 3 tiles: the sprite area's 8 x 24 strips are
        | three tiles each, and three strips side by side are one 3 x 3
        | sprite in the VDP's column order, so the 36 tiles are top-left,
        | top-right, bottom-left, bottom-right. Mirrored, each is flipped and
        | the left and right ones change places.
        lea     SPRITE_ENTRIES, %a1
        moveq   #0, %d0                     | part 0..3
3:      move.w  %d0, %d1
        lsr.w   #1, %d1
        mulu    #24, %d1
        addi.w  #CAR_Y + 128, %d1
        move.w  %d1, (%a1)+                 | y
        move.w  %d0, %d1
        addq.w  #1, %d1
        andi.w  #3, %d1                     | link to the next part, the last to 0
        addi.w  #0x0A00, %d1                | 3 x 3 cells
        move.w  %d1, (%a1)+
        move.w  %d0, %d1
        mulu    #9, %d1
        addi.w  #0x2000 + CAR_TILE, %d1     | palette line 1
        move.w  %d0, %d2
        andi.w  #1, %d2                     | 0 left, 1 right
        tst.w   MIRRORED
        beq.s   4f
        ori.w   #0x0800, %d1                | horizontal flip
        eori.w  #1, %d2
4:      move.w  %d1, (%a1)+
        mulu    #24, %d2
        addi.w  #CAR_X + 128, %d2
        move.w  %d2, (%a1)+                 | x
        addq.w  #1, %d0
        cmpi.w  #4, %d0
        bne.s   3b

        bsr     DrawInfoText
        rts

| The rows below the car, anew every frame.
DrawInfoText:
        LEA_CELL FIRST_INFO_ROW, 0, %a0     | clear them
        move.w  #INFO_ROWS * 64 / 2 - 1, %d0
1:      clr.l   (%a0)+
        dbra    %d0, 1b

        lea     CarText, %a0
        LEA_CELL 18, 2, %a1
        bsr     PutString
        move.w  CAR, %d0
        addq.w  #1, %d0
        LEA_CELL 18, 7, %a1
        bsr     PutNumber
        lea     SpriteText, %a0
        LEA_CELL 18, 10, %a1
        bsr     PutString
        move.w  SPRITE, %d0
        addq.w  #1, %d0
        LEA_CELL 18, 19, %a1
        bsr     PutNumber
        lea     PaletteText, %a0
        LEA_CELL 18, 23, %a1
        bsr     PutString
        move.w  PALETTE, %d0
        addq.w  #1, %d0
        LEA_CELL 18, 33, %a1
        bsr     PutNumber

        lea     RotationText, %a0
        LEA_CELL 19, 2, %a1
        bsr     PutString
        move.w  ROTATION, %d0
        LEA_CELL 19, 13, %a1
        bsr     PutNumber
        lea     TiltText, %a0
        LEA_CELL 19, 16, %a1
        bsr     PutString
        move.w  TILT, %d0
        bpl.s   2f
        neg.w   %d0
        move.w  #0x2D, TEXT + (19 * 64 + 21) * 2   | '-'
2:      LEA_CELL 19, 23, %a1
        bsr     PutNumber
        tst.w   MIRRORED
        beq.s   3f
        lea     MirroredText, %a0
        LEA_CELL 19, 26, %a1
        bsr     PutString
3:      lea     WheelsOffText, %a0
        tst.w   WHEELS
        beq.s   4f
        lea     WheelsOnText, %a0
4:      LEA_CELL 20, 2, %a1
        bsr     PutString

        | Characteristics: CHARACTERISTICS + 5 * value + car.
        lea     CharacteristicsLayout, %a2
        lea     CHARACTERISTICS, %a3
        moveq   #5 - 1, %d4
        bsr     PutCarBytes
        | Weapons: WEAPONS + 5 * slot + car.
        lea     WeaponsLayout, %a2
        lea     WEAPONS, %a3
        moveq   #3 - 1, %d4
        bsr     PutCarBytes

        lea     ChecksumBadText, %a0
        move.w  SUM, %d0
        cmp.w   CHECKSUM_WORD, %d0
        bne.s   5f
        lea     ChecksumOkText, %a0
5:      LEA_CELL 26, 2, %a1
        bsr     PutString
        rts

| For %d4 + 1 rows of a car-major area at %a3 (5 bytes a row, one a car): the
| label and the byte of the car on show, placed as the layout at %a2 says
| (label, label cell, number's end cell).
PutCarBytes:
        move.w  CAR, %d5
1:      movea.l (%a2)+, %a0
        movea.l (%a2)+, %a1
        bsr     PutString
        moveq   #0, %d0
        move.b  (%a3, %d5.w), %d0
        movea.l (%a2)+, %a1
        bsr     PutNumber
        addq.w  #CARS, %a3
        dbra    %d4, 1b
        rts

        .macro  LAYOUT label, row, col, numberEnd
        .long   \label, TEXT + ((\row) * 64 + (\col)) * 2, TEXT + ((\row) * 64 + (\numberEnd)) * 2
        .endm
CharacteristicsLayout:
        LAYOUT  TopSpeedText,      21,  2, 18
        LAYOUT  AccelerationText,  21, 21, 37
        LAYOUT  AdhesionText,      22,  2, 18
        LAYOUT  CorneringText,     22, 21, 37
        LAYOUT  JumpingText,       23,  2, 18
WeaponsLayout:
        LAYOUT  WeaponAText,       24,  2, 18
        LAYOUT  WeaponCText,       24, 21, 37
        LAYOUT  JumpTurboText,     25,  2, 18

CarText:            .asciz  "CAR"
SpriteText:         .asciz  "SPRITE"
PaletteText:        .asciz  "PALETTE"
RotationText:       .asciz  "ROTATION"
TiltText:           .asciz  "TILT"
MirroredText:       .asciz  "MIRRORED"
WheelsOffText:      .asciz  "WHEELS STILL"
WheelsOnText:       .asciz  "WHEELS TURNING"
TopSpeedText:       .asciz  "TOP SPEED"
AccelerationText:   .asciz  "ACCELERATION"
AdhesionText:       .asciz  "ADHESION"
CorneringText:      .asciz  "CORNERING"
JumpingText:        .asciz  "JUMPING"
WeaponAText:        .asciz  "WEAPON A"
WeaponCText:        .asciz  "WEAPON C"
JumpTurboText:      .asciz  "JUMP/TURBO"
ChecksumOkText:     .asciz  "CHECKSUM OK"
ChecksumBadText:    .asciz  "CHECKSUM BAD"
        .even

| PutString: the zero-ended text at %a0 into the cells from %a1 on (%a1 ends
| after it). Characters outside 0x20..0x5F show as blanks.
PutString:
        moveq   #0, %d0
1:      move.b  (%a0)+, %d0
        beq.s   3f
        cmpi.b  #0x20, %d0
        blo.s   2f
        cmpi.b  #0x5F, %d0
        bls.s   0f
2:      moveq   #0x20, %d0
0:      move.w  %d0, (%a1)+
        bra.s   1b
3:      rts

| PutNumber: the unsigned word %d0 in decimal, its last digit in the cell
| before %a1 (right-aligned; the cells before it are left as they are).
PutNumber:
        andi.l  #0xFFFF, %d0
1:      divu    #10, %d0                    | quotient low, remainder high
        swap    %d0
        addi.w  #0x30, %d0                  | '0'
        move.w  %d0, -(%a1)
        clr.w   %d0
        swap    %d0
        bne.s   1b
        rts

| ---------------------------------------------------------------------------
| UploadFrame, in the vertical blank: the prepared frame to the VDP, and the
| public words to what it shows.
UploadFrame:
        movea.l SPRITE_SOURCE, %a0          | the tiles, straight from the cartridge
        move.w  #CAR_VRAM, %d0
        move.w  #SPRITE_BYTES / 2, %d1
        bsr     DmaToVram

        lea     VDP_DATA, %a5
        VDP_WRITE CRAM_WRITE, 0x20          | palette line 1
        lea     COLOURS, %a0
        moveq   #16 - 1, %d0
1:      move.w  (%a0)+, (%a5)
        dbra    %d0, 1b

        VDP_WRITE VRAM_WRITE, SPRITE_TABLE
        lea     SPRITE_ENTRIES, %a0
        moveq   #16 - 1, %d0
2:      move.w  (%a0)+, (%a5)
        dbra    %d0, 2b

        LEA_CELL FIRST_INFO_ROW, 0, %a0
        move.w  #PLANE_A + FIRST_INFO_ROW * 128, %d0
        move.w  #INFO_ROWS * 64, %d1
        bsr     DmaToVram

        move.w  CAR, SHOWN_CAR
        move.w  SPRITE, SHOWN_SPRITE
        move.w  PALETTE, SHOWN_PALETTE
        move.w  MIRRORED, SHOWN_MIRRORED
        move.w  ROTATION, SHOWN_ROTATION
        move.w  TILT, SHOWN_TILT
        move.w  WHEELS, SHOWN_WHEELS
        move.w  TURNED, SHOWN_TURNED
        addq.w  #1, FRAMES
        rts

| DmaToVram: %d1.w words (1..65535) from %a0 (even; cartridge or work RAM)
| to video memory at %d0.w. The VDP's source counter wraps at 128 KiB, so a
| block that crosses such a boundary goes as two transfers.
DmaToVram:
        movem.l %d0-%d3/%a0, -(%sp)
        move.l  %a0, %d2
        andi.l  #0x1FFFF, %d2
        neg.l   %d2
        addi.l  #0x20000, %d2
        lsr.l   #1, %d2                     | words up to the next boundary
        moveq   #0, %d3
        move.w  %d1, %d3
        cmp.l   %d2, %d3
        bls.s   1f                          | all of it lies before
        move.w  %d2, %d1                    | first part: up to the boundary
        bsr.s   DmaOnce
        sub.w   %d2, %d3
        add.l   %d2, %d2
        adda.l  %d2, %a0
        add.w   %d2, %d0
        move.w  %d3, %d1                    | then the rest
1:      bsr.s   DmaOnce
        movem.l (%sp)+, %d0-%d3/%a0
        rts

| One transfer, within 128 KiB: %d1.w words from %a0 to VRAM %d0.w. The
| 68000 waits while it runs.
DmaOnce:
        movem.l %d0-%d2/%a4, -(%sp)
        lea     VDP_CTRL, %a4
        move.w  #0x9300, %d2                | 19, 20: length in words
        move.b  %d1, %d2
        move.w  %d2, (%a4)
        move.w  %d1, %d2
        lsr.w   #8, %d2
        ori.w   #0x9400, %d2
        move.w  %d2, (%a4)
        move.l  %a0, %d1                    | 21..23: source address / 2
        lsr.l   #1, %d1
        move.w  #0x9500, %d2
        move.b  %d1, %d2
        move.w  %d2, (%a4)
        lsr.l   #8, %d1
        move.w  #0x9600, %d2
        move.b  %d1, %d2
        move.w  %d2, (%a4)
        lsr.l   #8, %d1
        move.w  #0x9700, %d2
        move.b  %d1, %d2
        andi.w  #0xFF7F, %d2                | bit 7 clear: from 68000 memory
        move.w  %d2, (%a4)
        move.w  %d0, %d2                    | command: VRAM write with DMA
        andi.w  #0x3FFF, %d2
        ori.w   #0x4000, %d2
        move.w  %d2, (%a4)
        move.w  %d0, %d2
        rol.w   #2, %d2
        andi.w  #3, %d2
        ori.w   #0x0080, %d2
        move.w  %d2, -(%sp)                 | the word that starts the transfer
        move.w  (%sp)+, (%a4)               | is read from RAM, not from the cartridge
        movem.l (%sp)+, %d0-%d2/%a4
        rts

| ---------------------------------------------------------------------------
| The checksum: the 16-bit sum of the cartridge's words from 0x200 to the end
| (the header's last-byte address + 1), as the header's word at 0x18E holds
| it. Summed a slice a frame; SUM is the sum of the last whole pass.
StartSumPass:
        move.l  #SUM_START, SUM_POINTER
        clr.w   SUM_RUNNING
        move.l  ROM_END_FIELD, %d0
        addq.l  #1, %d0
        andi.l  #0x3FFFFE, %d0              | even, within the 4 MiB cartridge space
        cmpi.l  #SUM_START, %d0
        bhs.s   1f
        move.l  #SUM_START, %d0             | nothing to sum
1:      move.l  %d0, SUM_END
        rts

SumSlice:
        movea.l SUM_POINTER, %a0
        move.l  SUM_END, %d2
        sub.l   %a0, %d2
        lsr.l   #1, %d2                     | words left in this pass
        cmpi.l  #SUM_SLICE, %d2
        bls.s   1f
        move.l  #SUM_SLICE, %d2
1:      move.w  SUM_RUNNING, %d0
        move.w  %d2, %d3
        lsr.w   #4, %d3                     | blocks of 16 words
        andi.w  #15, %d2                    | then single words
        bra.s   3f
2:      .rept   16
        add.w   (%a0)+, %d0
        .endr
3:      dbra    %d3, 2b
        bra.s   5f
4:      add.w   (%a0)+, %d0
5:      dbra    %d2, 4b
        move.w  %d0, SUM_RUNNING
        move.l  %a0, SUM_POINTER
        cmpa.l  SUM_END, %a0
        blo.s   6f
        move.w  %d0, SUM                    | a pass is done: its sum counts
        addq.w  #1, SUM_PASSES
        bsr     StartSumPass
6:      rts

| ---------------------------------------------------------------------------
| The font, ours: characters 0x20..0x5F, 8 rows of 8 pixels, top row first,
| leftmost pixel in bit 7. Characters not drawn are blank.
Font:
        .byte   0x00,0x00,0x00,0x00,0x00,0x00,0x00,0x00   | 0x20 space
        .byte   0x10,0x10,0x10,0x10,0x10,0x00,0x10,0x00   | 0x21 !
        .byte   0x28,0x28,0x00,0x00,0x00,0x00,0x00,0x00   | 0x22 "
        .byte   0x28,0x28,0x7C,0x28,0x7C,0x28,0x28,0x00   | 0x23 #
        .byte   0x00,0x00,0x00,0x00,0x00,0x00,0x00,0x00   | 0x24 $ (blank)
        .byte   0x62,0x64,0x08,0x10,0x20,0x4C,0x8C,0x00   | 0x25 %
        .byte   0x00,0x00,0x00,0x00,0x00,0x00,0x00,0x00   | 0x26 & (blank)
        .byte   0x10,0x10,0x00,0x00,0x00,0x00,0x00,0x00   | 0x27 '
        .byte   0x08,0x10,0x20,0x20,0x20,0x10,0x08,0x00   | 0x28 (
        .byte   0x20,0x10,0x08,0x08,0x08,0x10,0x20,0x00   | 0x29 )
        .byte   0x00,0x28,0x10,0x7C,0x10,0x28,0x00,0x00   | 0x2A *
        .byte   0x00,0x10,0x10,0x7C,0x10,0x10,0x00,0x00   | 0x2B +
        .byte   0x00,0x00,0x00,0x00,0x00,0x10,0x10,0x20   | 0x2C ,
        .byte   0x00,0x00,0x00,0x7C,0x00,0x00,0x00,0x00   | 0x2D -
        .byte   0x00,0x00,0x00,0x00,0x00,0x00,0x10,0x00   | 0x2E .
        .byte   0x02,0x04,0x08,0x10,0x20,0x40,0x80,0x00   | 0x2F /
        .byte   0x38,0x44,0x4C,0x54,0x64,0x44,0x38,0x00   | 0x30 0
        .byte   0x10,0x30,0x10,0x10,0x10,0x10,0x38,0x00   | 0x31 1
        .byte   0x38,0x44,0x04,0x08,0x10,0x20,0x7C,0x00   | 0x32 2
        .byte   0x7C,0x08,0x10,0x08,0x04,0x44,0x38,0x00   | 0x33 3
        .byte   0x08,0x18,0x28,0x48,0x7C,0x08,0x08,0x00   | 0x34 4
        .byte   0x7C,0x40,0x78,0x04,0x04,0x44,0x38,0x00   | 0x35 5
        .byte   0x18,0x20,0x40,0x78,0x44,0x44,0x38,0x00   | 0x36 6
        .byte   0x7C,0x04,0x08,0x10,0x20,0x20,0x20,0x00   | 0x37 7
        .byte   0x38,0x44,0x44,0x38,0x44,0x44,0x38,0x00   | 0x38 8
        .byte   0x38,0x44,0x44,0x3C,0x04,0x08,0x30,0x00   | 0x39 9
        .byte   0x00,0x00,0x10,0x00,0x00,0x10,0x00,0x00   | 0x3A :
        .byte   0x00,0x00,0x00,0x00,0x00,0x00,0x00,0x00   | 0x3B ; (blank)
        .byte   0x08,0x10,0x20,0x40,0x20,0x10,0x08,0x00   | 0x3C <
        .byte   0x00,0x00,0x7C,0x00,0x7C,0x00,0x00,0x00   | 0x3D =
        .byte   0x20,0x10,0x08,0x04,0x08,0x10,0x20,0x00   | 0x3E >
        .byte   0x38,0x44,0x04,0x08,0x10,0x00,0x10,0x00   | 0x3F ?
        .byte   0x00,0x00,0x00,0x00,0x00,0x00,0x00,0x00   | 0x40 @ (blank)
        .byte   0x38,0x44,0x44,0x7C,0x44,0x44,0x44,0x00   | 0x41 A
        .byte   0x78,0x44,0x44,0x78,0x44,0x44,0x78,0x00   | 0x42 B
        .byte   0x38,0x44,0x40,0x40,0x40,0x44,0x38,0x00   | 0x43 C
        .byte   0x70,0x48,0x44,0x44,0x44,0x48,0x70,0x00   | 0x44 D
        .byte   0x7C,0x40,0x40,0x78,0x40,0x40,0x7C,0x00   | 0x45 E
        .byte   0x7C,0x40,0x40,0x78,0x40,0x40,0x40,0x00   | 0x46 F
        .byte   0x38,0x44,0x40,0x5C,0x44,0x44,0x3C,0x00   | 0x47 G
        .byte   0x44,0x44,0x44,0x7C,0x44,0x44,0x44,0x00   | 0x48 H
        .byte   0x38,0x10,0x10,0x10,0x10,0x10,0x38,0x00   | 0x49 I
        .byte   0x1C,0x08,0x08,0x08,0x08,0x48,0x30,0x00   | 0x4A J
        .byte   0x44,0x48,0x50,0x60,0x50,0x48,0x44,0x00   | 0x4B K
        .byte   0x40,0x40,0x40,0x40,0x40,0x40,0x7C,0x00   | 0x4C L
        .byte   0x44,0x6C,0x54,0x54,0x44,0x44,0x44,0x00   | 0x4D M
        .byte   0x44,0x44,0x64,0x54,0x4C,0x44,0x44,0x00   | 0x4E N
        .byte   0x38,0x44,0x44,0x44,0x44,0x44,0x38,0x00   | 0x4F O
        .byte   0x78,0x44,0x44,0x78,0x40,0x40,0x40,0x00   | 0x50 P
        .byte   0x38,0x44,0x44,0x44,0x54,0x48,0x34,0x00   | 0x51 Q
        .byte   0x78,0x44,0x44,0x78,0x50,0x48,0x44,0x00   | 0x52 R
        .byte   0x3C,0x40,0x40,0x38,0x04,0x04,0x78,0x00   | 0x53 S
        .byte   0x7C,0x10,0x10,0x10,0x10,0x10,0x10,0x00   | 0x54 T
        .byte   0x44,0x44,0x44,0x44,0x44,0x44,0x38,0x00   | 0x55 U
        .byte   0x44,0x44,0x44,0x44,0x44,0x28,0x10,0x00   | 0x56 V
        .byte   0x44,0x44,0x44,0x54,0x54,0x54,0x28,0x00   | 0x57 W
        .byte   0x44,0x44,0x28,0x10,0x28,0x44,0x44,0x00   | 0x58 X
        .byte   0x44,0x44,0x28,0x10,0x10,0x10,0x10,0x00   | 0x59 Y
        .byte   0x7C,0x04,0x08,0x10,0x20,0x40,0x7C,0x00   | 0x5A Z
        .byte   0x38,0x20,0x20,0x20,0x20,0x20,0x38,0x00   | 0x5B [
        .byte   0x80,0x40,0x20,0x10,0x08,0x04,0x02,0x00   | 0x5C backslash
        .byte   0x38,0x08,0x08,0x08,0x08,0x08,0x38,0x00   | 0x5D ]
        .byte   0x10,0x28,0x44,0x00,0x00,0x00,0x00,0x00   | 0x5E ^
        .byte   0x00,0x00,0x00,0x00,0x00,0x00,0x00,0x7E   | 0x5F _ 

ProgramEnd:

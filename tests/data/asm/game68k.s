; options: kind=0 cpu=1 4=1 5=1 8=1 count1=1 decorations=!#@
*****************************************************************
* Sprite engine of a platform game (68000, Devpac style)
*****************************************************************

        xdef    MainLoop
        xdef    _InitSprites
        xref    WaitVBlank

MAXSPR  equ     16

MainLoop:
        bsr.w   _InitSprites
.frame  jsr     WaitVBlank
        bsr     ReadJoystick
        beq.s   .frame
        bsr     MoveSprites
        bra.s   .frame

_InitSprites:
        lea     SpriteTable,a0
        moveq   #MAXSPR-1,d0
.clear  clr.l   (a0)+
        dbra    d0,.clear
        rts

ReadJoystick:
        move.w  $dff00c,d0
        btst    #1,d0
        bne.s   .right
        moveq   #0,d0
        rts
.right  moveq   #1,d0
        rts

MoveSprites:
        lea     SpriteTable,a0
        jsr     (a1)
        jsr     4(a6)
        rts

Handlers:
        dc.l    MoveSprites,ReadJoystick

SpriteTable:
        ds.l    MAXSPR


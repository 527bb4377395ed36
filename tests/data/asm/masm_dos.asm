; options: kind=0 cpu=2 1=1 2=1 3=1 4=1 5=1 8=1 10=1 decorations=!#@ labels=No.|Name|Function|Remarks
;-----------------------------------------------------------------------------
; DOS utility: prints a banner, reads the command tail and copies a file.
;-----------------------------------------------------------------------------
        TITLE   COPYUTIL
        .MODEL  SMALL
        .STACK  200h

        INCLUDE dosdefs.inc

PUBLIC  Main
PUBLIC  PrintString
EXTRN   ParseTail:NEAR

BUFSIZE EQU     512
CR      =       0Dh

        .DATA
Banner  DB      'COPYUTIL 1.0', CR, 0Ah, '$'
ErrMsg  DB      'Cannot open file', CR, 0Ah, '$'
Handle  DW      ?
Buffer  DB      BUFSIZE DUP (?)
Actions DW      OpenSource, ReadBlock, CloseAll

        .CODE
; Name: ProgramEntry
; Function: program entry
Main    PROC    NEAR
        mov     ax, @data
        mov     ds, ax
        mov     dx, OFFSET Banner
        call    PrintString
        call    ParseTail
        IFDEF   DOS_PRINT
        call    TraceArgs
        ELSE
        call    NoTrace
        ENDIF
        jc      @@fail
        mov     bx, OFFSET Actions
        call    near ptr OpenSource
        jc      @@fail
@@copy:
        call    ReadBlock
        jnz     @@copy
        call    CloseAll
        jmp     short @@exit
@@fail:
        mov     dx, OFFSET ErrMsg
        call    PrintString
@@exit:
        mov     ax, 4C00h
        int     21h
Main    ENDP

PrintString PROC
        push    ax
        mov     ah, 09h
        int     21h
        pop     ax
        ret
PrintString ENDP

OpenSource:
        mov     ax, 3D00h
        int     21h
        jc      open_done
        mov     Handle, ax
open_done:
        ret

ReadBlock:
        mov     bx, Handle
        mov     cx, BUFSIZE
        mov     dx, OFFSET Buffer
        mov     ah, 3Fh
        int     21h
        or      ax, ax
        ret

CloseAll:
        mov     bx, Handle
        mov     ah, 3Eh
        int     21h
        call    word ptr [Actions+2]
        ret

        END     Main

; options: kind=0 cpu=2 1=1 4=1 5=1 8=1 decorations=!#@
; Colour conversion kernels (NASM syntax, 32-bit).

%include "simd_defs.inc"

        global  rgb_to_gray_sse2
        global  rgb_to_gray_c
        extern  table_init

        section .rodata
        align   16
weights:
        dw      77, 150, 29, 0
        dw      77, 150, 29, 0

        section .text

; void rgb_to_gray_sse2(uint8_t *dst, const uint8_t *src, int n)
rgb_to_gray_sse2:
        push    ebp
        mov     ebp, esp
        mov     ecx, [ebp+16]
        test    ecx, ecx
        jz      .done
        movdqa  xmm7, [weights]
.loop:
        movq    xmm0, [esi]
        call    unpack_pixels
        pmaddwd xmm0, xmm7
        add     esi, 8
        sub     ecx, 4
        jnz     .loop
.done:
        pop     ebp
        ret

rgb_to_gray_c:
        push    ebp
        mov     ebp, esp
        call    table_init
        mov     ecx, [ebp+16]
.loop:
        call    [convert_ptr]
        dec     ecx
        jnz     .loop
        pop     ebp
        ret

unpack_pixels:
        pxor    xmm6, xmm6
        punpcklbw xmm0, xmm6
        ret

        section .data
convert_ptr:
        dd      rgb_to_gray_c

/* The generated backdrop picture and music track in read-only data, in the order the program
   has always kept them: the picture, 4 zero bytes, the music's 16-byte PCM format record,
   4 zero bytes, then the samples. The sizes are exported beside them. Built with
   BANNER_WITHOUT_MUSIC, for a program that plays none, the track has no samples.
   ELF objects also carry each symbol's type and size; PE/COFF objects know neither. */

#ifdef __ELF__
#define DATA_OBJECT(name) .type name, @object
#define DATA_SIZE(symbol, bytes) .size symbol, bytes
    .section .rodata
#else
#define DATA_OBJECT(name)
#define DATA_SIZE(symbol, bytes)
    .section .rdata, "dr"
#endif

    .balign 16

    .globl banner_backdrop_image
    DATA_OBJECT(banner_backdrop_image)
banner_backdrop_image:
    .incbin "backdrop.png"
banner_backdrop_image_end:
    DATA_SIZE(banner_backdrop_image, banner_backdrop_image_end - banner_backdrop_image)

    .zero 4

    .globl banner_music_format
    DATA_OBJECT(banner_music_format)
banner_music_format:
    .short 1            /* PCM */
    .short 2            /* channels */
    .long 37800         /* frames per second */
    .long 151200        /* bytes per second */
    .short 4            /* bytes per frame */
    .short 16           /* bits per sample */
    DATA_SIZE(banner_music_format, 16)

    .zero 4

    .globl banner_music_samples
    DATA_OBJECT(banner_music_samples)
banner_music_samples:
#ifndef BANNER_WITHOUT_MUSIC
    .incbin "music.pcm"
#endif
banner_music_samples_end:
    DATA_SIZE(banner_music_samples, banner_music_samples_end - banner_music_samples)

    .balign 8
    .globl banner_backdrop_image_size
    DATA_OBJECT(banner_backdrop_image_size)
banner_backdrop_image_size:
    .quad banner_backdrop_image_end - banner_backdrop_image
    DATA_SIZE(banner_backdrop_image_size, 8)

    .globl banner_music_samples_size
    DATA_OBJECT(banner_music_samples_size)
banner_music_samples_size:
    .quad banner_music_samples_end - banner_music_samples
    DATA_SIZE(banner_music_samples_size, 8)

#ifdef __ELF__
    .section .note.GNU-stack,"",@progbits
#endif

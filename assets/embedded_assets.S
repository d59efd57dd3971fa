/* The generated backdrop picture and music track in read-only data, in the order the program
   has always kept them: the picture, 4 zero bytes, the music's 16-byte PCM format record,
   4 zero bytes, then the samples. The sizes are exported beside them. */

    .section .rodata
    .balign 16

    .globl banner_backdrop_image
    .type banner_backdrop_image, @object
banner_backdrop_image:
    .incbin "backdrop.png"
banner_backdrop_image_end:
    .size banner_backdrop_image, banner_backdrop_image_end - banner_backdrop_image

    .zero 4

    .globl banner_music_format
    .type banner_music_format, @object
banner_music_format:
    .short 1            /* PCM */
    .short 2            /* channels */
    .long 37800         /* frames per second */
    .long 151200        /* bytes per second */
    .short 4            /* bytes per frame */
    .short 16           /* bits per sample */
    .size banner_music_format, 16

    .zero 4

    .globl banner_music_samples
    .type banner_music_samples, @object
banner_music_samples:
    .incbin "music.pcm"
banner_music_samples_end:
    .size banner_music_samples, banner_music_samples_end - banner_music_samples

    .balign 8
    .globl banner_backdrop_image_size
    .type banner_backdrop_image_size, @object
banner_backdrop_image_size:
    .quad banner_backdrop_image_end - banner_backdrop_image
    .size banner_backdrop_image_size, 8

    .globl banner_music_samples_size
    .type banner_music_samples_size, @object
banner_music_samples_size:
    .quad banner_music_samples_end - banner_music_samples
    .size banner_music_samples_size, 8

    .section .note.GNU-stack,"",@progbits

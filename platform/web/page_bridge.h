#pragma once

// What the page's script offers the program (web_library.js): the music on Web Audio and a
// place for its error boxes (the console: the visitor reads the page's own sentence). The page
// decides what each does in its mode: a fixed frame or the benchmark play silently.
extern "C" {
// 1 when the page can play the music, 0 when the browser has no Web Audio.
int banner_page_audio_available();
// Starts the music from its beginning as soon as the page runs: at once, or when the person who
// asked for the show lets it start (and while the page is hidden, when it is shown again).
void banner_page_music_start();
// Stops the music for good.
void banner_page_music_stop();
// Hands the page an error box's text and caption.
void banner_page_show_box(const char* text, const char* caption);
}

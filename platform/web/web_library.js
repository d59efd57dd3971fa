// The page side of page_bridge.h: each call is handed to the objects the page's script gave the
// module (Module.bannerAudio and Module.bannerShowBox).
mergeInto(LibraryManager.library, {
  banner_page_audio_available: function () {
    return Module['bannerAudio'] && Module['bannerAudio'].available() ? 1 : 0;
  },
  banner_page_music_start: function () {
    Module['bannerAudio'].start();
  },
  banner_page_music_stop: function () {
    Module['bannerAudio'].stop();
  },
  banner_page_show_box: function (text, caption) {
    Module['bannerShowBox'](UTF8ToString(text), UTF8ToString(caption));
  },
});

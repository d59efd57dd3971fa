// The page: the banner with its poster, controls and host messages; or, with ?frame or ?bench,
// a test mode. Its program loads politely, once the page itself has loaded and the banner is in
// view, or as soon as someone shows an interest; the music only when someone asks for sound.
// URL options: ?alt (banner_alt's framing), ?autoplay=muted (starts without sound, unless the
// visitor prefers reduced motion).
const params = new URLSearchParams(location.search);
const alt = params.has('alt');
document.documentElement.classList.toggle('alt', alt);

const page = { errors: [], benchTable: null };
window.bannerPage = page;

function startTestMode() {
  const mode = new TestMode(params, alt, page);
  Object.defineProperty(page, 'state', { get: () => mode.state });
  mode.start();
}

function startBanner() {
  const state = new BannerState();
  const music = new Music('music.mp3');
  const printErr = (text) => {
    page.errors.push(text);
    console.error(text);
  };
  // The program's messages and error boxes are for the console; the visitor reads a sentence.
  const program = new Program('banner', {
    canvas: document.getElementById('banner'),
    print: (text) => console.log(text),
    printErr,
    bannerAudio: music,
    bannerShowBox: (text, caption) => printErr(`${caption}: ${text}`),
  });
  let banner = null;
  const live = new LiveShow({
    program,
    music,
    alt,
    onOver: () => banner.ended(),
    onLost: () => banner.update(),
    onRestored: () => banner.update(),
    onFailed: (error) => banner.fail(error, error.kind),
  });
  const video = new VideoShow({ onOver: () => banner.ended() });
  video.onMutedByBrowser = () => banner.setMuted(true);
  banner = new Banner({ state, live, video, music });
  new Controls(banner);
  new HostMessages(banner);

  Object.defineProperties(page, {
    state: { get: () => state.name },
    frameTimes: { get: () => live.frameTimes },
    frameShowTimes: { get: () => live.frameShowTimes },
    firstFrameAt: { get: () => live.firstFrameAt },
  });
  Object.assign(page, {
    reason: () => state.reason,
    running: () => live.running || video.running,
    muted: () => banner.muted,
    showTime: () => (live.opened ? live.module._banner_show_time() : null),
    music: {
      state: () => (music.context ? music.context.state : 'none'),
      duration: () => (music.buffer ? music.buffer.duration : null),
      position: () => music.position(),
    },
  });

  const stillness = matchMedia('(prefers-reduced-motion: reduce)').matches;
  const autoplay = params.get('autoplay') === 'muted' && !stillness;
  let pageLoaded = document.readyState === 'complete';
  const politely = () => {
    if (!pageLoaded || !banner.inView || !state.is('idle') || program.loading) return;
    banner.loadProgram().then(() => {
      if (autoplay && state.is('idle')) {
        banner.setMuted(true);
        banner.play();
      }
    }, () => {});
  };
  window.addEventListener('load', () => {
    pageLoaded = true;
    politely();
  });
  document.addEventListener('visibilitychange', () => {
    banner.visible = !document.hidden;
    banner.update();
  });
  // Whether any of the banner is in view, in this page or in the page that embeds it; unknown,
  // and so not yet, until the browser has said.
  if (typeof IntersectionObserver === 'function') {
    banner.inView = false;
    new IntersectionObserver((entries) => {
      banner.inView = entries[entries.length - 1].isIntersecting;
      banner.update();
      politely();
    }).observe(document.getElementById('stage'));
  }
}

if (params.has('frame') || params.has('bench')) startTestMode();
else startBanner();

'use strict';

// The page around the banner. It loads the program (banner.js, banner.wasm) and turns its loop,
// plays the music on Web Audio, starts the show on a click or a key, pauses it while nobody can
// see it, and offers to play again at the end. URL options:
//   ?alt                 banner_alt's framing (960 x 89)
//   ?autoplay=muted      start at once, without sound
//   ?frame=N             the capture tool's frame N, drawn and left on the canvas, which then
//                        carries data-frame-ready; &press-l=S,... presses 'L' at those show times
//   ?bench               play the whole show as fast as it renders and print the frame times;
//                        &until=S stops at S seconds of show time
(() => {
  const params = new URLSearchParams(location.search);
  const alt = params.has('alt');
  const DREW_FRAME = -2;
  const WAITING = -1;

  const page = {
    state: 'loading',
    firstFrameAt: null,
    frameTimes: [],
    frameShowTimes: [],
    errors: [],
    benchTable: null,
  };
  window.bannerPage = page;

  let canvas = document.getElementById('banner');
  const message = document.getElementById('message');
  const controls = {
    play: document.getElementById('play'),
    replay: document.getElementById('replay'),
    sound: document.getElementById('sound'),
  };
  canvas.height = alt ? 89 : 92;
  document.body.classList.toggle('alt', alt);

  function showControl(name) {
    for (const [key, button] of Object.entries(controls)) {
      button.hidden = key !== name;
    }
  }

  // The error box: the text over the banner, and its line on the console.
  function showBox(text, caption) {
    message.textContent = '';
    const title = document.createElement('strong');
    const body = document.createElement('span');
    title.textContent = caption;
    body.textContent = text;
    message.append(title, body);
    message.hidden = false;
    showControl(null);
    page.errors.push(`${caption}: ${text}`);
    console.error(`${caption}: ${text}`);
  }

  // The music: fetched and decoded once the first frame is up, played on an audio context made
  // on the first click or key (browsers allow sound only after one). The program asks for it to
  // start with the show; it plays while the page runs and stands still while the page pauses.
  class Music {
    constructor(url) {
      this.url = url;
      this.buffer = null;
      this.context = null;
      this.source = null;
      this.wanted = false;
      this.muted = false;
      this.silent = false;  // a fixed frame or the benchmark: the program's voice plays nothing
      this.startedAt = 0;
    }

    load() {
      this.decoded = fetch(this.url)
        .then((response) => {
          if (!response.ok) throw new Error(`${this.url}: ${response.status}`);
          return response.arrayBuffer();
        })
        .then((bytes) => new OfflineAudioContext(2, 1, 44100).decodeAudioData(bytes))
        .then((buffer) => { this.buffer = buffer; return buffer; });
      return this.decoded;
    }

    available() {
      return this.silent || typeof AudioContext === 'function';
    }

    start() {
      this.wanted = true;
    }

    stop() {
      this.wanted = false;
      if (this.source) {
        this.source.onended = null;
        this.source.stop();
        this.source.disconnect();
        this.source = null;
      }
      if (this.context && this.context.state === 'running') this.context.suspend();
    }

    // Makes the audio context; only within a click or key handler may it sound.
    unlock() {
      if (!this.context && !this.muted) this.context = new AudioContext();
    }

    // Plays from where the show stands, at offset seconds into the track, unless the page has
    // changed its mind (current() false) meanwhile.
    async run(offset, current = () => true) {
      if (!this.context || !this.wanted) return;
      await this.context.resume();
      if (this.source || !this.wanted || !current()) return;
      // Without its music (the file missing, or not decodable) the show plays silent.
      const buffer = await this.decoded.catch(() => null);
      if (!buffer || this.source || !this.wanted || !current()) return;
      this.source = this.context.createBufferSource();
      this.source.buffer = buffer;
      this.source.connect(this.context.destination);
      this.startedAt = this.context.currentTime - offset;
      this.source.start(0, Math.min(offset, buffer.duration));
    }

    async pause() {
      if (this.context && this.context.state === 'running') await this.context.suspend();
    }

    // Seconds of the track played so far, or null when it is not playing.
    position() {
      if (!this.source) return null;
      return this.context.currentTime - this.startedAt;
    }
  }

  const music = new Music('music.mp3');
  // Milliseconds since the show's music started, by the show's own clock.
  page.showTime = () => (module ? module._banner_show_time() : null);
  page.music = {
    state: () => (music.context ? music.context.state : 'none'),
    duration: () => (music.buffer ? music.buffer.duration : null),
    position: () => music.position(),
  };

  // Errors of the program (its stderr) go to the console as errors; the last one is kept for the
  // page to show when the program ends without an error box.
  function printErr(text) {
    page.errors.push(text);
    console.error(text);
  }

  function load() {
    return createBannerModule({
      canvas,
      print: (text) => console.log(text),
      printErr,
      bannerAudio: music,
      bannerShowBox: showBox,
    });
  }

  function failed(status) {
    page.state = 'failed';
    if (message.hidden) {
      showBox(page.errors.length ? page.errors[page.errors.length - 1] : `exit status ${status}`,
        'banner');
    }
  }

  // A fresh canvas for a show played again: the old one's WebGL context and everything in it go.
  function freshCanvas() {
    const old = canvas;
    const context = old.getContext('webgl2');
    const lose = context && context.getExtension('WEBGL_lose_context');
    if (lose) lose.loseContext();
    canvas = old.cloneNode(false);
    old.replaceWith(canvas);
    if (sight) sight.unobserve(old);
    watch(canvas);
  }

  // The live show. The program's clock stands still unless the show was started and someone can
  // see it; the music pauses and resumes with it.
  let module = null;
  let started = false;
  let visible = !document.hidden;
  let inView = true;
  let running = false;
  let generation = 0;
  let timer = 0;
  const soon = new MessageChannel();
  soon.port1.onmessage = () => turn();

  function schedule(milliseconds) {
    clearTimeout(timer);
    timer = 0;
    if (milliseconds <= 0) soon.port2.postMessage(0);
    else timer = setTimeout(turn, milliseconds);
  }

  // Turns the loop until a frame is drawn or the next one is more than two milliseconds away;
  // then sleeps until it is nearly due, since timers fire a little late, more so on a busy
  // machine. The 40 ms rule stays the program's: the page only wakes it.
  function turn() {
    if (!running) return;
    const giveUp = performance.now() + 5;
    for (;;) {
      const status = module._banner_turn();
      if (status >= 0) {
        over(status);
        return;
      }
      if (status === DREW_FRAME) {
        noteFrame();
        followMusic();
      }
      const wait = module._banner_until_next_frame();
      if (status === DREW_FRAME || wait > 2 || performance.now() > giveUp) {
        schedule(wait - 2);
        return;
      }
    }
  }

  // When each frame was drawn, by the page's clock and by the show's own, which may be trimmed to
  // follow the music.
  function noteFrame() {
    page.frameTimes.push(performance.now());
    page.frameShowTimes.push(module._banner_show_time());
  }

  // The show keeps to the music. Where the browser cannot keep its audio going (a busy machine),
  // the music stumbles behind the page's clock: the show's clock is slowed, by up to a half, to
  // fall back in step within a quarter of a second, or hurried a little if it ever lags.
  let lastFollowed = 0;
  function followMusic() {
    const now = performance.now();
    const position = music.position();
    if (position === null || now - lastFollowed < 250) return;
    lastFollowed = now;
    const ahead = module._banner_show_time() - position * 1000;
    const trim = Math.abs(ahead) < 4 ? 0 : Math.max(-0.1, Math.min(0.5, ahead / 250));
    module._banner_set_clock_rate(1 - trim);
  }

  async function update() {
    const run = started && visible && inView;
    if (run === running) return;
    running = run;
    const mine = ++generation;
    if (run) {
      await music.run(module._banner_show_time() / 1000, () => mine === generation);
      if (mine !== generation) return;
      module._banner_set_paused(0);
      page.state = 'playing';
      schedule(0);
    } else {
      module._banner_set_paused(1);
      clearTimeout(timer);
      page.state = started ? 'paused' : page.state;
      await music.pause();
    }
  }

  function over(status) {
    running = false;
    started = false;
    module._banner_set_paused(1);
    module._banner_close();
    if (status !== 0) {
      failed(status);
      return;
    }
    page.state = 'over';
    showControl('replay');
    controls.replay.focus({ preventScroll: true });
  }

  function begin(withSound) {
    if (started || page.state !== 'waiting') return;
    music.muted = !withSound;
    if (withSound) music.unlock();
    started = true;
    showControl(withSound || !music.available() ? null : 'sound');
    canvas.focus({ preventScroll: true });
    update();
  }

  // Builds the show and draws its first frame on a clock that stands still until it starts.
  function open() {
    page.frameTimes = [];
    page.frameShowTimes = [];
    const status = module._banner_open(alt ? 1 : 0);
    if (status >= 0) {
      failed(status);
      return false;
    }
    const first = module._banner_turn();
    if (first >= 0) {
      over(first);
      return false;
    }
    if (first === DREW_FRAME) {
      noteFrame();
      if (page.firstFrameAt === null) page.firstFrameAt = performance.now();
    }
    page.state = 'waiting';
    return true;
  }

  function playAgain() {
    if (page.state !== 'over') return;
    freshCanvas();
    if (open()) begin(true);
  }

  // Sound for a show that started muted: the music joins where the show stands.
  function soundOn() {
    if (!started || !music.muted) return;
    music.muted = false;
    music.unlock();
    showControl(null);
    canvas.focus({ preventScroll: true });
    if (running) music.run(module._banner_show_time() / 1000);
  }

  function keyCode(event) {
    return event.keyCode || 0;
  }

  function onKey(event, down) {
    if (event.key === 'Tab' || ['Shift', 'Control', 'Alt', 'Meta'].includes(event.key)) return;
    if (page.state === 'waiting' && down && event.key !== 'Escape') {
      begin(true);
      return;
    }
    if (!started || !module) return;
    if (event.key === 'Escape' || event.key === 'l' || event.key === 'L') event.preventDefault();
    const system = event.altKey || event.key === 'F10';
    module._banner_post_key(keyCode(event), down ? 1 : 0, system ? 1 : 0);
    if (running) schedule(0);
  }

  // Whether any of the banner is in view, in the page or in the page that embeds it.
  const sight = typeof IntersectionObserver === 'function' ? new IntersectionObserver((entries) => {
    const mine = entries.filter((entry) => entry.target === canvas);
    if (mine.length === 0) return;
    inView = mine[mine.length - 1].isIntersecting;
    if (module) update();
  }) : null;

  function watch(target) {
    target.addEventListener('click', () => {
      target.focus({ preventScroll: true });
      if (page.state === 'waiting') begin(true);
      else if (started && music.muted) soundOn();
    });
    if (sight) sight.observe(target);
  }

  function live() {
    watch(canvas);
    controls.play.addEventListener('click', () => begin(true));
    controls.replay.addEventListener('click', playAgain);
    controls.sound.addEventListener('click', soundOn);
    document.addEventListener('keydown', (event) => onKey(event, true));
    document.addEventListener('keyup', (event) => onKey(event, false));
    document.addEventListener('visibilitychange', () => {
      visible = !document.hidden;
      if (module) update();
    });
    load().then((loaded) => {
      module = loaded;
      if (!open()) return;
      // Decoding the music takes the processor for a while: not before the first frame is up.
      music.load().catch((error) => printErr(`the music cannot be played: ${error.message}`));
      const still = matchMedia('(prefers-reduced-motion: reduce)').matches;
      if (params.get('autoplay') === 'muted' && !still) {
        begin(false);
      } else {
        showControl('play');
      }
    });
  }

  // A fixed frame: played in slices so that the page stays responsive.
  function fixedFrame() {
    music.silent = true;
    const text = params.get('frame');
    const frame = /^\d+$/.test(text) ? Number(text) : NaN;
    const presses = params.get('press-l') || '';
    const seconds = /^(\d+(\.\d+)?(,\d+(\.\d+)?)*)?$/;
    if (!Number.isSafeInteger(frame) || !seconds.test(presses)) {
      page.state = 'failed';
      showBox(`frame=${text} press-l=${presses}: a frame number and show times in seconds`,
        'Bad address');
      return;
    }
    load().then((loaded) => {
      module = loaded;
      const status = module.ccall('banner_frame_open', 'number', ['number', 'number', 'string'],
        [alt ? 1 : 0, frame, presses]);
      if (status >= 0) {
        failed(status);
        return;
      }
      page.state = 'playing';
      const slice = () => {
        const progress = module._banner_frame_play(50);
        if (progress === 0) {
          setTimeout(slice, 0);
        } else if (progress === 1) {
          page.state = 'ready';
          canvas.setAttribute('data-frame-ready', '');
        } else {
          page.state = 'failed';
          showBox(progress === 2 ? `the show ends before frame ${frame}` : 'a frame failed',
            'Frame');
        }
      };
      slice();
    });
  }

  // The benchmark: every frame of the show on the virtual clock, one per task.
  function bench() {
    music.silent = true;
    const musicLoaded = music.load().catch(() => null);
    load().then((loaded) => {
      module = loaded;
      const until = /^\d+(\.\d+)?$/.test(params.get('until') || '') ? Number(params.get('until')) : -1;
      const status = module._banner_bench_open(alt ? 1 : 0, until);
      if (status >= 0) {
        failed(status);
        return;
      }
      page.state = 'playing';
      const channel = new MessageChannel();
      channel.port1.onmessage = () => {
        if (module._banner_bench_frame()) channel.port2.postMessage(0);
        else musicLoaded.then(report);
      };
      channel.port2.postMessage(0);
    });
  }

  function transferBytes() {
    const entries = performance.getEntriesByType('navigation')
      .concat(performance.getEntriesByType('resource'));
    return entries.reduce((sum, entry) => sum + (entry.transferSize || entry.encodedBodySize || 0), 0);
  }

  function report() {
    const table = document.getElementById('table');
    const gl = canvas.getContext('webgl2');
    const info = gl && gl.getExtension('WEBGL_debug_renderer_info');
    const renderer = info ? gl.getParameter(info.UNMASKED_RENDERER_WEBGL) : 'unknown';
    const pointer = module.ccall('banner_bench_table', 'number', ['number'], [transferBytes()]);
    page.benchTable = `renderer: ${renderer}\n${module.UTF8ToString(pointer)}`;
    table.textContent = page.benchTable;
    table.hidden = false;
    page.state = 'over';
  }

  if (params.has('frame')) fixedFrame();
  else if (params.has('bench')) bench();
  else live();
})();

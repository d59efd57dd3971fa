// The live show: the program's loop turned from the page's own callbacks, its clock run and stood
// still together with the music, its drawing buffer kept to the pixels the canvas covers, and the
// show built again where it stood when the browser restores a lost WebGL context.
const DREW_FRAME = -2;
const ESCAPE_KEY = 27;
const L_KEY = 76;

class LiveShow {
  constructor({ program, music, alt, onOver, onLost, onRestored, onFailed }) {
    this.program = program;
    this.music = music;
    this.alt = alt;
    this.onOver = onOver;
    this.onLost = onLost;
    this.onRestored = onRestored;
    this.onFailed = onFailed;
    this.canvas = document.getElementById('banner');
    this.opened = false;
    this.lost = false;
    this.running = false;
    this.generation = 0;
    this.timer = 0;
    this.pendingSize = null;
    this.presses = [];
    this.frameTimes = [];
    this.frameShowTimes = [];
    this.firstFrameAt = null;
    this.lastFollowed = 0;
    this.soon = new MessageChannel();
    this.soon.port1.onmessage = () => this.turn();
    this.watch(this.canvas);
    if (typeof ResizeObserver === 'function') {
      this.resizing = new ResizeObserver(() => this.fit());
      this.resizing.observe(this.canvas);
    }
  }

  get module() {
    return this.program.module;
  }

  // Seconds of the show's clock since its music started.
  time() {
    return this.opened ? this.module._banner_show_time() / 1000 : 0;
  }

  // The program loaded and the show built, its first frame drawn on a clock that stands still.
  async prepare() {
    await this.program.load();
    if (!this.opened) this.open();
  }

  // Builds the show; after an end, on a fresh canvas (the old one's WebGL context goes with it).
  open() {
    if (this.ended) this.freshCanvas();
    this.ended = false;
    this.frameTimes = [];
    this.frameShowTimes = [];
    this.presses = [];
    this.fit();
    this.applySize();
    const status = this.module._banner_open(this.alt ? 1 : 0);
    if (status >= 0) throw this.failure(status);
    const first = this.module._banner_turn();
    if (first >= 0) throw this.failure(first);
    if (first === DREW_FRAME) this.noteFrame();
    if (this.firstFrameAt === null) this.firstFrameAt = performance.now();
    this.opened = true;
  }

  // Why the program could not go on. Its own words are on the console already.
  failure(status) {
    const probe = document.createElement('canvas');
    const graphics = typeof WebGL2RenderingContext !== 'function' || !probe.getContext('webgl2');
    const error = new Error(`the program ended with status ${status}`);
    error.kind = graphics ? 'graphics' : 'program';
    return error;
  }

  freshCanvas() {
    const old = this.canvas;
    const context = old.getContext('webgl2');
    const lose = context && context.getExtension('WEBGL_lose_context');
    const focused = document.activeElement === old;
    this.canvas = old.cloneNode(false);
    this.watch(this.canvas);
    old.replaceWith(this.canvas);
    if (this.resizing) {
      this.resizing.unobserve(old);
      this.resizing.observe(this.canvas);
    }
    if (lose) lose.loseContext();
    // The visitor's focus stays where it was: on the banner.
    if (focused) this.canvas.focus({ preventScroll: true });
  }

  watch(canvas) {
    canvas.addEventListener('webglcontextlost', (event) => {
      if (canvas !== this.canvas || !this.opened) return;
      event.preventDefault();  // asks the browser to give it back
      this.lost = true;
      this.setRunning(false);
      this.onLost();
    });
    canvas.addEventListener('webglcontextrestored', () => {
      if (canvas === this.canvas && this.lost) this.restore();
    });
  }

  // The size of the drawing buffer: the canvas's size on the screen in device pixels, at most
  // twice its CSS pixels, and always the show's shape.
  fit() {
    const box = this.canvas.getBoundingClientRect();
    if (box.width === 0) return;
    const width = Math.max(1, Math.round(box.width * Math.min(devicePixelRatio || 1, 2)));
    const height = Math.max(1, Math.round(width * (this.alt ? 89 : 92) / 960));
    if (width === this.canvas.width && height === this.canvas.height) {
      this.pendingSize = null;
      return;
    }
    this.pendingSize = { width, height };
    // Before the show is built, or while a frame is due, at once; otherwise with the next frame,
    // so that the picture is never cleared without one to replace it.
    if (!this.opened) this.applySize();
  }

  applySize() {
    if (!this.pendingSize) return;
    this.canvas.width = this.pendingSize.width;
    this.canvas.height = this.pendingSize.height;
    this.pendingSize = null;
    if (this.opened) this.module._banner_resize(this.canvas.width, this.canvas.height);
  }

  // Runs or stands still: the show's clock and the music together.
  async setRunning(run) {
    run = run && this.opened && !this.lost;
    if (run === this.running) return;
    this.running = run;
    const mine = ++this.generation;
    if (run) {
      await this.music.run(this.time()).catch(() => {});
      if (mine !== this.generation) return;
      this.module._banner_set_paused(0);
      this.schedule(0);
    } else {
      if (this.opened) this.module._banner_set_paused(1);
      clearTimeout(this.timer);
      await this.music.halt();
    }
  }

  schedule(milliseconds) {
    clearTimeout(this.timer);
    this.timer = 0;
    if (milliseconds <= 0) this.soon.port2.postMessage(0);
    else this.timer = setTimeout(() => this.turn(), milliseconds);
  }

  // Turns the loop until a frame is drawn or the next one is a millisecond or more away; then
  // sleeps for the whole milliseconds to it (timers count whole milliseconds, and fire late but
  // never early), and waits out the last fraction here. The 40 ms rule stays the program's: the
  // page only wakes it.
  turn() {
    if (!this.running) return;
    const giveUp = performance.now() + 5;
    for (;;) {
      if (this.pendingSize && this.module._banner_until_next_frame() === 0) this.applySize();
      const status = this.module._banner_turn();
      if (status >= 0) {
        this.over(status);
        return;
      }
      if (status === DREW_FRAME) {
        this.noteFrame();
        this.followMusic();
      }
      const wait = this.module._banner_until_next_frame();
      if (status === DREW_FRAME || wait >= 1 || performance.now() > giveUp) {
        this.schedule(Math.floor(wait));
        return;
      }
      const due = performance.now() + wait;
      while (performance.now() < due);
    }
  }

  noteFrame() {
    this.frameTimes.push(performance.now());
    this.frameShowTimes.push(this.module._banner_show_time());
  }

  // The show keeps to the music. Where the browser cannot keep its audio going (a busy machine),
  // the music stumbles behind the page's clock: the show's clock is slowed, by up to a half, to
  // fall back in step within a quarter of a second, or hurried a little if it ever lags.
  followMusic() {
    const now = performance.now();
    const position = this.music.position();
    if (position === null || now - this.lastFollowed < 250) return;
    this.lastFollowed = now;
    const ahead = this.module._banner_show_time() - position * 1000;
    const trim = Math.abs(ahead) < 4 ? 0 : Math.max(-0.1, Math.min(0.5, ahead / 250));
    this.module._banner_set_clock_rate(1 - trim);
  }

  over(status) {
    this.running = false;
    this.opened = false;
    this.ended = true;
    this.module._banner_set_paused(1);
    this.module._banner_close();
    if (status === 0) this.onOver();
    else this.onFailed(this.failure(status));
  }

  // 'L' and Escape, as the program takes them. Escape ends the show even while it stands still.
  key(code, down) {
    if (!this.opened || this.lost) return;
    if (code === L_KEY && down) this.presses.push((this.module._banner_show_time() / 1000).toFixed(3));
    this.module._banner_post_key(code, down ? 1 : 0, 0);
    if (this.running) {
      this.schedule(0);
    } else if (code === ESCAPE_KEY && down) {
      // A few turns read the key and end the program; the clock stays where it is.
      for (let i = 0; i < 8 && this.opened; i++) {
        const status = this.module._banner_turn();
        if (status >= 0) this.over(status);
      }
    }
  }

  // The context is back: the show is built again and played unseen up to where it stood, a
  // slice at a time so that the page stays responsive.
  restore() {
    const status = this.module.ccall('banner_open_at', 'number', ['number', 'number', 'string'],
      [this.alt ? 1 : 0, this.module._banner_show_time(), this.presses.join(',')]);
    if (status >= 0) {
      this.opened = false;
      this.onFailed(this.failure(status));
      return;
    }
    const slice = () => {
      const progress = this.module._banner_catch_up(50);
      if (progress === 0) {
        setTimeout(slice, 0);
      } else if (progress === 1) {
        this.lost = false;
        this.onRestored();
      } else {
        this.opened = false;
        this.onFailed(this.failure(1));
      }
    };
    slice();
  }
}

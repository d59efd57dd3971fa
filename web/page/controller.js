// What the visitor, the keyboard and the host ask of the banner, turned into moves of its state;
// and the one place that decides whether the show's clock runs: only while it is playing and
// someone can see it (the page shown, the banner in view, its graphics there).
class Banner {
  constructor({ state, live, video, music }) {
    this.state = state;
    this.live = live;
    this.video = video;
    this.music = music;
    this.player = live;
    this.muted = false;
    this.started = false;  // the show has moved since it was last built: its picture is up
    this.visible = !document.hidden;
    this.inView = true;
    this.onChange = () => {};
    this.onReady = () => {};
    state.watch((name) => {
      if (name === 'playing') this.started = true;
      if (name === 'ended' || name === 'failed') this.started = false;
      this.update();
    });
  }

  // The program, loaded while nobody asks for it yet (the banner is in view), or on intent.
  loadProgram() {
    if (this.player !== this.live) return Promise.resolve();
    const first = !this.live.program.loading && !this.live.program.loaded();
    const loading = this.live.program.load();
    loading.then(() => { if (first) this.onReady(); }, (error) => {
      if (first && this.state.is('idle')) this.fail(error, 'program');
    });
    return loading;
  }

  // Pointer over or focus on the play control: what playing will need, fetched ahead.
  intent() {
    if (!this.state.is('idle', 'paused', 'ended')) return;
    this.loadProgram().catch(() => {});
    if (this.player === this.live && !this.muted) this.music.fetch().catch(() => {});
  }

  async play() {
    const { state } = this;
    if (state.is('failed') && state.reason === 'graphics') this.player = this.video;
    else if (state.is('failed') && state.reason === 'video') return;
    if (!state.set('loading')) return;
    const sound = !this.muted && this.player === this.live;
    // Within the visitor's click or key, the browser lets the audio context start.
    const sounding = sound ? this.music.allowed() : Promise.resolve(false);
    try {
      await this.player.prepare();
      if (sound && await sounding) {
        await this.music.decode().catch((error) => { error.kind = 'music'; throw error; });
      } else if (sound) {
        this.setMuted(true);  // refused without a gesture: the show plays muted
      }
    } catch (error) {
      this.fail(error, error.kind || 'program');
      return;
    }
    if (state.is('loading')) state.set('playing');
  }

  pause() {
    if (this.state.is('playing', 'loading', 'idle')) this.state.set('paused');
  }

  toggle() {
    if (this.state.is('playing', 'loading')) this.pause();
    else this.play();
  }

  setMuted(muted) {
    this.muted = muted;
    this.music.setMuted(muted);
    this.video.setMuted(muted);
    this.onChange();
    if (!muted && this.player === this.live && this.started) this.soundOn();
  }

  // Sound for a show that moves without it: the music joins where the show stands.
  async soundOn() {
    const allowed = await this.music.allowed();
    if (!allowed) {
      this.setMuted(true);
      return;
    }
    try {
      await this.music.decode();
    } catch (error) {
      this.fail(error, 'music');
      return;
    }
    if (!this.muted && this.live.running) await this.music.run(this.live.time());
  }

  // 'L' and Escape keep their meaning while the show is there.
  key(code, down) {
    if (this.player === this.live && this.state.is('playing', 'paused')) this.live.key(code, down);
  }

  ended() {
    this.state.set('ended');
  }

  fail(error, kind) {
    console.error(`banner: ${error.message}`);
    this.state.set('failed', kind);
  }

  time() {
    return this.player.time();
  }

  update() {
    const run = this.state.is('playing') && this.visible && this.inView;
    const going = this.player.setRunning(run);
    if (going) going.catch((error) => this.fail(error, this.player === this.video ? 'video' : 'program'));
    this.onChange();
  }
}

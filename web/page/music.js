// The music on Web Audio: fetched only when the visitor asks for sound (or shows the intent to),
// with its progress; decoded once; played from wherever the show stands; muted by a gain, so
// that it keeps its place beside the show's clock. The program asks for it to start with the
// show (start) and to stop at the end (stop) through web_library.js.
class Music {
  constructor(url) {
    this.url = url;
    this.fetching = null;
    this.decoding = null;
    this.buffer = null;
    this.context = null;
    this.gain = null;
    this.source = null;
    this.startedAt = 0;
    this.sounded = false;  // the browser let the context run once: it may resume it since
    this.wanted = false;
    this.muted = false;
    this.silent = false;  // a fixed frame or the benchmark: the program's voice plays nothing
    this.received = 0;
    this.total = 0;
    this.onProgress = () => {};
  }

  // For the program: whether it can have its voice at all.
  available() {
    return this.silent || typeof AudioContext === 'function';
  }

  start() {
    this.wanted = true;
  }

  stop() {
    this.wanted = false;
    this.stopSource();
    if (this.context && this.context.state === 'running') this.context.suspend().catch(() => {});
  }

  // The file's bytes, fetched once; progress goes to onProgress as a share of the whole.
  fetch() {
    if (!this.fetching) {
      this.fetching = this.download();
      this.fetching.catch(() => {
        this.fetching = null;
        this.onProgress(1);  // no longer loading
      });
    }
    return this.fetching;
  }

  async download() {
    const response = await fetch(this.url);
    if (!response.ok) throw new Error(`${this.url}: ${response.status} ${response.statusText}`);
    this.total = Number(response.headers.get('Content-Length')) || 0;
    const reader = response.body.getReader();
    const parts = [];
    this.received = 0;
    for (;;) {
      const { done, value } = await reader.read();
      if (done) break;
      parts.push(value);
      this.received += value.length;
      this.onProgress(this.total ? Math.min(1, this.received / this.total) : 0);
    }
    const bytes = new Uint8Array(this.received);
    let at = 0;
    for (const part of parts) {
      bytes.set(part, at);
      at += part.length;
    }
    return bytes.buffer;
  }

  // The decoded track; decoding takes the processor for a while, so only once sound is wanted.
  decode() {
    if (!this.decoding) {
      this.decoding = this.fetch()
        .then((bytes) => new OfflineAudioContext(2, 1, 44100).decodeAudioData(bytes))
        .then((buffer) => { this.buffer = buffer; return buffer; });
      this.decoding.catch(() => { this.decoding = null; });
    }
    return this.decoding;
  }

  // Makes the audio context, or wakes it; within a click or a key the browser lets it sound.
  unlock() {
    if (!this.context) {
      this.context = new AudioContext();
      this.gain = this.context.createGain();
      this.gain.connect(this.context.destination);
      this.applyMute();
      this.context.addEventListener('statechange', () => {
        if (this.context.state === 'running') this.sounded = true;
      });
    }
    this.context.resume().catch(() => {});
  }

  // Whether the browser lets the context sound: without the visitor's gesture (a host's command)
  // it may never start, which the page learns only by waiting a moment.
  async allowed() {
    this.unlock();
    if (this.context.state === 'running') this.sounded = true;
    if (this.sounded) return true;
    const patience = navigator.userActivation && navigator.userActivation.isActive ? 3000 : 600;
    const running = new Promise((resolve) => {
      this.context.addEventListener('statechange', () => {
        if (this.context.state === 'running') resolve(true);
      });
    });
    const late = new Promise((resolve) => { setTimeout(() => resolve(false), patience); });
    return Promise.race([running, late]);
  }

  setMuted(muted) {
    this.muted = muted;
    this.applyMute();
  }

  applyMute() {
    if (this.gain) this.gain.gain.value = this.muted ? 0 : 1;
  }

  // Goes on where it stood, or plays from offset seconds into the track if it was not playing:
  // when the program asked for the music and the browser let it sound. Otherwise the show goes
  // on without it (a track that stands still would hold the show back).
  async run(offset) {
    if (!this.context || !this.sounded) return;
    if (this.context.state !== 'running') await this.context.resume();
    if (this.source || !this.wanted || !this.buffer) return;
    this.source = this.context.createBufferSource();
    this.source.buffer = this.buffer;
    this.source.connect(this.gain);
    this.startedAt = this.context.currentTime - offset;
    this.source.start(0, Math.min(offset, this.buffer.duration));
  }

  // Stands still where it is, with the show's clock.
  halt() {
    if (this.context && this.context.state === 'running') return this.context.suspend().catch(() => {});
    return Promise.resolve();
  }

  stopSource() {
    if (!this.source) return;
    this.source.stop();
    this.source.disconnect();
    this.source = null;
  }

  // Seconds of the track played so far, or null when it is not playing.
  position() {
    return this.source ? this.context.currentTime - this.startedAt : null;
  }
}

// The show as a video, for a browser without WebGL 2: the capture tool's recording of it with its
// music, fetched only when the visitor asks for it, and driven by the same controls.
class VideoShow {
  constructor({ onOver, onFailed }) {
    this.onOver = onOver;
    this.onFailed = onFailed;
    this.element = null;
    this.ready = null;
    this.running = false;
  }

  time() {
    return this.element ? this.element.currentTime : 0;
  }

  prepare() {
    if (this.ready) return this.ready;
    const video = document.createElement('video');
    video.id = 'video';
    video.preload = 'auto';
    video.playsInline = true;
    video.setAttribute('aria-label', 'The banner\'s show as a video');
    const captions = document.createElement('track');
    captions.kind = 'captions';
    captions.srclang = 'en';
    captions.label = 'English';
    captions.src = 'music.vtt';
    video.append(captions);
    video.src = 'banner.mp4';
    video.addEventListener('ended', () => {
      this.running = false;
      this.onOver();
    });
    this.ready = new Promise((resolve, reject) => {
      video.addEventListener('canplay', resolve, { once: true });
      video.addEventListener('error', () => {
        const error = new Error(`banner.mp4: ${video.error ? video.error.message || video.error.code : 'error'}`);
        error.kind = 'video';
        reject(error);
      }, { once: true });
    });
    this.ready.catch(() => {
      this.ready = null;
      this.element = null;
      video.remove();
    });
    document.getElementById('stage').prepend(video);
    this.element = video;
    return this.ready;
  }

  setMuted(muted) {
    if (this.element) this.element.muted = muted;
  }

  async setRunning(run) {
    if (!this.element || run === this.running) return;
    this.running = run;
    if (!run) {
      this.element.pause();
      return;
    }
    if (this.element.ended) this.element.currentTime = 0;
    try {
      await this.element.play();
    } catch (error) {
      // Sound refused without the visitor's gesture: the picture plays on, muted.
      if (error.name !== 'NotAllowedError' || this.element.muted) throw error;
      this.element.muted = true;
      await this.element.play();
      this.onMutedByBrowser();
    }
  }
}

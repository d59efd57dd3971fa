// The controls, the picture and the sentence, all derived from the banner's state: one play
// control whose action follows the state, a mute toggle, the music's progress while it loads; the
// poster until the show has moved, and again whenever it cannot be seen. Keys: Space or Enter on
// the banner plays and pauses; 'L' and Escape go to the show.
const SENTENCES = {
  graphics: 'This browser cannot draw the show in 3D. Here it is as a video.',
  program: 'The show could not be loaded. Please try again.',
  music: 'The music could not be loaded. Try again, or mute it to watch without sound.',
  video: 'The show cannot be played here.',
  lost: 'The show waits while the browser restores its graphics.',
};

const PLAY_CONTROL = {
  idle: ['Play', 'play'],
  paused: ['Play', 'play'],
  loading: ['Pause', 'pause'],
  playing: ['Pause', 'pause'],
  ended: ['Play again', 'replay'],
  graphics: ['Play the video', 'play'],
  program: ['Try again', 'replay'],
  music: ['Try again', 'replay'],
};

class Controls {
  constructor(banner) {
    this.banner = banner;
    this.stage = document.getElementById('stage');
    this.panel = document.getElementById('controls');
    this.play = document.getElementById('play');
    this.mute = document.getElementById('mute');
    this.progress = document.getElementById('progress');
    this.message = document.getElementById('message');
    this.play.addEventListener('click', () => banner.toggle());
    this.mute.addEventListener('click', () => banner.setMuted(!banner.muted));
    for (const intent of ['pointerenter', 'focus']) this.play.addEventListener(intent, () => banner.intent());
    this.stage.addEventListener('click', (event) => {
      if (event.target.matches('canvas, video')) banner.toggle();
    });
    document.addEventListener('keydown', (event) => this.key(event, true));
    document.addEventListener('keyup', (event) => this.key(event, false));
    banner.music.onProgress = (share) => this.showProgress(share);
    banner.onChange = () => this.render();
    this.panel.hidden = false;
    this.render();
  }

  key(event, down) {
    if (event.ctrlKey || event.metaKey || event.altKey) return;
    if (event.key === 'Escape' || event.key === 'l' || event.key === 'L') {
      this.banner.key(event.key === 'Escape' ? ESCAPE_KEY : L_KEY, down);
      return;
    }
    // Buttons take Space and Enter themselves.
    const onBanner = event.target === document.body || event.target.matches('canvas, video');
    if (onBanner && (event.key === ' ' || event.key === 'Enter')) {
      event.preventDefault();
      if (down && !event.repeat) this.banner.toggle();
    }
  }

  showProgress(share) {
    const loading = share < 1;
    this.progress.hidden = !loading;
    this.progress.setAttribute('aria-valuenow', String(Math.round(share * 100)));
    this.progress.style.setProperty('--done', `${share * 360}deg`);
  }

  render() {
    const { state, muted } = this.banner;
    const failed = state.is('failed') ? state.reason : null;
    const shown = this.banner.started && !this.banner.live.lost && state.is('playing', 'paused', 'loading');
    this.stage.dataset.picture = !shown ? 'poster' : this.banner.player === this.banner.video ? 'video' : 'show';
    const sentence = failed ? SENTENCES[failed] : this.banner.live.lost ? SENTENCES.lost : '';
    this.message.textContent = sentence;
    this.message.hidden = !sentence;
    const [label, icon] = PLAY_CONTROL[failed || state.name] || [];
    this.play.hidden = !label;
    if (label) {
      this.play.setAttribute('aria-label', label);
      this.play.title = label;
      this.play.querySelector('use').setAttribute('href', `#icon-${icon}`);
    }
    this.mute.hidden = failed === 'program' || failed === 'video';
    this.mute.setAttribute('aria-pressed', String(muted));
    this.mute.title = muted ? 'Sound off' : 'Sound on';
    this.mute.querySelector('use').setAttribute('href', muted ? '#icon-muted' : '#icon-sound');
  }
}

// The banner's one state. The controls, the host's messages and the players follow it; nothing
// else keeps a flag of its own.
//   idle     the poster, before anyone asked for the show
//   loading  asked for: the program, the music or the video is on its way
//   playing  the show moves (it stands still while nobody can see it, without changing state)
//   paused   stopped where it stands, by the visitor or the host
//   ended    over, at its end or by Escape
//   failed   cannot play: reason 'graphics' (no WebGL 2), 'program' or 'music'
const NEXT_STATES = {
  idle: ['loading', 'paused', 'failed'],
  loading: ['playing', 'paused', 'failed'],
  playing: ['paused', 'ended', 'failed'],
  paused: ['loading', 'playing', 'ended', 'failed'],
  ended: ['loading', 'failed'],
  failed: ['loading', 'failed'],
};

class BannerState {
  constructor() {
    this.name = 'idle';
    this.reason = null;
    this.watchers = [];
  }

  is(...names) {
    return names.includes(this.name);
  }

  // False, and nothing changes, for a move the machine does not make.
  set(name, reason = null) {
    if (!NEXT_STATES[this.name].includes(name)) {
      console.warn(`banner: no move from ${this.name} to ${name}`);
      return false;
    }
    this.name = name;
    this.reason = reason;
    for (const watcher of this.watchers) watcher(name, reason);
    return true;
  }

  watch(watcher) {
    this.watchers.push(watcher);
  }
}

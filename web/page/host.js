// The host page's remote: commands from the page that embeds the banner, and only from it, and
// the banner's events back to it, with the show's time in seconds.
//   commands: {type: 'banner:play' | 'banner:pause' | 'banner:mute' | 'banner:unmute'}
//   events:   {type: 'banner:ready' | 'banner:playing' | 'banner:paused' | 'banner:ended' |
//              'banner:error', time, muted}
const HOST_EVENTS = { playing: 'banner:playing', paused: 'banner:paused', ended: 'banner:ended', failed: 'banner:error' };

class HostMessages {
  constructor(banner) {
    this.banner = banner;
    this.parent = window.parent !== window ? window.parent : null;
    if (!this.parent) return;
    const commands = {
      'banner:play': () => banner.play(),
      'banner:pause': () => banner.pause(),
      'banner:mute': () => banner.setMuted(true),
      'banner:unmute': () => banner.setMuted(false),
    };
    window.addEventListener('message', (event) => {
      if (event.source !== this.parent || !event.data) return;
      const command = commands[event.data.type];
      if (command) command();
    });
    banner.state.watch((name) => {
      if (HOST_EVENTS[name]) this.send(HOST_EVENTS[name]);
    });
    banner.onReady = () => this.send('banner:ready');
  }

  send(type) {
    if (!this.parent) return;
    const time = Math.round(this.banner.time() * 1000) / 1000;
    this.parent.postMessage({ type, time, muted: this.banner.muted }, '*');
  }
}

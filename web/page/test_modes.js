// The page's modes for the tests and the benchmark, on their own program (banner-test.js):
//   ?frame=N   the capture tool's frame N, drawn and left on the canvas, which then carries
//              data-frame-ready; &press-l=S,... presses 'L' at those show times
//   ?bench     every frame of the show on the virtual clock, timed; &until=S stops at S seconds
// Both draw at the capture tool's size, 960 pixels wide, whatever the screen.
class TestMode {
  constructor(params, alt, page) {
    this.params = params;
    this.alt = alt;
    this.page = page;
    this.state = 'loading';
    this.music = new Music('music.mp3');
    this.music.silent = true;
    this.canvas = document.getElementById('banner');
    this.canvas.width = 960;
    this.canvas.height = alt ? 89 : 92;
    document.getElementById('stage').dataset.picture = 'show';
    this.program = new Program('banner-test', {
      canvas: this.canvas,
      print: (text) => console.log(text),
      printErr: (text) => this.problem(text),
      bannerAudio: this.music,
      bannerShowBox: (text, caption) => this.problem(`${caption}: ${text}`),
    });
  }

  problem(text) {
    this.page.errors.push(text);
    console.error(text);
  }

  fail(text) {
    this.state = 'failed';
    this.problem(text);
    const message = document.getElementById('message');
    message.textContent = text;
    message.hidden = false;
  }

  start() {
    const run = this.params.has('frame') ? () => this.fixedFrame() : () => this.bench();
    this.program.load().then(run, (error) => this.fail(error.message));
  }

  // Played in slices so that the page stays responsive.
  fixedFrame() {
    const module = this.program.module;
    const text = this.params.get('frame');
    const frame = /^\d+$/.test(text) ? Number(text) : NaN;
    const presses = this.params.get('press-l') || '';
    if (!Number.isSafeInteger(frame) || !/^(\d+(\.\d+)?(,\d+(\.\d+)?)*)?$/.test(presses)) {
      this.fail(`frame=${text} press-l=${presses}: a frame number and show times in seconds`);
      return;
    }
    const status = module.ccall('banner_frame_open', 'number', ['number', 'number', 'string'],
      [this.alt ? 1 : 0, frame, presses]);
    if (status >= 0) {
      this.fail(`the program ended with status ${status}`);
      return;
    }
    this.state = 'playing';
    const slice = () => {
      const progress = module._banner_frame_play(50);
      if (progress === 0) {
        setTimeout(slice, 0);
      } else if (progress === 1) {
        this.state = 'ready';
        this.canvas.setAttribute('data-frame-ready', '');
      } else {
        this.fail(progress === 2 ? `the show ends before frame ${frame}` : 'a frame failed');
      }
    };
    slice();
  }

  // One frame per task; the table at the end.
  bench() {
    const module = this.program.module;
    const until = /^\d+(\.\d+)?$/.test(this.params.get('until') || '') ? Number(this.params.get('until')) : -1;
    const status = module._banner_bench_open(this.alt ? 1 : 0, until);
    if (status >= 0) {
      this.fail(`the program ended with status ${status}`);
      return;
    }
    this.state = 'playing';
    const channel = new MessageChannel();
    channel.port1.onmessage = () => {
      if (module._banner_bench_frame()) channel.port2.postMessage(0);
      else this.report();
    };
    channel.port2.postMessage(0);
  }

  report() {
    const module = this.program.module;
    const entries = performance.getEntriesByType('navigation').concat(performance.getEntriesByType('resource'));
    const bytes = entries.reduce((sum, entry) => sum + (entry.transferSize || entry.encodedBodySize || 0), 0);
    const gl = this.canvas.getContext('webgl2');
    const info = gl && gl.getExtension('WEBGL_debug_renderer_info');
    const renderer = info ? gl.getParameter(info.UNMASKED_RENDERER_WEBGL) : 'unknown';
    const pointer = module.ccall('banner_bench_table', 'number', ['number'], [bytes]);
    this.page.benchTable = `renderer: ${renderer}\n${module.UTF8ToString(pointer)}`;
    const table = document.getElementById('table');
    table.textContent = this.page.benchTable;
    table.hidden = false;
    this.state = 'ended';
  }
}

'use strict';
// Not a test: what the show costs the page's main thread while it plays. Plays the page as a
// visitor sees it (index.html?autoplay=muted: the real clock at the real pace) in headless
// Chromium, reads the renderer's main-thread task time (page.metrics(): wasm, script and the
// encoding of WebGL commands, not the rasteriser's work in the GPU process) every fifth of a
// second against the show's clock and phase, and prints the share of one core over the show,
// in its worst second and per phase. scripts/bench-web-cpu.sh runs it.
const fs = require('fs');
const os = require('os');
const path = require('path');
const { siteDir } = require('./environment');
const SITE = siteDir();
const { SiteServer } = require('./site_server');
const { launch, openPage } = require('./browser');

const SAMPLE_MS = 200;
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

function options(argv) {
  const value = (name, fallback) => {
    const at = argv.indexOf(name);
    return at >= 0 ? Number(argv[at + 1]) : fallback;
  };
  const runs = value('--runs', 1);
  const until = value('--until', Infinity);
  const at = argv.indexOf('--profile');
  const profile = at >= 0 ? String(argv[at + 1]).split(',').map(Number) : null;
  const goodProfile = !profile || (profile.length === 2 && profile[0] >= 0 && profile[1] > profile[0]);
  if (!Number.isInteger(runs) || runs < 1 || !(until > 0) || !goodProfile) {
    throw new Error('usage: play_cost.js [--runs N] [--until SECONDS] [--alt] [--profile FROM,TO]');
  }
  return { runs, until, profile, alt: argv.includes('--alt') };
}

// The page's program as it resolves, kept where the measurement can ask it for the phase.
function keepModule() {
  let factory;
  Object.defineProperty(window, 'createBannerModule', {
    configurable: true,
    get: () => factory,
    set: (made) => {
      factory = (settings) => made(settings).then((module) => {
        window.bannerModule = module;
        return module;
      });
    },
  });
}

async function sample(page) {
  const show = await page.evaluate(() => ({
    state: bannerPage.state,
    time: bannerPage.showTime() / 1000,
    phase: window.bannerModule ? bannerModule._banner_phase() : -1,
    frames: bannerPage.frameTimes.length,
  }));
  const metrics = await page.metrics();
  const { metrics: all } = await page.cdp.send('Performance.getMetrics');
  const thread = all.find((metric) => metric.name === 'ThreadTime');
  return {
    ...show,
    wall: metrics.Timestamp,
    task: metrics.TaskDuration,
    script: metrics.ScriptDuration,
    cpu: thread ? thread.value : NaN,
  };
}

// Plays one show and returns its samples, from the start of play to its end.
async function play(browser, server, settings) {
  const page = await openPage(browser);
  page.cdp = await page.createCDPSession();
  await page.cdp.send('Performance.enable');
  await page.evaluateOnNewDocument(keepModule);
  await page.goto(server.url(`index.html?autoplay=muted${settings.alt ? '&alt' : ''}`));
  await page.waitForFunction(() => window.bannerPage && bannerPage.state === 'playing',
    { timeout: 60000 });
  const profiler = settings.profile ? await Profiler.attach(page, settings.profile) : null;
  const samples = [];
  for (;;) {
    const next = await sample(page);
    if (next.state !== 'playing' || next.time > settings.until) break;
    samples.push(next);
    if (profiler) await profiler.at(next.time);
    await sleep(SAMPLE_MS);
  }
  const problems = page.problems;
  const profile = profiler ? await profiler.result() : null;
  const shown = await page.evaluate(() => bannerPage.frameShowTimes);
  await page.close();
  if (problems.length) throw new Error(problems.join('; '));
  if (samples.length < 2) throw new Error('the show did not play');
  return { samples, profile, pacing: pacing(shown) };
}

// Frame intervals on the show's clock (whole milliseconds), leaving out stalls of two frames or
// more: their mean and the share that are exactly 40 ms.
function pacing(shown) {
  const intervals = shown.slice(1).map((time, i) => time - shown[i]).filter((gap) => gap < 80);
  const mean = intervals.reduce((a, b) => a + b, 0) / Math.max(1, intervals.length);
  return { mean, exact: intervals.filter((gap) => gap === 40).length / Math.max(1, intervals.length) };
}

// Chromium's sampling profiler on the page's main thread, from one show time to another.
class Profiler {
  static async attach(page, [from, to]) {
    const session = await page.createCDPSession();
    await session.send('Profiler.enable');
    await session.send('Profiler.setSamplingInterval', { interval: 200 });
    return new Profiler(session, from, to);
  }

  constructor(session, from, to) {
    Object.assign(this, { session, from, to, running: false, profile: null });
  }

  async at(time) {
    if (!this.running && !this.profile && time >= this.from) {
      await this.session.send('Profiler.start');
      this.running = true;
    } else if (this.running && time >= this.to) {
      await this.stop();
    }
  }

  async stop() {
    this.profile = (await this.session.send('Profiler.stop')).profile;
    this.running = false;
  }

  async result() {
    if (this.running) await this.stop();
    return this.profile;
  }
}

// Self time by function, and by where the code lies: the program (wasm), its runtime and GL
// bindings (banner.js), the page's script, the browser's own functions (WebGL among them).
function printProfile(profile, run) {
  if (!profile) {
    console.log('profile: the show never reached the stretch to profile');
    return;
  }
  const file = path.join(os.tmpdir(), `banner-play-${run + 1}.cpuprofile`);
  fs.writeFileSync(file, JSON.stringify(profile));
  console.log(`the profile is in ${file} (Chromium's DevTools open it)`);
  const nodes = new Map(profile.nodes.map((node) => [node.id, node]));
  const self = new Map();
  const kinds = new Map();
  let total = 0;
  profile.samples.forEach((id, i) => {
    const micros = profile.timeDeltas[i + 1] || 0;
    const frame = nodes.get(id).callFrame;
    const file = frame.url.replace(/^.*\//, '');
    const kind = frame.url.startsWith('wasm://') ? 'wasm'
      : file ? file : (frame.functionName.startsWith('(') ? frame.functionName : 'browser');
    const name = `${frame.functionName || '(anonymous)'} ${kind}`;
    self.set(name, (self.get(name) || 0) + micros);
    kinds.set(kind, (kinds.get(kind) || 0) + micros);
    total += micros;
  });
  const busy = total - (kinds.get('(idle)') || 0);
  const rows = (map, count) => [...map].filter(([key]) => !key.startsWith('(idle)'))
    .sort((a, b) => b[1] - a[1]).slice(0, count)
    .map(([key, micros]) => `  ${(100 * micros / busy).toFixed(1).padStart(5)}%  ${key}`);
  console.log(`profile of ${(total / 1e6).toFixed(1)} s, ${(busy / 1e6).toFixed(2)} s busy; ` +
    'shares of the busy time, by kind:');
  console.log(rows(kinds, 10).join('\n'));
  console.log('by function (self time):');
  console.log(rows(self, 25).join('\n'));
}

// Consecutive samples' differences; an interval belongs to a phase when both ends lie in it.
function intervals(samples) {
  return samples.slice(1).map((end, i) => {
    const start = samples[i];
    return {
      from: start.time,
      to: end.time,
      phase: start.phase === end.phase ? end.phase : null,
      wall: end.wall - start.wall,
      task: end.task - start.task,
      script: end.script - start.script,
      cpu: end.cpu - start.cpu,
      frames: end.frames - start.frames,
    };
  });
}

function sum(list, key) {
  return list.reduce((total, item) => total + item[key], 0);
}

function share(list) {
  const wall = sum(list, 'wall');
  return {
    task: sum(list, 'task') / wall,
    script: sum(list, 'script') / wall,
    cpu: sum(list, 'cpu') / wall,
    seconds: wall,
    frames: sum(list, 'frames'),
    cpuPerFrame: 1000 * sum(list, 'cpu') / Math.max(1, sum(list, 'frames')),
  };
}

// The dearest stretch of at least a second, by task time or by another of share's figures.
function worstSecond(list, key = 'task') {
  let worst = null;
  for (let i = 0; i < list.length; i++) {
    let j = i;
    let wall = 0;
    while (j < list.length && wall < 1) wall += list[j++].wall;
    if (wall < 1) break;
    const stretch = list.slice(i, j);
    const cost = { ...share(stretch), from: stretch[0].from, to: stretch[stretch.length - 1].to };
    if (!worst || cost[key] > worst[key]) worst = cost;
  }
  return worst;
}

function summary(samples) {
  const list = intervals(samples);
  const phases = new Map();
  for (const item of list) {
    if (item.phase === null) continue;
    if (!phases.has(item.phase)) phases.set(item.phase, []);
    phases.get(item.phase).push(item);
  }
  const byPhase = [...phases.keys()].sort((a, b) => a - b).map((phase) => ({
    phase,
    from: phases.get(phase)[0].from,
    ...share(phases.get(phase)),
    worst: worstSecond(phases.get(phase)),
  }));
  return { show: share(list), worst: worstSecond(list), worstCpu: worstSecond(list, 'cpu'), byPhase };
}

const percent = (value) => `${(100 * value).toFixed(1)}%`.padStart(6);
const median = (values) => {
  const sorted = [...values].sort((a, b) => a - b);
  const middle = Math.floor(sorted.length / 2);
  return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
};

function printRun(index, result) {
  const { show, worst, worstCpu, paced } = result;
  const shares = (cost) => `${percent(cost.task).trim()} (script ${percent(cost.script).trim()}, ` +
    `CPU time ${percent(cost.cpu).trim()})`;
  console.log(`run ${index + 1}: ${show.seconds.toFixed(1)} s, ${show.frames} frames; main thread ` +
    `${shares(show)} of one core, ${show.cpuPerFrame.toFixed(2)} ms of CPU time a frame; worst second ` +
    `${shares(worst)} at ${worst.from.toFixed(1)} to ${worst.to.toFixed(1)} s; by CPU time ` +
    `${percent(worstCpu.cpu).trim()} at ${worstCpu.from.toFixed(1)} to ${worstCpu.to.toFixed(1)} s; ` +
    `frames every ${paced.mean.toFixed(2)} ms of the show, ${percent(paced.exact).trim()} of them 40 ms`);
}

// Per phase, the median over the runs of each figure, and the range of the main thread's share.
function printPhases(results) {
  console.log('phase  from s | task time (range)        script  other | CPU time | worst second | CPU ms a frame');
  const phases = [...new Set(results.flatMap((r) => r.byPhase.map((p) => p.phase)))].sort((a, b) => a - b);
  const row = (label, rows, worsts) => {
    const task = rows.map((r) => r.task);
    const range = `(${percent(Math.min(...task)).trim()} to ${percent(Math.max(...task)).trim()})`;
    const from = rows[0].from === undefined ? '' : median(rows.map((r) => r.from)).toFixed(1);
    const of = (pick) => percent(median(rows.map(pick)));
    console.log(`${label.padEnd(6)} ${from.padStart(6)} | ${percent(median(task))} ${range.padEnd(17)} ` +
      `${of((r) => r.script)} ${of((r) => r.task - r.script)} | ${of((r) => r.cpu).padStart(8)} | ` +
      `${percent(median(worsts.map((w) => w.task))).padStart(12)} | ` +
      `${median(rows.map((r) => r.cpuPerFrame)).toFixed(2).padStart(14)}`);
  };
  for (const phase of phases) {
    const rows = results.map((r) => r.byPhase.find((p) => p.phase === phase)).filter(Boolean);
    row(String(phase), rows, rows.map((r) => r.worst || r));
  }
  row('show', results.map((r) => r.show), results.map((r) => r.worst));
}

async function main() {
  const settings = options(process.argv.slice(2));
  const server = await new SiteServer(SITE).start();
  const browser = await launch();
  try {
    // The GPU process starts with the first WebGL context: started before the show plays.
    const warm = await openPage(browser);
    await warm.goto(server.url('index.html'));
    await warm.waitForFunction(() => window.bannerPage && bannerPage.state !== 'loading', { timeout: 60000 });
    await warm.close();
    const loads = (values) => values.map((value) => value.toFixed(2)).join(' ');
    console.log(`${os.cpus().length} x ${os.cpus()[0].model}, ` +
      `Chromium ${(await browser.version()).replace(/^[^/]*\//, '')}`);
    const results = [];
    for (let run = 0; run < settings.runs; run++) {
      const before = os.loadavg();
      const { samples, profile, pacing: paced } = await play(browser, server, settings);
      results.push({ ...summary(samples), paced });
      console.log(`load average ${loads(before)} before, ${loads(os.loadavg())} after`);
      printRun(run, results[run]);
      if (settings.profile) printProfile(profile, run);
    }
    console.log(`\nmedians of ${settings.runs} run${settings.runs > 1 ? 's' : ''}, ` +
      'in shares of one core (the worst second within each phase):');
    printPhases(results);
  } finally {
    await browser.close();
    await server.stop();
  }
}

main().catch((error) => {
  console.error(`bench-web-cpu: ${error.message}`);
  process.exit(1);
});

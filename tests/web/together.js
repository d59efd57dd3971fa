'use strict';
// How far apart the show's clock and the music's position are, in milliseconds: the median of a
// few readings a tenth of a second apart, so that one reading taken just as the browser's audio
// stumbled (its clock stands still for a moment on a busy machine, and the page then trims the
// show's clock back to it) does not decide.
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

async function apart(target, readings = 5) {
  const gaps = [];
  for (let i = 0; i < readings; i++) {
    if (i > 0) await sleep(100);
    gaps.push(await target.evaluate(() => {
      const position = bannerPage.music.position();
      return position === null ? Infinity : Math.abs(bannerPage.showTime() - position * 1000);
    }));
  }
  gaps.sort((a, b) => a - b);
  return gaps[Math.floor(gaps.length / 2)];
}

module.exports = { apart, sleep };

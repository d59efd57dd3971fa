// The program (banner.js and its banner.wasm, or the tests' banner-test.*), loaded once, on
// demand. The page fetches and compiles the WebAssembly itself, so that every failure (not
// found, offline) ends in the one promise it holds and never as an unhandled rejection.
class Program {
  constructor(name, hooks) {
    this.name = name;
    this.hooks = hooks;
    this.loading = null;
    this.module = null;
  }

  // The module; after a failure, the next call tries again.
  load() {
    if (!this.loading) {
      const script = typeof createBannerModule === 'function' ? Promise.resolve() : this.script();
      this.loading = script.then(() => this.instantiate());
      this.loading.catch(() => { this.loading = null; });
    }
    return this.loading;
  }

  loaded() {
    return this.module !== null;
  }

  script() {
    return new Promise((resolve, reject) => {
      const element = document.createElement('script');
      element.src = `${this.name}.js`;
      element.onload = resolve;
      element.onerror = () => {
        element.remove();
        reject(new Error(`${this.name}.js could not be loaded`));
      };
      document.head.append(element);
    });
  }

  instantiate() {
    let failed;
    const failure = new Promise((resolve, reject) => { failed = reject; });
    const instantiateWasm = (imports, receive) => {
      const url = `${this.name}.wasm`;
      const response = fetch(url).then((answer) => {
        if (!answer.ok) throw new Error(`${url}: ${answer.status} ${answer.statusText}`);
        return answer;
      });
      WebAssembly.instantiateStreaming(response, imports)
        .then(({ instance, module }) => receive(instance, module))
        .catch(failed);
      return {};
    };
    const ready = createBannerModule({ ...this.hooks, instantiateWasm });
    return Promise.race([ready, failure]).then((module) => {
      this.module = module;
      return module;
    });
  }
}

// Client of the plugin's JSON interface. Every change is a GET whose path
// ends in "=value"; the answer is the listing of the instance changed.
// Requests go out one at a time so that changes arrive in the order made.

export class ApiError extends Error {}

export class Api {
  constructor(base = '') {
    this.base = base;
    this.queue = Promise.resolve();
  }

  // Runs fn after every request issued before it has finished.
  serial(fn) {
    const run = this.queue.then(fn, fn);
    this.queue = run.catch(() => {});
    return run;
  }

  async fetchText(path, init = {}) {
    let response;
    try {
      response = await fetch(this.base + path, { cache: 'no-store', ...init });
    } catch (err) {
      throw new ApiError(`The plugin does not answer (${err.message}).`);
    }
    if (!response.ok) throw new ApiError(`The plugin answered ${response.status} for ${path}.`);
    return response.text();
  }

  async fetchListing(path, init) {
    const text = await this.fetchText(path, init);
    let data;
    try {
      data = JSON.parse(text);
    } catch {
      throw new ApiError('The plugin sent a listing that is not valid JSON.');
    }
    if (!data || !Array.isArray(data.instances)) throw new ApiError('The plugin sent an unexpected answer.');
    return data.instances;
  }

  listing() {
    return this.serial(() => this.fetchListing('/api'));
  }

  // segments: e.g. ['articulations', 3, 'name']; value: text or number.
  // The value is percent-encoded whole: the server cuts the path at "?", "&"
  // and blanks, and turns "+" into a space, before it decodes "%XX".
  command(id, segments, value) {
    const path = `/api/${id}/${segments.map((s) => encodeURIComponent(String(s))).join('/')}=${encodeURIComponent(String(value))}`;
    return this.serial(() => this.fetchListing(path));
  }

  downloadSet(id) {
    return this.serial(async () => {
      const text = await this.fetchText(`/api/${id}/json`);
      let parsed;
      try {
        parsed = JSON.parse(text);
      } catch {
        throw new ApiError('The articulation set from the plugin is not valid JSON.');
      }
      if (!Array.isArray(parsed)) throw new ApiError(`Instance ${id} is no longer running.`);
      return { text, articulations: parsed };
    });
  }

  uploadSet(id, text) {
    return this.serial(() => this.fetchListing(`/api/${id}/json`, {
      method: 'PUT',
      headers: { 'Content-Type': 'application/json' },
      body: text,
    }));
  }
}

// Checks an articulation set file before it is sent, so the user learns why
// the plugin would ignore it. Returns the parsed array or throws ApiError.
export function checkArticulationSet(text) {
  let parsed;
  try {
    parsed = JSON.parse(text);
  } catch (err) {
    throw new ApiError(`The file is not valid JSON: ${err.message}`);
  }
  if (!Array.isArray(parsed)) throw new ApiError('The file does not hold an articulation set (a JSON array).');
  if (parsed.length > 64) throw new ApiError(`The file holds ${parsed.length} articulations; at most 64 fit.`);
  return parsed;
}

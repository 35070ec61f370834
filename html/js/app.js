import { Api } from './api.js';
import { h, setValue } from './dom.js';
import { OPTIONS, channelLabel, isEmptyArticulation } from './labels.js';
import { articulationsView } from './views/articulations.js';
import { controllersView } from './views/controllers.js';
import { optionsView } from './views/options.js';
import { editorView } from './views/editor.js';

const REFRESH_MS = 2000;

const VIEWS = [
  { key: 'articulations', label: 'Articulations', build: articulationsView },
  { key: 'controllers', label: 'Controllers', build: controllersView },
  { key: 'options', label: 'Options', build: optionsView },
  { key: 'editor', label: 'Editor window', build: editorView },
];

const api = new Api();
const state = {
  instances: [],
  loaded: false,
  selectedId: null,
  ui: { view: 'articulations', bank: 0, controllerPage: 0 },
  signature: '',
  updaters: [],
  auto: localStorage.getItem('velmora.autoRefresh') !== 'off',
  busy: false,
};

const $ = (id) => document.getElementById(id);
const els = {
  list: $('instance-list'),
  count: $('instance-count'),
  main: $('instance-main'),
  status: $('status'),
  statusText: $('status-text'),
  refresh: $('refresh'),
  auto: $('auto-refresh'),
  toasts: $('toasts'),
};

function selected() {
  return state.instances.find((i) => i.id === state.selectedId) || null;
}

// Short messages in the corner; errors stay longer.
function notify(message, kind = 'ok') {
  const toast = h('div', { class: `toast toast-${kind}`, role: kind === 'error' ? 'alert' : 'status' }, message);
  els.toasts.append(toast);
  setTimeout(() => toast.classList.add('leaving'), kind === 'error' ? 6000 : 2200);
  setTimeout(() => toast.remove(), kind === 'error' ? 6500 : 2700);
}

function setStatus(ok, text) {
  els.status.classList.toggle('offline', !ok);
  els.statusText.textContent = text;
}

function merge(instances) {
  if (instances.length === 0) {
    // The instance went away: the full listing tells what is left.
    refresh();
    return;
  }
  for (const inst of instances) {
    const at = state.instances.findIndex((i) => i.id === inst.id);
    if (at >= 0) state.instances[at] = inst;
    else state.instances.push(inst);
  }
  render();
}

async function send(segments, value, what, { refreshAll = false } = {}) {
  const inst = selected();
  if (!inst) return;
  try {
    const instances = await api.command(inst.id, segments, value);
    merge(instances);
    setStatus(true, `Saved · ${what}`);
    notify(`Saved: ${what}`);
    if (refreshAll) await refresh();
  } catch (err) {
    setStatus(false, err.message);
    notify(err.message, 'error');
    await refresh();
  }
}

async function refresh({ quiet = false } = {}) {
  if (state.busy) return;
  state.busy = true;
  els.refresh.disabled = true;
  try {
    state.instances = await api.listing();
    state.loaded = true;
    const time = new Date().toLocaleTimeString();
    setStatus(true, `Connected · updated ${time}`);
  } catch (err) {
    setStatus(false, err.message);
    if (!quiet) notify(err.message, 'error');
  } finally {
    state.busy = false;
    els.refresh.disabled = false;
  }
  if (!selected() && state.instances.length) state.selectedId = state.instances[0].id;
  render();
}

function select(id) {
  state.selectedId = id;
  writeHash();
  render();
}

function setUi(changes) {
  Object.assign(state.ui, changes);
  writeHash();
  render();
}

function writeHash() {
  const { view, bank, controllerPage } = state.ui;
  history.replaceState(null, '', `#${state.selectedId ?? ''}/${view}/${bank}/${controllerPage}`);
}

function readHash() {
  const [id, view, bank, page] = location.hash.slice(1).split('/');
  if (id && /^\d+$/.test(id)) state.selectedId = Number(id);
  if (VIEWS.some((v) => v.key === view)) state.ui.view = view;
  if (/^[0-3]$/.test(bank || '')) state.ui.bank = Number(bank);
  if (/^[0-5]$/.test(page || '')) state.ui.controllerPage = Number(page);
}

// ---- instance list -------------------------------------------------------

function renderList() {
  els.count.textContent = state.loaded ? String(state.instances.length) : '';
  const cards = state.instances.map((inst) => {
    const used = inst.articulations.filter((a) => a.name || !isEmptyArticulation(a)).length;
    const on = OPTIONS.filter((o) => inst.options[o.key]);
    const active = inst.id === state.selectedId;
    return h('li', {},
      h('button', {
        type: 'button', class: `instance-card${active ? ' active' : ''}`, 'aria-current': active ? 'true' : null,
        onclick: () => select(inst.id),
      },
      h('span', { class: 'card-title' }, `Instance ${inst.id}`,
        inst.visible ? h('span', { class: 'badge badge-live', title: 'Editor window open' }, 'open') : null),
      h('span', { class: 'card-route' },
        h('span', {}, 'Port ', h('b', {}, String(inst.port))),
        h('span', {}, 'Channel ', h('b', {}, channelLabel(inst.channel)))),
      h('span', { class: 'card-meta' }, `${used} articulation${used === 1 ? '' : 's'}`),
      h('span', { class: 'chips', 'aria-label': 'Options switched on' },
        on.length ? on.map((o) => h('span', { class: 'chip', title: o.label }, o.short)) : h('span', { class: 'chip chip-none' }, 'no options on'))));
  });
  els.list.replaceChildren(...cards);
}

// ---- selected instance ---------------------------------------------------

function channelChoices() {
  const low = [];
  const high = [];
  for (let c = 0; c < 64; c++) (c < 16 ? low : high).push(h('option', { value: String(c) }, `Channel ${c + 1}`));
  return [
    h('option', { value: '256' }, 'Per note colour (---)'),
    h('optgroup', { label: 'Channels' }, low),
    h('optgroup', { label: 'With MIDI Extend' }, high),
  ];
}

function buildMain(inst) {
  state.updaters = [];
  const ctx = {
    api, ui: state.ui, updaters: state.updaters, instance: selected,
    send, setUi, notify, merge,
  };

  const port = h('input', {
    id: 'port', type: 'number', min: '0', max: '255', step: '1', class: 'input num',
    onchange: () => {
      const v = Number.parseInt(port.value, 10);
      if (!Number.isNaN(v)) send(['port'], v, `port ${v}`);
    },
  });
  const channel = h('select', {
    id: 'channel', class: 'input',
    onchange: () => send(['channel'], Number(channel.value), `channel ${channelLabel(Number(channel.value))}`),
  }, channelChoices());
  const readouts = h('dl', { class: 'readouts' });
  state.updaters.push((i) => {
    setValue(port, i.port);
    if (document.activeElement !== channel) {
      if (![...channel.options].some((o) => o.value === String(i.channel))) channel.append(h('option', { value: String(i.channel) }, String(i.channel)));
      channel.value = String(i.channel);
    }
    readouts.replaceChildren(
      h('div', {}, h('dt', {}, 'Volume'), h('dd', {}, String(i.volume))),
      h('div', {}, h('dt', {}, 'Pan'), h('dd', {}, String(i.pan))),
      h('div', {}, h('dt', {}, 'Pitch'), h('dd', {}, `${i.pitch} ct`)));
  });

  const header = h('div', { class: 'instance-head' },
    h('div', {},
      h('h2', {}, `Instance ${inst.id}`),
      h('p', { class: 'subtitle' }, 'MIDI goes out on this port and channel to the sampler.')),
    h('div', { class: 'route' },
      h('div', { class: 'field inline' }, h('label', { for: 'port' }, 'Port'), port),
      h('div', { class: 'field inline' }, h('label', { for: 'channel' }, 'Channel'), channel),
      readouts));

  const tabs = h('nav', { class: 'tabs', role: 'tablist', 'aria-label': 'Instance settings' },
    VIEWS.map((v) => h('button', {
      type: 'button', role: 'tab', class: `tab${v.key === state.ui.view ? ' active' : ''}`,
      'aria-selected': String(v.key === state.ui.view),
      onclick: () => setUi({ view: v.key }),
    }, v.label)));

  const view = (VIEWS.find((v) => v.key === state.ui.view) || VIEWS[0]).build(ctx);
  els.main.replaceChildren(header, tabs, view);
}

function signature(inst) {
  const parts = [inst.id, state.ui.view, state.ui.bank, state.ui.controllerPage, inst.options.altmiddlec];
  // The editor view lists names in its pickers.
  if (state.ui.view === 'editor') parts.push(inst.articulations.map((a) => a.name).join('\u0001'), inst.controllers.map((c) => c.name).join('\u0001'));
  return parts.join('|');
}

function render() {
  renderList();
  const inst = selected();
  if (!inst) {
    state.signature = '';
    els.main.replaceChildren(h('div', { class: 'empty-state' },
      h('h2', {}, state.loaded ? 'No instances are running' : 'Connecting…'),
      h('p', {}, state.loaded
        ? 'Add the plugin to a project (or start the host with a session); it appears here by itself.'
        : 'Waiting for the plugin’s HTTP interface to answer.')));
    return;
  }
  const sig = signature(inst);
  if (sig !== state.signature) {
    state.signature = sig;
    buildMain(inst);
  }
  for (const update of state.updaters) update(inst);
}

// ---- start ---------------------------------------------------------------

els.refresh.addEventListener('click', () => refresh());
els.auto.checked = state.auto;
els.auto.addEventListener('change', () => {
  state.auto = els.auto.checked;
  localStorage.setItem('velmora.autoRefresh', state.auto ? 'on' : 'off');
});
setInterval(() => {
  if (state.auto && document.visibilityState === 'visible') refresh({ quiet: true });
}, REFRESH_MS);

readHash();
document.documentElement.classList.add('app-ready');
render();
refresh();

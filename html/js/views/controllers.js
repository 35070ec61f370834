import { h, selectOf, setValue } from '../dom.js';
import { CONTROLLER_TYPES, controllerTargets } from '../labels.js';

const PAGE_SIZE = 16;
const COUNT = 96;

export function controllersView(ctx) {
  const page = ctx.ui.controllerPage;
  const first = page * PAGE_SIZE;
  const targets = controllerTargets();

  const pages = [];
  for (let p = 0; p * PAGE_SIZE < COUNT; p++) {
    pages.push(h('button', {
      type: 'button', class: `seg${p === page ? ' active' : ''}`, 'aria-pressed': String(p === page),
      onclick: () => ctx.setUi({ controllerPage: p }),
    }, `${p * PAGE_SIZE + 1}–${p * PAGE_SIZE + PAGE_SIZE}`));
  }

  const head = h('thead', {}, h('tr', {},
    h('th', { class: 'col-index' }, '#'),
    h('th', {}, 'Name'),
    h('th', {}, 'Sends'),
    h('th', {}, 'Value'),
    h('th', { class: 'col-num' }, 'Default'),
    h('th', {}, 'Type'),
    h('th', { class: 'col-check', title: 'Takes part when the channel state is sent' }, 'Active'),
    h('th', { class: 'col-check', title: 'Parameter changes for this CC are not applied' }, 'Locked')));

  const rows = [];
  for (let i = first; i < Math.min(first + PAGE_SIZE, COUNT); i++) rows.push(controllerRow(ctx, i, targets));

  return h('section', { class: 'panel', 'aria-label': 'Controllers' },
    h('div', { class: 'toolbar' },
      h('div', { class: 'segmented', role: 'group', 'aria-label': 'Controller slots' }, pages),
      h('p', { class: 'toolbar-note' }, 'Each slot sends its value as a control change on the instance’s port and channel.')),
    h('div', { class: 'table-wrap' }, h('table', { class: 'grid controllers' }, head, h('tbody', {}, rows))));
}

function controllerRow(ctx, i, targets) {
  const n = i + 1;
  const send = (field, value, what) => ctx.send(['controllers', i, field], value, `Controller ${n}: ${what}`);
  const int = (el) => Number.parseInt(el.value, 10);

  const name = h('input', {
    type: 'text', class: 'input name', maxLength: 120, placeholder: `Slot ${n}`,
    'aria-label': `Name of controller ${n}`, onchange: () => send('name', name.value, 'name'),
  });
  const cc = selectOf(targets, {
    class: 'input', 'aria-label': `What controller ${n} sends`, onchange: () => send('cc', int(cc), 'target'),
  });
  const slider = h('input', {
    type: 'range', min: '0', max: '127', step: '1', class: 'slider', 'aria-label': `Value of controller ${n}`,
    oninput: () => { out.value = slider.value; },
    onchange: () => send('value', int(slider), 'value'),
  });
  const out = h('input', {
    type: 'number', min: '0', max: '127', class: 'input num', 'aria-label': `Value of controller ${n} as a number`,
    onchange: () => { if (!Number.isNaN(int(out))) send('value', int(out), 'value'); },
  });
  const def = h('input', {
    type: 'number', min: '0', max: '127', class: 'input num', 'aria-label': `Default value of controller ${n}`,
    onchange: () => { if (!Number.isNaN(int(def))) send('default', int(def), 'default'); },
  });
  const type = selectOf(CONTROLLER_TYPES, {
    class: 'input', 'aria-label': `Type of controller ${n}`, onchange: () => send('type', int(type), 'type'),
  });
  const on = h('input', {
    type: 'checkbox', class: 'check', 'aria-label': `Controller ${n} active`,
    onchange: () => send('on', on.checked ? 1 : 0, on.checked ? 'active' : 'inactive'),
  });
  const lock = h('input', {
    type: 'checkbox', class: 'check', 'aria-label': `Controller ${n} locked`,
    onchange: () => send('lock', lock.checked ? 1 : 0, lock.checked ? 'locked' : 'unlocked'),
  });

  const row = h('tr', {},
    h('td', { class: 'col-index' }, h('span', { class: 'index' }, String(n))),
    h('td', {}, name),
    h('td', {}, cc),
    h('td', {}, h('div', { class: 'value-cell' }, slider, out)),
    h('td', { class: 'col-num' }, def),
    h('td', {}, type),
    h('td', { class: 'col-check' }, on),
    h('td', { class: 'col-check' }, lock));

  ctx.updaters.push((inst) => {
    const c = inst.controllers[i];
    setValue(name, c.name);
    if (document.activeElement !== cc) {
      if (![...cc.options].some((o) => o.value === String(c.cc))) cc.append(h('option', { value: String(c.cc) }, `Value ${c.cc}`));
      cc.value = String(c.cc);
    }
    setValue(slider, c.value);
    setValue(out, c.value);
    setValue(def, c.default);
    setValue(type, c.type);
    setValue(on, c.on !== 0);
    setValue(lock, c.lock !== 0);
    row.classList.toggle('is-empty', c.cc === 255 && !c.name);
  });
  return row;
}

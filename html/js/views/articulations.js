import { h, selectOf, setValue } from '../dom.js';
import { noteChoices, noteName } from '../notes.js';
import { MODIFIER_KINDS, modifierKind, isEmptyArticulation } from '../labels.js';
import { checkArticulationSet } from '../api.js';

const BANK_SIZE = 16;

// An integer field where an empty box means "none" (-1).
function optionalNumber(text) {
  const t = String(text).trim();
  if (t === '') return -1;
  const n = Number.parseInt(t, 10);
  return Number.isNaN(n) ? null : n;
}

function shown(value) {
  return value < 0 ? '' : String(value);
}

export function articulationsView(ctx) {
  const inst = ctx.instance();
  const alt = Boolean(inst.options.altmiddlec);
  const bank = ctx.ui.bank;
  const first = bank * BANK_SIZE;
  const noteList = noteChoices(alt);

  const bankButtons = [0, 1, 2, 3].map((b) => h('button', {
    type: 'button',
    class: `seg${b === bank ? ' active' : ''}`,
    'aria-pressed': String(b === bank),
    onclick: () => ctx.setUi({ bank: b }),
  }, `Bank ${b + 1}`, h('span', { class: 'seg-sub' }, `${b * BANK_SIZE + 1}–${b * BANK_SIZE + BANK_SIZE}`)));

  const fileInput = h('input', {
    type: 'file', accept: '.zoltartic,.json,application/json', class: 'visually-hidden',
    'aria-label': 'Articulation set file to upload',
    onchange: async () => {
      const file = fileInput.files[0];
      fileInput.value = '';
      if (file) await upload(ctx, inst.id, file);
    },
  });

  const toolbar = h('div', { class: 'toolbar' },
    h('div', { class: 'segmented', role: 'group', 'aria-label': 'Articulation bank' }, bankButtons),
    h('div', { class: 'toolbar-actions' },
      h('button', { type: 'button', class: 'btn', onclick: () => download(ctx, inst.id) }, '⤓ Download set'),
      h('button', { type: 'button', class: 'btn', onclick: () => fileInput.click() }, '⤒ Upload set…'),
      fileInput));

  const hint = h('p', { class: 'hint', hidden: true },
    'Notes reach banks 2–4 only with “Multiple artic. banks” switched on (Options).');
  ctx.updaters.push((i) => { hint.hidden = !(bank > 0 && !i.options.articbanks); });

  const head = h('thead', {}, h('tr', {},
    h('th', { class: 'col-index' }, '#'),
    h('th', {}, 'Name'),
    h('th', { class: 'col-num' }, 'Icon'),
    h('th', {}, 'Keyswitch'),
    h('th', { class: 'col-num' }, 'Velocity'),
    h('th', { class: 'col-num' }, 'Program'),
    h('th', {}, 'Modifier'),
    h('th', {}, 'Modifier setting')));

  const rows = [];
  for (let i = first; i < first + BANK_SIZE; i++) rows.push(articulationRow(ctx, i, noteList, alt));

  return h('section', { class: 'panel', 'aria-label': 'Articulations' },
    toolbar, hint,
    h('div', { class: 'table-wrap' }, h('table', { class: 'grid articulations' }, head, h('tbody', {}, rows))));
}

function articulationRow(ctx, i, noteList, alt) {
  const n = i + 1;
  const art = (inst) => inst.articulations[i];
  const send = (field, value, what) => ctx.send(['articulations', i, field], value, `Articulation ${n}: ${what}`);

  const name = h('input', {
    type: 'text', class: 'input name', maxLength: 120, placeholder: `Articulation ${n}`,
    'aria-label': `Name of articulation ${n}`,
    onchange: () => send('name', name.value, 'name'),
  });
  const icon = numberBox(`Icon of articulation ${n}`, 0, 9999, (v) => send('icon', v, 'icon'), false);
  const note = selectOf(noteList, {
    class: 'input note', 'aria-label': `Keyswitch of articulation ${n}`,
    onchange: () => send('note', Number(note.value), 'keyswitch'),
  });
  const notev = numberBox(`Keyswitch velocity of articulation ${n}`, 0, 127, (v) => send('notev', v, 'keyswitch velocity'), false);
  const prog = numberBox(`Program change of articulation ${n}`, 0, 127, (v) => send('prog', v, 'program change'), true, 'none');

  const kind = selectOf(MODIFIER_KINDS.map((k) => ({ value: k.value, label: k.label })), {
    class: 'input kind', 'aria-label': `Modifier of articulation ${n}`,
    onchange: async () => {
      const chosen = MODIFIER_KINDS.find((k) => k.value === kind.value);
      // As in the plugin's menu: a new kind starts without a value.
      await send('modc', chosen.modc, 'modifier');
      await send('modw', -1, 'modifier value');
    },
  });

  const ccNumber = numberBox(`Modifier CC number of articulation ${n}`, 0, 127, (v) => send('modc', v, 'CC number'), true, '#');
  const ccValue = numberBox(`Modifier CC value of articulation ${n}`, 0, 127, (v) => send('modw', v, 'CC value'), true, '—');
  const ks2 = selectOf(noteChoices(alt, 'Not set'), {
    class: 'input note', 'aria-label': `Second keyswitch of articulation ${n}`,
    onchange: () => send('modw', Number(ks2.value), 'second keyswitch'),
  });
  const vel = numberBox(`Play velocity of articulation ${n}`, 1, 127, (v) => send('modw', v, 'play velocity'), true, 'velocity');

  const ccBox = h('div', { class: 'mod-detail' }, h('span', { class: 'tag' }, 'CC'), ccNumber, h('span', { class: 'tag' }, '='), ccValue);
  const ks2Box = h('div', { class: 'mod-detail' }, ks2);
  const velBox = h('div', { class: 'mod-detail' }, vel);

  const row = h('tr', {},
    h('td', { class: 'col-index' }, h('span', { class: 'index' }, String(n)), h('span', { class: 'colour', title: 'Note colour within the bank' }, `colour ${(i % 16) + 1}`)),
    h('td', {}, name),
    h('td', { class: 'col-num' }, icon),
    h('td', {}, note),
    h('td', { class: 'col-num' }, notev),
    h('td', { class: 'col-num' }, prog),
    h('td', {}, kind),
    h('td', {}, ccBox, ks2Box, velBox));

  ctx.updaters.push((inst) => {
    const a = art(inst);
    const k = modifierKind(a.modc);
    setValue(name, a.name);
    setValue(icon, a.icon);
    setSelect(note, a.note, noteName(a.note, alt));
    setValue(notev, a.notev);
    notev.disabled = a.note < 0;
    setValue(prog, shown(a.prog));
    setValue(kind, k);
    ccBox.hidden = k !== 'cc';
    ks2Box.hidden = k !== 'ks2';
    velBox.hidden = k !== 'vel';
    setValue(ccNumber, shown(a.modc));
    setValue(ccValue, k === 'cc' ? shown(a.modw) : '');
    setSelect(ks2, k === 'ks2' ? a.modw : -1, noteName(a.modw, alt));
    setValue(vel, k === 'vel' ? shown(a.modw) : '');
    row.classList.toggle('is-empty', isEmptyArticulation(a) && !a.name);
    row.classList.toggle('is-editing', inst.editing === i);
  });
  return row;
}

// Keeps a value the list does not offer (such as a note out of range) visible.
function setSelect(select, value, label) {
  if (document.activeElement === select) return;
  const text = String(value);
  if (![...select.options].some((o) => o.value === text)) {
    select.append(h('option', { value: text }, label || text));
  }
  select.value = text;
}

function numberBox(label, min, max, onCommit, optional, placeholder) {
  const box = h('input', {
    type: 'number', class: 'input num', min: String(min), max: String(max), step: '1',
    'aria-label': label, placeholder: placeholder || '',
    onchange: () => {
      const v = optional ? optionalNumber(box.value) : Number.parseInt(box.value, 10);
      if (v === null || Number.isNaN(v)) return;
      onCommit(v);
    },
  });
  return box;
}

async function download(ctx, id) {
  try {
    const { text, articulations } = await ctx.api.downloadSet(id);
    const blob = new Blob([text], { type: 'application/json' });
    const link = h('a', { href: URL.createObjectURL(blob), download: `instance-${id}.zoltartic` });
    document.body.append(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(link.href), 10000);
    ctx.notify(`Downloaded ${articulations.length} articulation${articulations.length === 1 ? '' : 's'} of instance ${id}.`);
  } catch (err) {
    ctx.notify(err.message, 'error');
  }
}

async function upload(ctx, id, file) {
  try {
    const text = await file.text();
    const set = checkArticulationSet(text);
    const ok = window.confirm(`Replace all articulations of instance ${id} with the ${set.length} in “${file.name}”?`);
    if (!ok) return;
    const instances = await ctx.api.uploadSet(id, text);
    ctx.merge(instances);
    ctx.notify(`Uploaded ${set.length} articulation${set.length === 1 ? '' : 's'} from ${file.name}.`);
  } catch (err) {
    ctx.notify(err.message, 'error');
  }
}
